// Draws the program's artwork into art/. Regenerate with `make art`; the output is committed.
//   zirel.ico  the program icon: a lit double-pyramid top on a transparent ground
#include <cmath>
#include <cstdio>
#include <string>

#include "image_files.h"

namespace {

// A top seen from the side: two triangles meeting at the widest row, lit from the left.
Image DrawIcon(int size)
{
    Image image(size, size, Rgba{0, 0, 0, 0});
    const float cx = (size - 1) / 2.0f;
    const float half = size * 0.42f;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float dy = std::fabs(y - cx) / half;  // 0 at the waist, 1 at the apexes
            const float dx = (x - cx) / half;
            if (dy >= 1.0f || std::fabs(dx) > 1.0f - dy)
                continue;
            const float side = dx / (1.0f - dy + 1e-6f);       // -1 left edge .. 1 right edge
            const float light = 0.55f + 0.45f * (-side) * 0.8f;  // brighter on the left
            const bool upper = y < cx;
            const float r = upper ? 1.0f : 0.95f, g = upper ? 0.62f : 0.35f, b = upper ? 0.18f : 0.55f;
            auto channel = [&](float c) { return uint8_t(std::lround(255.0f * std::fmin(1.0f, c * light + 0.06f))); };
            image.at(x, y) = Rgba{channel(r), channel(g), channel(b), 255};
        }
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "art";
    bool ok = WriteIco(dir + "/zirel.ico", {DrawIcon(32), DrawIcon(16), DrawIcon(48)});
    if (!ok)
        std::fprintf(stderr, "draw_art: could not write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
