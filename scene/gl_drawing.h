// Everything the scene sends to OpenGL: the top model, the light and materials, one top under its
// transform, and a path's curve and control polygon.
#pragma once

#include <cstdint>

class Top;
class TopPath;

inline constexpr unsigned kTopModelList = 1;  // display list holding the top model

// Display list kTopModelList: a GLU sphere of radius topSize * 0.25 with 3 slices and 2 stacks,
// which is a double pyramid.
void BuildTopModel(int32_t topSize);
// Lighting with one directional light, and colour material: from here on the current colour
// sets the front ambient and diffuse colour while the specular stays a 0.7 grey.
void SetUpLightAndMaterial();
// One top: colour, then the model under translate, heading, spin and orbit (and stretch).
void DrawTop(const Top& top);
// A path unlit: its curve in green (51 vertices) and its control polygon in red.
void DrawPath(const TopPath& path);
