#include "image_files.h"

#include <cstdio>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// BITMAPINFOHEADER; `heightField` is doubled inside an icon (colour rows + mask rows).
void PutInfoHeader(std::vector<uint8_t>& out, int width, int heightField, int bits, uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(heightField));
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

}  // namespace

bool WriteBmp24(const std::string& path, const Image& image)
{
    const uint32_t stride = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(image.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, image.width, image.height, 24, imageSize);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (uint32_t pad = uint32_t(image.width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return WriteAll(path, out);
}

namespace {

// One 32-bit icon/cursor entry: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask.
std::vector<uint8_t> IconEntry(const Image& image)
{
    std::vector<uint8_t> entry;
    const uint32_t maskStride = ((uint32_t(image.width) + 31) / 32) * 4;
    const uint32_t colourSize = uint32_t(image.width) * image.height * 4;
    PutInfoHeader(entry, image.width, image.height * 2, 32, colourSize + maskStride * image.height);
    for (int y = image.height - 1; y >= 0; --y)
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            entry.insert(entry.end(), {p.b, p.g, p.r, p.a});
        }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y).a == 0)
                row[x / 8] |= uint8_t(0x80 >> (x % 8));
        entry.insert(entry.end(), row.begin(), row.end());
    }
    return entry;
}

// ICONDIR + entries. `type` is 1 for an icon, 2 for a cursor; a cursor's directory entry holds
// its hot spot where an icon's holds planes and bit count.
bool WriteIconFile(const std::string& path, const std::vector<Image>& images, uint16_t type, int hotX, int hotY)
{
    std::vector<std::vector<uint8_t>> entries;
    for (const Image& image : images)
        entries.push_back(IconEntry(image));

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, type);
    Put16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width >= 256 ? 0 : images[i].width));
        out.push_back(uint8_t(images[i].height >= 256 ? 0 : images[i].height));
        out.push_back(0);
        out.push_back(0);
        Put16(out, type == 2 ? uint32_t(hotX) : 1);
        Put16(out, type == 2 ? uint32_t(hotY) : 32);
        Put32(out, uint32_t(entries[i].size()));
        Put32(out, offset);
        offset += uint32_t(entries[i].size());
    }
    for (const auto& entry : entries)
        out.insert(out.end(), entry.begin(), entry.end());
    return WriteAll(path, out);
}

}  // namespace

bool WriteIco(const std::string& path, const std::vector<Image>& images)
{
    return WriteIconFile(path, images, 1, 0, 0);
}

bool WriteCur(const std::string& path, const Image& image, int hotX, int hotY)
{
    return WriteIconFile(path, {image}, 2, hotX, hotY);
}
