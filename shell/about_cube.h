#pragma once
// The About box's tumbling cube as pure geometry: one object owns the sine and cosine tables,
// the cube's corners and faces with their spinning stars, and the three rotation angles. Each
// step() computes one animation frame; frame() says what to paint, in painting order, in window
// pixels of the 110 x 110 square at the top-left corner. The random source is injected so that
// a test can replay a pose; the window passes a uniform generator. It is asked random(5) once
// per face (0..5) by the constructor for the spin speeds, then random(4) for ax, ay and az at
// the start of every step. The stars painted by a frame are those the previous frame spun, so
// the first frame's stars are single points at the cube's centre.

#include <array>
#include <functional>
#include <vector>

#include "shell/colour.h"

namespace tobrisk {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// One visible face as painted: the quadrilateral outlined in the background colour, then the
// star (five points traced as a pentagram, to be filled with the nonzero-winding rule).
struct CubeFacePaint {
    int face = 0;
    std::array<PixelPoint, 4> corners;
    Colour faceColour;
    std::array<PixelPoint, 5> star;
    Colour starColour;
};

struct CubeFrame {
    std::vector<CubeFacePaint> faces;  // visible faces in index order 0..5, at most three
};

// Banker's rounding, as the frame's projection and shading use: halves go to the even integer.
long long roundHalfEven(double v);

class AboutCube {
  public:
    // random(n) gives a uniform integer 0 .. n-1.
    using Random = std::function<int(int n)>;

    static constexpr int kFaces = 6;
    static constexpr int kCorners = 8;
    static constexpr int kSquare = 110;  // side of the cleared square
    static constexpr int kCentre = 55;   // projection offset

    explicit AboutCube(Random random);

    // One frame: advance the angles, rotate corners and last frame's star points, spin the
    // stars, shade the faces.
    void step();
    CubeFrame frame() const;

    // Pose and state, for a test or a window that wants to start from a chosen pose.
    void setAngles(int ax, int ay, int az);
    std::array<int, 3> angles() const { return {ax_, ay_, az_}; }
    bool visible(int face) const { return faces_[face].visible; }
    int level(int face) const { return faces_[face].level; }
    int spinSpeed(int face) const { return faces_[face].spinSpeed; }
    int spinAngle(int face) const { return faces_[face].spinAngle; }
    Vec3 corner(int i) const { return transformed_[i]; }
    Vec3 starPoint(int face, int slot) const { return faces_[face].star[slot]; }
    Vec3 centre(int face) const { return faces_[face].centre; }
    double normalLength(int face) const { return faces_[face].normalLength; }
    double sine(int degrees) const { return sin_[degrees]; }
    double cosine(int degrees) const { return cos_[degrees]; }

  private:
    struct Face {
        std::array<int, 4> corners;
        double normalLength = 0;
        Colour base;
        bool visible = false;
        int level = 0;
        Vec3 centre;
        std::array<Vec3, 5> star{};  // object space, slots in pentagram order
        std::array<Vec3, 5> starTransformed{};
        int spinSpeed = 0;
        int spinAngle = 0;
    };

    void advanceAngles();
    Vec3 rotate(const Vec3& p) const;
    void spinStars();
    void shade();
    Colour starColour(int face) const;

    Random random_;
    std::array<double, 360> sin_{};
    std::array<double, 360> cos_{};
    std::array<Vec3, kCorners> object_{};
    std::array<Vec3, kCorners> transformed_{};
    std::array<Face, kFaces> faces_{};
    int ax_ = 0;
    int ay_ = 0;
    int az_ = 0;
};

}  // namespace tobrisk
