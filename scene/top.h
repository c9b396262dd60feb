// One spinning top: it climbs its path's curve from the bottom end, circling around the curve as
// it rises, and starts again at the bottom, in the path's colour of that moment, once it has
// passed the top end.
#pragma once

#include "colour.h"
#include "vec3.h"

class RandomSource;
class TopPath;

class Top {
public:
    // Binds the top to `path` (not owned) and starts its first run.
    Top(TopPath& path, RandomSource& random);
    virtual ~Top() = default;

    // Starts a new run at the bottom end: orbit scale, then spin, drawn in that order.
    void Reset(RandomSource& random);
    // The frame's motion: restarts a finished run, places the top on the curve, turns it onto the
    // heading and moves it along and around the curve. Leaves the pose the drawing uses.
    void Step(RandomSource& random);

    Rgb colour{};         // set at each reset and fixed for the run
    Vec3 position{};      // the curve at pathPos, before this frame's climb
    float orbitScale = 0;  // 0.2..1.0: scales the orbit radius, slows climb and spin
    float pathPos = 0;     // curve parameter: 0 at the start of a run, which ends past 1
    float spin = 0;        // degrees about the heading; grows, never wrapped
    TopPath& path;

    // The pose left by Step for the drawing.
    float tilt = 0;         // degrees about tiltAxis that turn +y onto the heading
    Vec3 tiltAxis{1, 0, 0};
    float orbitRadius = 0;  // distance from the curve, world units
    float stretch = 1;      // length factor along the orbit, used when stretchTops is set

private:
    void TurnOntoHeading(Vec3 heading);
};
