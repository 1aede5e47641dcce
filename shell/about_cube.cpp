#include "shell/about_cube.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tobrisk {
namespace {

// The design's value of pi for the tables; frames must match it to the last bit.
constexpr double kPi = 3.14159265358979;
constexpr double kHalf = 30;  // half the cube's edge, and the star's radius

struct FaceDef {
    std::array<int, 4> corners;
    Vec3 centre;
    Colour base;
    Colour starFactor;  // per channel: k > 0 gives k * level, 0 gives full intensity
};

const FaceDef kFaceDefs[AboutCube::kFaces] = {
    {{0, 3, 2, 1}, {0, kHalf, 0}, {64, 0, 0}, {5, 5, 0}},
    {{0, 4, 7, 3}, {0, 0, -kHalf}, {0, 64, 0}, {3, 0, 3}},
    {{3, 7, 6, 2}, {kHalf, 0, 0}, {0, 0, 64}, {0, 5, 5}},
    {{2, 6, 5, 1}, {0, 0, kHalf}, {0, 32, 32}, {5, 0, 0}},
    {{1, 5, 4, 0}, {-kHalf, 0, 0}, {32, 0, 32}, {0, 5, 0}},
    {{4, 5, 6, 7}, {0, -kHalf, 0}, {32, 32, 0}, {0, 0, 5}},
};

const Vec3 kCornerDefs[AboutCube::kCorners] = {
    {-kHalf, kHalf, -kHalf}, {-kHalf, kHalf, kHalf},   {kHalf, kHalf, kHalf},
    {kHalf, kHalf, -kHalf},  {-kHalf, -kHalf, -kHalf}, {-kHalf, -kHalf, kHalf},
    {kHalf, -kHalf, kHalf},  {kHalf, -kHalf, -kHalf},
};

// Star point k goes to this slot, so that joining slots 0..4 in order traces a pentagram.
constexpr int kStarSlot[5] = {0, 2, 4, 1, 3};

Vec3 minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The normal of the plane through a face's first three corners.
Vec3 faceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
    return cross(minus(p0, p1), minus(p0, p2));
}

PixelPoint project(const Vec3& p) {
    return {static_cast<int>(roundHalfEven(p.x)) + AboutCube::kCentre,
            static_cast<int>(roundHalfEven(p.y)) + AboutCube::kCentre};
}

int clampChannel(int v) {
    return std::clamp(v, 0, 255);
}

}  // namespace

long long roundHalfEven(double v) {
    double r = std::round(v);  // halves away from zero
    if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
    return static_cast<long long>(r);
}

AboutCube::AboutCube(Random random) : random_(std::move(random)) {
    for (int i = 0; i < 360; ++i) {
        sin_[i] = std::sin(i * kPi / 180);
        cos_[i] = std::cos(i * kPi / 180);
    }
    for (int i = 0; i < kCorners; ++i) object_[i] = kCornerDefs[i];
    for (int f = 0; f < kFaces; ++f) {
        Face& face = faces_[f];
        const FaceDef& def = kFaceDefs[f];
        face.corners = def.corners;
        Vec3 n =
            faceNormal(object_[def.corners[0]], object_[def.corners[1]], object_[def.corners[2]]);
        face.normalLength = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        face.base = def.base;
        face.centre = def.centre;
        face.spinSpeed = 8 + random_(5);
        if (f % 2 == 0) face.spinSpeed = -face.spinSpeed;
        face.spinAngle = 90;
    }
}

void AboutCube::setAngles(int ax, int ay, int az) {
    auto wrap = [](int a) { return ((a % 360) + 360) % 360; };
    ax_ = wrap(ax);
    ay_ = wrap(ay);
    az_ = wrap(az);
}

void AboutCube::step() {
    advanceAngles();
    for (int i = 0; i < kCorners; ++i) transformed_[i] = rotate(object_[i]);
    for (Face& face : faces_)
        for (int k = 0; k < 5; ++k) face.starTransformed[k] = rotate(face.star[k]);
    spinStars();
    shade();
}

void AboutCube::advanceAngles() {
    for (int* a : {&ax_, &ay_, &az_}) {
        *a += 3 + random_(4);
        if (*a >= 360) *a -= 360;
    }
}

Vec3 AboutCube::rotate(const Vec3& p) const {
    // About x, then y, then z, each from the table values of its angle.
    const double cx = cos_[ax_], sx = sin_[ax_];
    const Vec3 a{p.x, cx * p.y - sx * p.z, sx * p.y + cx * p.z};
    const double cy = cos_[ay_], sy = sin_[ay_];
    const Vec3 b{cy * a.x + sy * a.z, a.y, -sy * a.x + cy * a.z};
    const double cz = cos_[az_], sz = sin_[az_];
    return {cz * b.x - sz * b.y, sz * b.x + cz * b.y, b.z};
}

void AboutCube::spinStars() {
    for (Face& face : faces_) {
        face.spinAngle += 2 * face.spinSpeed;
        if (face.spinAngle >= 360) face.spinAngle -= 360;
        if (face.spinAngle < 0) face.spinAngle += 360;
        const Vec3& c = face.centre;
        for (int k = 0; k < 5; ++k) {
            int theta = 72 * k - face.spinAngle;
            if (theta < 0) theta += 360;
            double u = kHalf * cos_[theta], v = kHalf * sin_[theta];
            Vec3 p;
            if (c.x != 0)
                p = {c.x, c.y + u, c.z + v};
            else if (c.y != 0)
                p = {c.x + u, c.y, c.z + v};
            else
                p = {c.x + u, c.y + v, c.z};
            face.star[kStarSlot[k]] = p;
        }
    }
}

void AboutCube::shade() {
    for (Face& face : faces_) {
        Vec3 n = faceNormal(transformed_[face.corners[0]], transformed_[face.corners[1]],
                            transformed_[face.corners[2]]);
        face.visible = n.z > 0;
        face.level =
            static_cast<int>(roundHalfEven(std::min(15.0, 6 + 15 * n.z / face.normalLength)));
    }
}

Colour AboutCube::starColour(int f) const {
    const Colour& k = kFaceDefs[f].starFactor;
    int level = faces_[f].level;
    auto channel = [level](int factor) { return factor ? clampChannel(factor * level) : 255; };
    return {channel(k.r), channel(k.g), channel(k.b)};
}

CubeFrame AboutCube::frame() const {
    CubeFrame frame;
    for (int f = 0; f < kFaces; ++f) {
        const Face& face = faces_[f];
        if (!face.visible) continue;
        CubeFacePaint paint;
        paint.face = f;
        for (int i = 0; i < 4; ++i) paint.corners[i] = project(transformed_[face.corners[i]]);
        int add = 8 * face.level;
        paint.faceColour = {clampChannel(face.base.r + add), clampChannel(face.base.g + add),
                            clampChannel(face.base.b + add)};
        for (int k = 0; k < 5; ++k) paint.star[k] = project(face.starTransformed[k]);
        paint.starColour = starColour(f);
        frame.faces.push_back(paint);
    }
    return frame;
}

}  // namespace tobrisk
