#include "platform/VAztecBarCode.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <zint.h>

namespace {

constexpr int kPixelsPerModule = 4;
constexpr int kQuietModules = 2;

// One encoded symbol as a square of modules (true = dark).
struct Symbol {
    int size = 0;
    std::vector<bool> dark;
};

bool Encode(const unsigned char* data, int length, Symbol& out) {
    zint_symbol* s = ZBarcode_Create();
    if (!s) return false;
    s->symbology = BARCODE_AZTEC;
    s->input_mode = DATA_MODE;
    s->option_1 = 2; // error correction of about a quarter of the symbol
    s->scale = 0.5f; // one pixel a module
    s->border_width = 0;
    s->whitespace_width = 0;
    s->output_options = 0;
    bool ok = ZBarcode_Encode(s, data, length) < ZINT_ERROR && ZBarcode_Buffer(s, 0) < ZINT_ERROR;
    if (ok) {
        const int w = s->bitmap_width, h = s->bitmap_height;
        out.size = std::max(w, h);
        out.dark.assign(static_cast<std::size_t>(out.size) * out.size, false);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char* px = s->bitmap + (static_cast<std::size_t>(y) * w + x) * 3;
                out.dark[static_cast<std::size_t>(y) * out.size + x] = px[0] < 128;
            }
    }
    ZBarcode_Delete(s);
    return ok;
}

void Put16(std::string& b, std::uint16_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>(v >> 8);
}
void Put32(std::string& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A monochrome bitmap file (1 bit a pixel, rows bottom-up, black and white palette).
bool WriteBmp(const std::string& path, int width, int height, const std::vector<bool>& dark) {
    const int stride = ((width + 31) / 32) * 4;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(stride) * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = 14 + 40 + 8;
    std::string b;
    b += "BM";
    Put32(b, offset + dataSize);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, 1);
    Put32(b, 0);
    Put32(b, dataSize);
    Put32(b, 11811); // 300 dots per inch
    Put32(b, 11811);
    Put32(b, 2);
    Put32(b, 2);
    Put32(b, 0x00000000); // index 0: black
    Put32(b, 0x00FFFFFF); // index 1: white
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int y = height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), '\0');
        for (int x = 0; x < width; ++x)
            if (!dark[static_cast<std::size_t>(y) * width + x]) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        b += row;
    }
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    ok = (std::fclose(f) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

std::string ImageName(const std::string& pattern, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number);
    const std::size_t at = pattern.find('%');
    if (at == std::string::npos) return pattern + digits;
    return pattern.substr(0, at) + digits + pattern.substr(at + 1);
}

} // namespace

extern "C" int CreateAztecBarCodeFiles(const char* textPath, const char* pattern, int /*mode*/) {
    if (!textPath || !pattern) return -1;
    std::ifstream in(textPath, std::ios::binary);
    if (!in) return -1;
    const std::string text((std::istreambuf_iterator<char>(in)), {});

    std::vector<Symbol> symbols;
    for (std::size_t at = 0; at < text.size(); at += kAztecChunkBytes) {
        const int length = static_cast<int>(std::min<std::size_t>(kAztecChunkBytes, text.size() - at));
        Symbol s;
        if (!Encode(reinterpret_cast<const unsigned char*>(text.data() + at), length, s)) return -1;
        symbols.push_back(std::move(s));
    }
    if (symbols.empty()) return 0;

    // Every symbol gets a square cell of the same size: the largest symbol with its quiet zone.
    int modules = 0;
    for (const Symbol& s : symbols) modules = std::max(modules, s.size);
    const int cell = (modules + 2 * kQuietModules) * kPixelsPerModule;
    const int images = static_cast<int>((symbols.size() + kAztecSymbolsPerImage - 1) / kAztecSymbolsPerImage);
    for (int img = 0; img < images; ++img) {
        const int width = cell, height = cell * kAztecSymbolsPerImage;
        std::vector<bool> dark(static_cast<std::size_t>(width) * height, false);
        for (int k = 0; k < kAztecSymbolsPerImage; ++k) {
            const std::size_t index = static_cast<std::size_t>(img) * kAztecSymbolsPerImage + k;
            if (index >= symbols.size()) break;
            const Symbol& s = symbols[index];
            const int offset = (cell - s.size * kPixelsPerModule) / 2;
            for (int y = 0; y < s.size; ++y)
                for (int x = 0; x < s.size; ++x) {
                    if (!s.dark[static_cast<std::size_t>(y) * s.size + x]) continue;
                    for (int dy = 0; dy < kPixelsPerModule; ++dy)
                        for (int dx = 0; dx < kPixelsPerModule; ++dx) {
                            const int px = offset + x * kPixelsPerModule + dx;
                            const int py = k * cell + offset + y * kPixelsPerModule + dy;
                            dark[static_cast<std::size_t>(py) * width + px] = true;
                        }
                }
        }
        if (!WriteBmp(ImageName(pattern, img + 1), width, height, dark)) return -1;
    }
    return images;
}
