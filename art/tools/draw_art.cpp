// Draws the program's artwork into art/. Regenerate with `make art`; the output is committed.
//   zirel.ico                the program icon: a lit double-pyramid top on a transparent ground
//   dialog/button_*.bmp      the command button's faces, 64 x 25 (only a 4-pixel rim is ever used)
//   dialog/panel_texture.bmp the settings panel's brushed-metal texture, 556 x 20
//   dialog/option_*.bmp      the unmarked and marked option boxes, 12 x 12
//   dialog/link.cur          the pointing hand over the web link
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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


Rgba Mix(Rgba a, Rgba b, float t)
{
    auto lerp = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
    return Rgba{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), 255};
}

// Vertical blend from `top` to `bottom` over the rows y0..y1 of the columns x0..x1.
void FillVertical(Image& image, int x0, int y0, int x1, int y1, Rgba top, Rgba bottom)
{
    for (int y = y0; y <= y1; ++y) {
        const Rgba c = Mix(top, bottom, y1 == y0 ? 0.0f : float(y - y0) / float(y1 - y0));
        for (int x = x0; x <= x1; ++x)
            image.at(x, y) = c;
    }
}

// A one-pixel outline of the rectangle (x0, y0)-(x1, y1) with its corner pixels cut and a
// blended pixel on each diagonal, so the corners look rounded.
void RoundedOutline(Image& image, int x0, int y0, int x1, int y1, Rgba line, Rgba ground)
{
    for (int x = x0 + 2; x <= x1 - 2; ++x) {
        image.at(x, y0) = line;
        image.at(x, y1) = line;
    }
    for (int y = y0 + 2; y <= y1 - 2; ++y) {
        image.at(x0, y) = line;
        image.at(x1, y) = line;
    }
    const Rgba soft = Mix(ground, line, 0.55f);
    for (auto [x, y] : {std::pair{x0 + 1, y0 + 1}, {x1 - 1, y0 + 1}, {x0 + 1, y1 - 1}, {x1 - 1, y1 - 1}})
        image.at(x, y) = soft;
    for (auto [x, y] : {std::pair{x0 + 1, y0}, {x0, y0 + 1}, {x1 - 1, y0}, {x1, y0 + 1},
                        {x0 + 1, y1}, {x0, y1 - 1}, {x1 - 1, y1}, {x1, y1 - 1}})
        image.at(x, y) = Mix(ground, line, 0.8f);
}

enum class Rim { None, Amber, Blue };

constexpr Rgba kBeige{236, 233, 216, 255};
constexpr Rgba kNavy{0, 60, 116, 255};

// One 64 x 25 button face: beige ground, outline inset by one pixel (`shift` moves it right
// and down for the pressed look), a face blend inside and an optional two-pixel coloured rim.
Image DrawButtonFace(Rgba line, Rgba faceTop, Rgba faceBottom, Rim rim, int shift)
{
    Image image(64, 25, kBeige);
    const int x0 = 1 + shift, y0 = 1 + shift, x1 = 62 + shift, y1 = 23 + shift;
    FillVertical(image, x0 + 1, y0 + 1, std::min(x1 - 1, 63), std::min(y1 - 1, 24), faceTop, faceBottom);
    if (rim != Rim::None) {
        const Rgba top = rim == Rim::Amber ? Rgba{253, 216, 137, 255} : Rgba{206, 231, 255, 255};
        const Rgba bottom = rim == Rim::Amber ? Rgba{229, 151, 0, 255} : Rgba{105, 130, 238, 255};
        for (int y = y0 + 1; y <= y1 - 1; ++y) {
            const Rgba c = Mix(top, bottom, float(y - y0 - 1) / float(y1 - y0 - 2));
            const bool band = y <= y0 + 2 || y >= y1 - 2;
            for (int x = x0 + 1; x <= x1 - 1; ++x)
                if (band || x <= x0 + 2 || x >= x1 - 2)
                    image.at(x, y) = c;
        }
    }
    RoundedOutline(image, x0, y0, std::min(x1, 63), std::min(y1, 24), line, kBeige);
    return image;
}

// A small deterministic generator, so `make art` redraws the same bytes every time.
struct Noise {
    uint32_t state;
    float Next()  // 0 .. 1
    {
        state = state * 1664525u + 1013904223u;
        return float(state >> 8) / float(1u << 24);
    }
};

// Light grey horizontal streaks: each row has its own shade, smoothed along the row with
// slowly changing grain, and every row wraps around so the tiles meet without a seam.
Image DrawPanelTexture()
{
    const int w = 556, h = 20;
    Image image(w, h, Rgba{0, 0, 0, 255});
    Noise noise{20240611u};
    for (int y = 0; y < h; ++y) {
        const float rowShade = 214.0f + 14.0f * (noise.Next() - 0.5f);
        std::vector<float> grain(w);
        for (float& g : grain)
            g = noise.Next() - 0.5f;
        for (int x = 0; x < w; ++x) {
            float streak = 0.0f;
            for (int k = -6; k <= 6; ++k)
                streak += grain[(x + k + w) % w];
            const float v = rowShade + streak * 5.0f + 3.0f * (noise.Next() - 0.5f);
            const uint8_t c = uint8_t(std::lround(std::fmin(246.0f, std::fmax(190.0f, v))));
            image.at(x, y) = Rgba{c, c, uint8_t(std::min(255, c + 2)), 255};
        }
    }
    return image;
}

// The option box: a grey frame around a light, slightly shaded well; marked adds a blue square.
Image DrawOptionBox(bool marked)
{
    Image image(12, 12, Rgba{128, 128, 128, 255});
    FillVertical(image, 1, 1, 10, 10, Rgba{228, 228, 226, 255}, Rgba{255, 255, 255, 255});
    for (int i = 1; i <= 10; ++i) {
        image.at(i, 1) = Rgba{200, 200, 198, 255};
        image.at(1, i) = Rgba{200, 200, 198, 255};
    }
    if (marked) {
        FillVertical(image, 3, 3, 8, 8, Rgba{70, 120, 230, 255}, Rgba{20, 60, 170, 255});
    }
    return image;
}

// The pointing hand: black outline, white inside, index finger up; its tip is the hot spot.
Image DrawLinkCursor()
{
    static const char* const rows[] = {
        "      XX          ",
        "     XooX         ",
        "     XooX         ",
        "     XooX         ",
        "     XooX         ",
        "     XooXXX       ",
        "     XooXooXXX    ",
        "     XooXooXooXX  ",
        "  XX XooXooXooXoX ",
        " XooXXooooooooXooX",
        " XoooXoooooooooooX",
        "  XooXoooooooooooX",
        "   XoXoooooooooooX",
        "   XooooooooooooX ",
        "    XoooooooooooX ",
        "    XooooooooooX  ",
        "     XoooooooooX  ",
        "     XoooooooooX  ",
        "      XooooooooX  ",
        "      XooooooooX  ",
        "      XXXXXXXXXX  ",
    };
    Image image(32, 32, Rgba{0, 0, 0, 0});
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x) {
            if (row[x] == 'X')
                image.at(x, y) = Rgba{0, 0, 0, 255};
            else if (row[x] == 'o')
                image.at(x, y) = Rgba{255, 255, 255, 255};
        }
        ++y;
    }
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "art";
    bool ok = WriteIco(dir + "/zirel.ico", {DrawIcon(32), DrawIcon(16), DrawIcon(48)});

    const std::string dialog = dir + "/dialog";
    std::error_code error;
    std::filesystem::create_directories(dialog, error);
    const Rgba light{255, 255, 255, 255}, paleGrey{236, 235, 228, 255};
    ok = WriteBmp24(dialog + "/button_normal.bmp", DrawButtonFace(kNavy, light, paleGrey, Rim::None, 0)) && ok;
    // HighLight and HighLightSelect share this image.
    ok = WriteBmp24(dialog + "/button_highlight.bmp", DrawButtonFace(kNavy, light, paleGrey, Rim::Amber, 0)) && ok;
    ok = WriteBmp24(dialog + "/button_selected.bmp", DrawButtonFace(kNavy, light, paleGrey, Rim::Blue, 0)) && ok;
    ok = WriteBmp24(dialog + "/button_pressed.bmp",
                    DrawButtonFace(kNavy, Rgba{209, 204, 193, 255}, Rgba{226, 223, 214, 255}, Rim::None, 1)) && ok;
    ok = WriteBmp24(dialog + "/button_disable.bmp",
                    DrawButtonFace(Rgba{201, 199, 186, 255}, Rgba{245, 244, 234, 255}, Rgba{245, 244, 234, 255},
                                   Rim::None, 0)) && ok;
    ok = WriteBmp24(dialog + "/panel_texture.bmp", DrawPanelTexture()) && ok;
    ok = WriteBmp24(dialog + "/option_unmarked.bmp", DrawOptionBox(false)) && ok;
    ok = WriteBmp24(dialog + "/option_marked.bmp", DrawOptionBox(true)) && ok;
    ok = WriteCur(dialog + "/link.cur", DrawLinkCursor(), 6, 0) && ok;
    if (!ok)
        std::fprintf(stderr, "draw_art: could not write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
