// A top's runs and its motion along and around its path's curve.
#include "top.h"

#include <algorithm>
#include <cmath>

#include "curve.h"
#include "random_draws.h"
#include "top_path.h"

namespace {

constexpr float kNegativeDegreesPerRadian = -57.2957763671875f;  // -180 / float(pi): see TurnOntoHeading
constexpr Vec3 kUp{0.0f, 1.0f, 0.0f};

}  // namespace

Top::Top(TopPath& path, RandomSource& random) : path(path)
{
    Reset(random);
}

void Top::Reset(RandomSource& random)
{
    pathPos = 0.0f;
    orbitScale = RandomUpTo(random, 0.8f) + 0.2f;
    spin = RandomUpTo(random, 360.0f);
    HsvToRgb(path.colour.hue, path.colour.saturation, path.colour.value, colour.red,
             colour.green, colour.blue);
}

void Top::Step(RandomSource& random)
{
    // A top at exactly 1 is drawn at the top end and restarts on the next frame.
    if (pathPos > 1.0f)
        Reset(random);

    const int degree = path.Degree();
    position = BezierPoint(path.points, degree, pathPos);
    // Just below 0 this looks back along the curve's extension, still up the curve.
    const float behindPos = pathPos - 0.01f;
    const Vec3 behind = BezierPoint(path.points, degree, behindPos);
    Vec3 heading{position.x - behind.x, position.y - behind.y, position.z - behind.z};
    Normalize3(heading);
    TurnOntoHeading(heading);

    const float s = path.RadiusAt(pathPos);
    orbitRadius = s * orbitScale;
    const float g = static_cast<float>(path.SpeedFactor());
    pathPos += 0.005f * g / (orbitScale * orbitScale * s);
    // Every top covers the same arc per frame: wide orbits turn, and so climb, slowly.
    const float omega = 40.0f * g / (s * orbitScale);
    spin += omega;

    stretch = 1.0f;
    if (path.Params().stretchTops) {
        float z = omega * orbitScale * s * 0.02f;
        const float most = 2.0f * s / static_cast<float>(path.Params().topSize);
        if (z > most)
            z = most;
        if (z < 1.0f)
            z = 1.0f;
        stretch = z;
    }
}

// The rotation by tilt degrees about tiltAxis = heading x up turns +y onto the heading (the
// negative factor makes the angle's sense match that axis).
void Top::TurnOntoHeading(Vec3 heading)
{
    Cross3(heading, kUp, tiltAxis);
    // Rounding may leave a unit vector's y a hair above 1; acos must not see that.
    const float cosine = std::clamp(Dot3(heading, kUp), -1.0f, 1.0f);
    tilt = std::acos(cosine) * kNegativeDegreesPerRadian;
    // A vertical (or zero) heading has no axis; OpenGL's handling of a zero axis is not relied
    // on: no rotation going up (or standing still), half a turn about x going down.
    if (tiltAxis.x * tiltAxis.x + tiltAxis.z * tiltAxis.z == 0.0f) {
        tiltAxis = Vec3{1.0f, 0.0f, 0.0f};
        tilt = heading.y < 0.0f ? 180.0f : 0.0f;
    }
}
