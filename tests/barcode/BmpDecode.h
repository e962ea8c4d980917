// Test helper: reads our monochrome bitmaps and decodes their Aztec symbols with zxing-cpp.
#pragma once

#include "../TestUtil.h"

#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>
#include <cstdint>
#include <string>
#include <vector>

namespace bmptest {

struct Gray {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels; // 0 black, 255 white, rows top-down
    bool operator==(const Gray&) const = default;
};

inline std::uint32_t U32(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

// 1-bit rows from the top, `stride` bytes each, leftmost pixel in the highest bit, a set bit white:
// the barcode library's images in memory, and a QImage::Format_Mono with black at index 0.
inline Gray FromBits(int width, int height, int stride, const unsigned char* bits) {
    Gray g;
    g.width = width;
    g.height = height;
    g.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((bits[static_cast<std::size_t>(y) * stride + x / 8] >> (7 - x % 8)) & 1) g.pixels[static_cast<std::size_t>(y) * width + x] = 255;
    return g;
}

// A 1-bit bitmap file with a black-and-white palette.
inline Gray ReadBmp(const std::string& path) {
    const std::string b = testutil::ReadFile(path);
    Gray g;
    if (b.size() < 62 || b[0] != 'B' || b[1] != 'M') return g;
    const std::uint32_t offset = U32(b, 10);
    g.width = static_cast<int>(U32(b, 18));
    g.height = static_cast<int>(U32(b, 22));
    const int stride = ((g.width + 31) / 32) * 4;
    g.pixels.assign(static_cast<std::size_t>(g.width) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
        const std::size_t row = offset + static_cast<std::size_t>(g.height - 1 - y) * stride;
        for (int x = 0; x < g.width; ++x) {
            const bool white = (static_cast<std::uint8_t>(b[row + x / 8]) >> (7 - x % 8)) & 1;
            g.pixels[static_cast<std::size_t>(y) * g.width + x] = white ? 255 : 0;
        }
    }
    return g;
}

// Decodes the square cells of an image from the top, stopping at the first empty cell.
inline std::vector<std::string> DecodeColumn(const Gray& g) {
    std::vector<std::string> out;
    const int cell = g.width;
    for (int top = 0; top + cell <= g.height; top += cell) {
        ZXing::ImageView view(g.pixels.data() + static_cast<std::size_t>(top) * g.width, g.width, cell, ZXing::ImageFormat::Lum);
        ZXing::DecodeHints hints;
        hints.setFormats(ZXing::BarcodeFormat::Aztec);
        hints.setTryHarder(true);
        const ZXing::Result r = ZXing::ReadBarcode(view, hints);
        if (!r.isValid()) break;
        const auto& bytes = r.bytes();
        out.emplace_back(bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace bmptest
