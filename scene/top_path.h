// One of the scene's invisible paths: a Bezier curve whose control points swing out toward fresh
// random targets and back, orbit radii along it that drift linearly between random values, and a
// colour that blends from one random target to the next. Frames, not time, count every cycle.
#pragma once

#include <cstdint>

#include "colour.h"
#include "scene_params.h"
#include "vec3.h"

class RandomSource;

// The inner point count N is kept within 1..10: 0 would merge the row below the top end with
// the row above the bottom end, and the factorial table ends at 12!, degree N + 2.
inline constexpr int32_t kMaxInnerPoints = 10;
inline constexpr int32_t kMaxControlPoints = kMaxInnerPoints + 3;

// A cycle of `length` frames of which `frame` are done; due when they are equal.
struct CycleTimer {
    int32_t frame;
    int32_t length;

    bool Due() const { return frame == length; }
    float Fraction() const { return static_cast<float>(frame) / static_cast<float>(length); }
};

class TopPath {
public:
    // Draws the initial control points (top end first), radii and colours from `random`.
    TopPath(const SceneParams& params, RandomSource& random);
    virtual ~TopPath() = default;

    // One frame: renews and eases the control points, renews and moves the radii, blends the
    // colour. (DrawScene draws the curve and its control polygon when showPaths is set.)
    void Step(RandomSource& random);

    // The orbit-radius value at curve parameter pathPos, read off the straight segments between
    // the radii, which sit at even steps of 1 / (N + 2).
    float RadiusAt(float pathPos) const;

    int32_t InnerPointCount() const { return innerCount_; }
    int32_t PointCount() const { return innerCount_ + 3; }
    int32_t Degree() const { return innerCount_ + 2; }  // also the index of the top end
    int32_t SpeedFactor() const { return speed_; }
    const SceneParams& Params() const { return params_; }

    // Index 0 is the bottom end (curve parameter 0), Degree() the top end (parameter 1); only
    // the first PointCount() entries of each array are used.
    Vec3 targetPoints[kMaxControlPoints]{};
    Vec3 points[kMaxControlPoints]{};  // the curve the tops follow
    Vec3 startPoints[kMaxControlPoints]{};
    float targetRadii[kMaxControlPoints]{};
    float radii[kMaxControlPoints]{};
    float startRadii[kMaxControlPoints]{};
    Hsv targetColour{};
    Hsv colour{};  // what a top takes on at its reset
    Hsv startColour{};
    CycleTimer pointTimers[kMaxControlPoints]{};
    CycleTimer radiusTimers[kMaxControlPoints]{};
    int32_t colourFrame = 0;
    int32_t colourFrames = 0;

private:
    void RenewPointTargets(RandomSource& random);
    void EasePoints();
    void RenewRadiusTargets(RandomSource& random);
    void MoveRadii();
    void StepColour(RandomSource& random);

    const SceneParams& params_;
    int32_t innerCount_;  // N
    int32_t speed_;       // g, kept within 1..1500 so that no cycle lasts 0 frames
};
