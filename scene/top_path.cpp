// A path's construction and its per-frame step: control-point cycles with cosine easing,
// orbit-radius cycles with linear motion, and the colour cycle.
#include "top_path.h"

#include <algorithm>
#include <cmath>

#include "random_draws.h"

namespace {

constexpr float kTwoPi = 6.2831855f;  // 2 pi in single precision

// The y of an inner control point's target stays within the paths' height.
float LimitHeight(float y)
{
    return std::clamp(y, -200.0f, 200.0f);
}

}  // namespace

TopPath::TopPath(const SceneParams& params, RandomSource& random)
    : params_(params),
      innerCount_(std::clamp(params.innerPointCount, int32_t{1}, kMaxInnerPoints)),
      speed_(std::clamp(params.speedFactor, int32_t{1}, int32_t{1500}))
{
    const int32_t n = innerCount_;
    const int32_t top = n + 2;
    Vec3* p = points;

    // Draws go x, y, z within a point, from the top end down.
    p[top].x = RandomUpTo(random, 400.0f) - 200.0f;
    p[top].y = 200.0f;
    p[top].z = RandomUpTo(random, 400.0f) - 200.0f;
    p[n + 1] = Vec3{p[top].x, RandomUpTo(random, 66.0f) + 50.0f, p[top].z};
    for (int32_t i = n; i >= 2; --i) {
        p[i].x = RandomUpTo(random, 200.0f) + p[i + 1].x - 100.0f;
        p[i].y = RandomUpTo(random, 400.0f) - 200.0f;
        p[i].z = RandomUpTo(random, 200.0f) + p[i + 1].z - 100.0f;
    }
    p[1].x = RandomUpTo(random, 100.0f) + p[2].x - 50.0f;
    p[1].y = -RandomUpTo(random, 100.0f) - 50.0f;
    p[1].z = RandomUpTo(random, 100.0f) + p[2].z - 50.0f;
    p[0].x = RandomUpTo(random, 25.0f) + p[1].x - 12.0f;
    p[0].y = -200.0f;
    p[0].z = RandomUpTo(random, 25.0f) + p[1].z - 12.0f;

    radii[top] = RandomUpTo(random, 175.0f) + 75.0f;
    radii[n + 1] = RandomUpTo(random, 60.0f) + 15.0f;
    for (int32_t i = n; i >= 2; --i)
        radii[i] = RandomUpTo(random, 25.0f) + 15.0f;
    radii[1] = RandomUpTo(random, 25.0f) + 5.0f;
    radii[0] = RandomUpTo(random, 15.0f) + 5.0f;

    // Every timer is due at the first step, which draws all targets. Until then the targets and
    // starts hold the constructed values, so an inner row's first target (which reads the
    // target of the row below it before that row has drawn one) starts from a real point.
    for (int32_t i = 0; i <= top; ++i) {
        targetPoints[i] = startPoints[i] = p[i];
        targetRadii[i] = startRadii[i] = radii[i];
        pointTimers[i] = radiusTimers[i] = CycleTimer{0, 0};
    }

    startColour.hue = RandomUpTo(random, 1.0f);
    startColour.saturation = RandomUpTo(random, 1.0f);
    startColour.value = 0.0f;
    targetColour.hue = RandomUpTo(random, 1.0f);
    targetColour.saturation = RandomUpTo(random, 1.0f);
    targetColour.value = 1.0f;
    colour = startColour;
    colourFrame = 0;
    colourFrames = 300;
}

void TopPath::Step(RandomSource& random)
{
    RenewPointTargets(random);
    EasePoints();
    RenewRadiusTargets(random);
    MoveRadii();
    StepColour(random);
}

float TopPath::RadiusAt(float pathPos) const
{
    const int32_t segments = innerCount_ + 2;
    int32_t k = static_cast<int32_t>(static_cast<float>(segments) * pathPos);
    if (k >= segments)
        k = segments - 1;
    const float u = static_cast<float>(segments) *
                    (pathPos - static_cast<float>(k) / static_cast<float>(segments));
    return (1.0f - u) * radii[k] + u * radii[k + 1];
}

void TopPath::RenewPointTargets(RandomSource& random)
{
    const int32_t n = innerCount_;
    const int32_t top = n + 2;
    const int32_t g = speed_;
    const Vec3* P = points;  // as they stood before this frame's easing
    Vec3* T = targetPoints;  // rows above i already renewed this frame

    for (int32_t i = top; i >= 0; --i) {
        if (!pointTimers[i].Due())
            continue;
        startPoints[i] = points[i];
        int32_t length;
        if (i == top) {
            T[i].x = RandomUpTo(random, 400.0f) - 200.0f;
            T[i].y = 200.0f;
            T[i].z = RandomUpTo(random, 400.0f) - 200.0f;
            length = RandomCycle(random, 10000, 5000, g);
        } else if (i == n + 1) {
            T[i].x = P[top].x;
            T[i].y = RandomUpTo(random, 66.0f) + 50.0f;
            T[i].z = P[top].z;
            length = RandomCycle(random, 7000, 5000, g);
        } else if (i >= 2) {
            // Carries on the bend of the two rows above, halfway between its neighbours' heights.
            T[i].x = (T[i + 1].x - T[i + 2].x) * 0.5f + RandomUpTo(random, 100.0f) + T[i + 1].x -
                     50.0f;
            T[i].y = LimitHeight((T[i + 1].y + T[i - 1].y) * 0.5f + RandomUpTo(random, 25.0f) -
                                 12.0f);
            T[i].z = (T[i + 1].z - T[i + 2].z) * 0.5f + T[i + 1].z +
                     RandomUpTo(random, 100.0f) - 50.0f;
            length = RandomCycle(random, 5000, 3000, g);
        } else if (i == 1) {
            T[i].x = RandomUpTo(random, 100.0f) + T[2].x - 50.0f;
            T[i].y = -RandomUpTo(random, 100.0f) - 50.0f;
            T[i].z = RandomUpTo(random, 100.0f) + T[2].z - 50.0f;
            length = RandomCycle(random, 4000, 2000, g);
        } else {
            T[i].x = RandomUpTo(random, 25.0f) + P[1].x - 12.0f;
            T[i].y = -200.0f;
            T[i].z = RandomUpTo(random, 25.0f) + P[1].z - 12.0f;
            length = RandomCycle(random, 3000, 1500, g);
        }
        pointTimers[i] = CycleTimer{0, length};
    }
}

void TopPath::EasePoints()
{
    // Out to the target by half the cycle and back: each point stays anchored near where its
    // cycle began.
    for (int32_t i = 0; i < PointCount(); ++i) {
        const float e = (1.0f - std::cos(pointTimers[i].Fraction() * kTwoPi)) * 0.5f;
        const Vec3& from = startPoints[i];
        const Vec3& to = targetPoints[i];
        points[i] = Vec3{from.x + (to.x - from.x) * e, from.y + (to.y - from.y) * e,
                         from.z + (to.z - from.z) * e};
        ++pointTimers[i].frame;
    }
}

void TopPath::RenewRadiusTargets(RandomSource& random)
{
    const int32_t n = innerCount_;
    const int32_t top = n + 2;
    const int32_t g = speed_;
    for (int32_t i = top; i >= 0; --i) {
        if (!radiusTimers[i].Due())
            continue;
        startRadii[i] = radii[i];
        int32_t length;
        if (i == top) {
            targetRadii[i] = RandomUpTo(random, 225.0f) + 75.0f;
            length = RandomCycle(random, 5000, 5000, g);
        } else if (i == n + 1) {
            targetRadii[i] = RandomUpTo(random, 80.0f) + 15.0f;
            length = RandomCycle(random, 5000, 5000, g);
        } else if (i >= 2) {
            targetRadii[i] = RandomUpTo(random, 25.0f) + 15.0f;
            length = RandomCycle(random, 5000, 4000, g);
        } else if (i == 1) {
            targetRadii[i] = RandomUpTo(random, 25.0f) + 5.0f;
            length = RandomCycle(random, 5000, 3000, g);
        } else {
            targetRadii[i] = RandomUpTo(random, 15.0f) + 5.0f;
            length = RandomCycle(random, 5000, 2000, g);
        }
        radiusTimers[i] = CycleTimer{0, length};
    }
}

void TopPath::MoveRadii()
{
    // Linear: a radius reaches its target at the end of its cycle and the next starts there.
    for (int32_t i = 0; i < PointCount(); ++i) {
        radii[i] = startRadii[i] + (targetRadii[i] - startRadii[i]) * radiusTimers[i].Fraction();
        ++radiusTimers[i].frame;
    }
}

void TopPath::StepColour(RandomSource& random)
{
    if (colourFrame == colourFrames) {
        startColour = colour;
        targetColour.hue = RandomUpTo(random, 1.0f);
        targetColour.saturation = RandomUpTo(random, 1.0f);
        targetColour.value = std::min(RandomUpTo(random, 1.0f) + 0.5f, 1.0f);
        colourFrame = 0;
        // Not divided by the speed factor: colours keep their pace whatever the motion's.
        colourFrames = 100 + (1900 * random.Next()) / 32767;
    }
    const float f = static_cast<float>(colourFrame) / static_cast<float>(colourFrames);
    // Down through 0 only when the target lies more than half a turn above the start.
    const int32_t downward = targetColour.hue > startColour.hue &&
                             targetColour.hue - startColour.hue > 0.5f;
    BlendHsv(startColour, targetColour, f, downward, colour.hue, colour.saturation, colour.value);
    ++colourFrame;
}
