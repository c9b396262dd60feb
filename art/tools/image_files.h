// Tiny writers for the art generator: 24-bit BMP and 32-bit ICO from an RGBA pixel buffer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r, g, b, a;
};

struct Image {
    int width;
    int height;
    std::vector<Rgba> pixels;  // row-major, top row first

    Image(int w, int h, Rgba fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    Rgba& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Writes a bottom-up 24-bit BMP (alpha dropped). Returns false on an I/O error.
bool WriteBmp24(const std::string& path, const Image& image);

// Writes an ICO holding the given square images as 32-bit BMP entries with an AND mask.
bool WriteIco(const std::string& path, const std::vector<Image>& images);

// Writes a CUR holding one image as a 32-bit BMP entry with an AND mask; (hotX, hotY) is the
// pixel the pointer points with.
bool WriteCur(const std::string& path, const Image& image, int hotX, int hotY);
