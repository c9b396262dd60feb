// A top's restart at the bottom of its path, with scripted draws.
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

}  // namespace
