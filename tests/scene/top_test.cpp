// A top's runs and its pose on a path, with scripted draws.
#include <array>
#include <cmath>

#include "scene_testing.h"

namespace {

// Each row restarts the top past the top end in the path's colour of that moment: the path's
// colour, then the top's, its hue off the sectors' middles so that a moved bound changes the
// sector.
TEST_F(SceneTest, ATopRestartsPastTheTopEndAtTheBottomInThePathsColourOfThatMomentInRgb)
{
    TopPath path(sceneParams, random);
    Top top(path, random);
    const std::pair<Hsv, const char*> colours[] = {
        {{0.1, 0.5, 0.5}, "0.5 0.4 0.25 -200"},  // red to yellow, half saturated, half value
        {{0.2, 1, 1}, "0.8 1 0 -200"},       // yellow to green
        {{0.4, 1, 1}, "0 1 0.4 -200"},       // green to cyan
        {{0.55, 0.5, 1}, "0.5 0.85 1 -200"},  // cyan to blue, half saturated
        {{0.7, 1, 1}, "0.2 0 1 -200"},       // blue to magenta
        {{0.9, 1, 1}, "1 0 0.6 -200"},       // magenta to red
    };
    for (const auto& [colour, rgb] : colours) {
        path.colour = colour;
        top.pathPos = 1.0001;
        top.Step(random);
        EXPECT_EQ(Words(top.colour.red, top.colour.green, top.colour.blue, top.position.y), rgb);
    }
}

// A straight path from -to to to, with radii 5, 20, 40 and 200 at 0, 1/3, 2/3 and 1 and nothing
// read past the top end.
TEST_F(SceneTest, ATopSitsOnTheCurveTurnedOntoTheHeadingOutOnItsOrbitAndGoesTheSameArcEveryFrame)
{
    // To, the top's place on the path, the speed factor and the draw for the orbit scale (0 gives
    // 0.2, kMax gives 1; the spin draws 0). Then the top's height, its tilt and the x and z of the
    // tilt's axis, its orbit radius, and its place, turn and stretch after the frame.
    const std::pair<std::array<float, 6>, const char*> rows[] = {
        // Slant, at the top end.
        {{100, 200, 100, 1, 2, 0}, "200 -35.264 -0.40825 0 0.40825 40 1.0013 2 1.6"},
        // Standing still.
        {{0, 0, 0, 1 / 6.0, 1, kMax}, "0 0 1 0 0 12.5 0.16707 3.2 1"},
    };
    for (const auto& [input, pose] : rows) {
        const auto [x, y, z, pathPos, speed, orbitScaleDraw] = input;
        sceneParams = SceneParams{10, 2, 1, 100, int32_t(speed), 1, 0};
        TopPath path(sceneParams, random);
        for (int i = 0; i < 4; ++i)
            path.points[i] = Vec3{x * (i / 1.5f - 1), y * (i / 1.5f - 1), z * (i / 1.5f - 1)};
        std::ranges::copy(std::initializer_list<float>{5, 20, 40, 200, NAN}, path.radii);
        ScriptedRandom draws(orbitScaleDraw ? "10" : "00");
        Top top(path, draws);
        top.pathPos = pathPos;
        top.Step(random);
        EXPECT_EQ(Words(top.position.y, top.tilt, top.tiltAxis.x, top.tiltAxis.y, top.tiltAxis.z,
                        top.orbitRadius, top.pathPos, top.spin, top.stretch),
                  pose);
    }
}

}  // namespace
