#include "shell/about_cube.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <random>

namespace tobrisk {
namespace {

// A random source that replays a script, then answers `fallback`.
struct Script {
    std::deque<int> values;
    int fallback = 0;
    int operator()(int n) {
        int v = fallback;
        if (!values.empty()) {
            v = values.front();
            values.pop_front();
        }
        EXPECT_GE(v, 0);
        EXPECT_LT(v, n);
        return v;
    }
};

AboutCube::Random replay(std::shared_ptr<Script> s) {
    return [s](int n) { return (*s)(n); };
}

// The angles all come back to 0 after one step from 357 with the smallest advance: the cube
// is seen unrotated.
AboutCube unrotatedCube() {
    AboutCube cube(replay(std::make_shared<Script>()));
    cube.setAngles(357, 357, 357);
    cube.step();
    return cube;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in;
        long long out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2},   {-0.5, 0},  {-1.5, -2}, {-2.5, -2},
                 {2.4, 2}, {2.6, 3}, {-2.6, -3}, {14.5, 14}, {15.5, 16}, {0.49999999999999994, 0}};
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}

TEST(AboutCube, AnglesAdvanceAndWrapBelow360) {
    const struct {
        int start;
        int random;  // 0..3, the advance is 3 more
        int expected;
    } cases[] = {{357, 0, 0}, {358, 3, 4}, {356, 0, 359}, {0, 3, 6}, {359, 3, 5}, {300, 1, 304}};
    for (const auto& c : cases) {
        auto script = std::make_shared<Script>();
        AboutCube cube(replay(script));
        cube.setAngles(c.start, c.start, c.start);
        script->values = {c.random, c.random, c.random};
        cube.step();
        EXPECT_EQ(cube.angles(), (std::array<int, 3>{c.expected, c.expected, c.expected}))
            << c.start << " + " << 3 + c.random;
    }
}

TEST(AboutCube, AnglesAdvanceInTheOrderXYZ) {
    auto script = std::make_shared<Script>();
    AboutCube cube(replay(script));
    script->values = {0, 1, 3};
    cube.step();
    EXPECT_EQ(cube.angles(), (std::array<int, 3>{3, 4, 6}));
}

TEST(AboutCube, EveryFaceNormalHasLength3600) {
    AboutCube cube(replay(std::make_shared<Script>()));
    for (int f = 0; f < AboutCube::kFaces; ++f) EXPECT_DOUBLE_EQ(cube.normalLength(f), 3600) << f;
}

TEST(AboutCube, SpinSpeedsAreEightToTwelveNegatedOnEvenFaces) {
    auto script = std::make_shared<Script>();
    script->values = {0, 1, 2, 3, 4, 4};
    AboutCube cube(replay(script));
    const int expected[] = {-8, 9, -10, 11, -12, 12};
    for (int f = 0; f < AboutCube::kFaces; ++f) {
        EXPECT_EQ(cube.spinSpeed(f), expected[f]) << f;
        EXPECT_EQ(cube.spinAngle(f), 90) << f;
    }
}

TEST(AboutCube, SpinAngleStaysWithinOneTurn) {
    auto script = std::make_shared<Script>();
    script->values = {4, 4, 0, 0, 0, 0};  // face 0 spins at -12, face 1 at +12
    AboutCube cube(replay(script));
    const int face0[] = {66, 42, 18, 354, 330};
    const int face1[] = {114, 138, 162, 186, 210};
    for (int i = 0; i < 5; ++i) {
        cube.step();
        EXPECT_EQ(cube.spinAngle(0), face0[i]) << i;
        EXPECT_EQ(cube.spinAngle(1), face1[i]) << i;
    }
    for (int i = 0; i < 7; ++i) cube.step();  // 210 + 7 * 24 = 378
    EXPECT_EQ(cube.spinAngle(1), 18);
}

TEST(AboutCube, UnrotatedCubeShowsOnlyTheFrontFaceHeadOn) {
    AboutCube cube = unrotatedCube();
    EXPECT_EQ(cube.angles(), (std::array<int, 3>{0, 0, 0}));
    for (int f = 0; f < AboutCube::kFaces; ++f) EXPECT_EQ(cube.visible(f), f == 1) << f;
    EXPECT_EQ(cube.level(1), 15);

    CubeFrame frame = cube.frame();
    ASSERT_EQ(frame.faces.size(), 1u);
    const CubeFacePaint& p = frame.faces[0];
    EXPECT_EQ(p.face, 1);
    EXPECT_EQ(p.faceColour, (Colour{120, 184, 120}));  // base + 8 * 15
    EXPECT_EQ(p.starColour, (Colour{45, 255, 45}));    // 3L with L = 15
    const PixelPoint corners[] = {{25, 85}, {25, 25}, {85, 25}, {85, 85}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(p.corners[i], corners[i]) << i;
}

TEST(AboutCube, QuarterTurnsBringTheExpectedFaceToTheFront) {
    const struct {
        std::array<int, 3> start;  // one step with the smallest advance adds 3
        int front;
        Colour faceColour;
        Colour starColour;
    } cases[] = {
        {{87, 357, 357}, 5, {152, 152, 120}, {255, 255, 75}},   // 90 about x: bottom face
        {{357, 87, 357}, 2, {120, 120, 184}, {255, 75, 75}},    // 90 about y: right face
        {{357, 357, 87}, 1, {120, 184, 120}, {45, 255, 45}},    // 90 about z: still the front
        {{177, 357, 357}, 3, {120, 152, 152}, {75, 255, 255}},  // 180 about x: back face
        {{357, 267, 357}, 4, {152, 120, 152}, {255, 75, 255}},  // 270 about y: left face
        {{267, 357, 357}, 0, {184, 120, 120}, {75, 75, 255}},   // 270 about x: top face
    };
    for (const auto& c : cases) {
        AboutCube cube(replay(std::make_shared<Script>()));
        cube.setAngles(c.start[0], c.start[1], c.start[2]);
        cube.step();
        EXPECT_TRUE(cube.visible(c.front)) << c.front;
        EXPECT_EQ(cube.level(c.front), 15) << c.front;
        bool found = false;
        for (const auto& p : cube.frame().faces) {
            if (p.face != c.front) continue;
            found = true;
            EXPECT_EQ(p.faceColour, c.faceColour) << c.front;
            EXPECT_EQ(p.starColour, c.starColour) << c.front;
        }
        EXPECT_TRUE(found) << c.front;
        // The face opposite the front one faces away.
        const int opposite[] = {5, 3, 4, 1, 2, 0};
        EXPECT_FALSE(cube.visible(opposite[c.front])) << c.front;
    }
}

TEST(AboutCube, QuarterTurnAboutZTurnsTheCorners) {
    AboutCube cube(replay(std::make_shared<Script>()));
    cube.setAngles(357, 357, 87);
    cube.step();
    // Corner 0 (-30, 30, -30) turns to (-30, -30, -30) about z by 90 degrees.
    Vec3 c0 = cube.corner(0);
    EXPECT_NEAR(c0.x, -30, 1e-9);
    EXPECT_NEAR(c0.y, -30, 1e-9);
    EXPECT_NEAR(c0.z, -30, 1e-9);
    EXPECT_EQ(cube.frame().faces.at(0).corners[0], (PixelPoint{25, 25}));
}

TEST(AboutCube, StarsLieOnTheirFacesAndTraceAPentagram) {
    std::mt19937 rng(7);
    AboutCube cube([&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); });
    for (int frame = 0; frame < 40; ++frame) {
        cube.step();
        for (int f = 0; f < AboutCube::kFaces; ++f) {
            const Vec3 c = cube.centre(f);
            for (int slot = 0; slot < 5; ++slot) {
                const Vec3 a = cube.starPoint(f, slot), b = cube.starPoint(f, (slot + 1) % 5);
                const Vec3 da{a.x - c.x, a.y - c.y, a.z - c.z};
                const Vec3 db{b.x - c.x, b.y - c.y, b.z - c.z};
                EXPECT_NEAR(da.x * da.x + da.y * da.y + da.z * da.z, 900, 1e-9);
                // In the face's plane: no offset along the centre's axis.
                EXPECT_NEAR(da.x * c.x + da.y * c.y + da.z * c.z, 0, 1e-9);
                // Neighbouring slots are two points apart: 144 degrees.
                const double dot = da.x * db.x + da.y * db.y + da.z * db.z;
                EXPECT_NEAR(dot, 900 * std::cos(144 * M_PI / 180), 1e-6) << f << " " << slot;
            }
        }
    }
}

TEST(AboutCube, StarPointFollowsTheSpinAngle) {
    auto script = std::make_shared<Script>();
    AboutCube cube(replay(script));  // face 1 spins at +8: 90 -> 106
    cube.step();
    // Face 1 has its centre on z: the star turns in the x-y plane; slot 0 holds k = 0,
    // theta = 0 - 106 + 360 = 254; slot 2 holds k = 1, theta = 72 - 106 + 360 = 326.
    const Vec3 p0 = cube.starPoint(1, 0), p2 = cube.starPoint(1, 2);
    EXPECT_NEAR(p0.x, 30 * std::cos(254 * M_PI / 180), 1e-9);
    EXPECT_NEAR(p0.y, 30 * std::sin(254 * M_PI / 180), 1e-9);
    EXPECT_DOUBLE_EQ(p0.z, -30);
    EXPECT_NEAR(p2.x, 30 * std::cos(326 * M_PI / 180), 1e-9);
    EXPECT_NEAR(p2.y, 30 * std::sin(326 * M_PI / 180), 1e-9);
}

TEST(AboutCube, StarsAreDrawnWhereTheLastFrameLeftThem) {
    AboutCube cube = unrotatedCube();
    // The first frame transforms the stars before any spin: all five points at the centre.
    const CubeFrame first = cube.frame();
    for (const PixelPoint& p : first.faces.at(0).star) EXPECT_EQ(p, (PixelPoint{55, 55}));

    cube.setAngles(357, 357, 357);
    cube.step();  // unrotated again; face 1's star as spun by the first frame (106 degrees)
    ASSERT_EQ(cube.spinAngle(1), 122);
    const CubeFrame next = cube.frame();
    const auto& star = next.faces.at(0).star;
    const int thetas[] = {254, 110, 326, 182, 38};  // slots 0..4: k = 0, 3, 1, 4, 2
    for (int slot = 0; slot < 5; ++slot) {
        const double t = thetas[slot] * 3.14159265358979 / 180;
        EXPECT_EQ(star[slot], (PixelPoint{static_cast<int>(roundHalfEven(30 * std::cos(t))) + 55,
                                          static_cast<int>(roundHalfEven(30 * std::sin(t))) + 55}))
            << slot;
    }
}

TEST(AboutCube, ManyFramesStayInsideTheSquareWithAtMostThreeFaces) {
    std::mt19937 rng(12345);
    AboutCube cube([&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); });
    const int opposite[] = {5, 3, 4, 1, 2, 0};
    for (int frame = 0; frame < 3000; ++frame) {
        cube.step();
        for (int a : cube.angles()) {
            ASSERT_GE(a, 0);
            ASSERT_LT(a, 360);
        }
        CubeFrame out = cube.frame();
        ASSERT_LE(out.faces.size(), 3u) << frame;
        int previous = -1;
        for (const auto& p : out.faces) {
            ASSERT_GT(p.face, previous);  // index order
            previous = p.face;
            ASSERT_FALSE(cube.visible(opposite[p.face]) && cube.level(opposite[p.face]) > 6);
            ASSERT_GE(cube.level(p.face), 6);
            ASSERT_LE(cube.level(p.face), 15);
            for (const auto& q : p.corners) {
                ASSERT_GE(q.x, 0);
                ASSERT_LE(q.x, AboutCube::kSquare);
                ASSERT_GE(q.y, 0);
                ASSERT_LE(q.y, AboutCube::kSquare);
            }
            for (int ch : {p.faceColour.r, p.faceColour.g, p.faceColour.b, p.starColour.r,
                           p.starColour.g, p.starColour.b}) {
                ASSERT_GE(ch, 0);
                ASSERT_LE(ch, 255);
            }
        }
    }
}

}  // namespace
}  // namespace tobrisk
