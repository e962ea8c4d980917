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

static_assert(kAztecCellPixels % 2 == 0 && kAztecCellPixels * 254 <= 100 * kAztecImageDpi, "a cell is whole 300 dpi dots within 10 mm");
static_assert(kAztecMaxModules * kAztecModulePixels < kAztecCellPixels, "a symbol fits its cell");

// zint's error-correction level 2: 23 % of the symbol plus three codewords.
constexpr int kEccLevel = 2;
// No symbol of kAztecMaxModules holds more bytes than this: it has 608 bits, and Aztec packs at best
// two characters (". ", CR LF) into five of them.
constexpr std::size_t kChunkLimit = 256;

// One encoded symbol as a square of modules (true = dark).
struct Symbol {
    int size = 0;
    std::vector<bool> dark;
};

// False when zint refuses the data or needs a symbol larger than a cell can hold.
bool Encode(const unsigned char* data, int length, Symbol& out) {
    zint_symbol* s = ZBarcode_Create();
    if (!s) return false;
    s->symbology = BARCODE_AZTEC;
    s->input_mode = DATA_MODE;
    s->option_1 = kEccLevel;
    bool ok = ZBarcode_Encode(s, data, length) < ZINT_ERROR && s->width == s->rows && s->width <= kAztecMaxModules;
    if (ok) {
        out.size = s->width;
        out.dark.assign(static_cast<std::size_t>(out.size) * out.size, false);
        for (int y = 0; y < out.size; ++y)
            for (int x = 0; x < out.size; ++x)
                out.dark[static_cast<std::size_t>(y) * out.size + x] = (s->encoded_data[y][x / 8] >> (x % 8)) & 1;
    }
    ZBarcode_Delete(s);
    return ok;
}

// The longest chunk of the text from `at` that still fits one symbol, encoded into `out`; 0 when
// not even one byte does. A longer chunk never needs a smaller symbol, so halving finds it; text
// packs tighter than arbitrary bytes (digits take 4 bits, Latin letters 5, Cyrillic 8), so a fixed
// chunk would leave most symbols part empty.
std::size_t LongestChunk(const std::string& text, std::size_t at, Symbol& out) {
    std::size_t fits = 0, tooLong = std::min(text.size() - at, kChunkLimit) + 1;
    while (tooLong - fits > 1) {
        const std::size_t mid = fits + (tooLong - fits) / 2;
        Symbol s;
        if (Encode(reinterpret_cast<const unsigned char*>(text.data() + at), static_cast<int>(mid), s)) {
            fits = mid;
            out = std::move(s);
        } else {
            tooLong = mid;
        }
    }
    return fits;
}

// An image of symbols laid out as TAztecImage describes, owning its bits.
struct Raster {
    int width = 0, height = 0, stride = 0;
    std::vector<unsigned char> bits;
};

// The symbols, five to an image. Each symbol sits in the middle of its square cell, on whole 300
// dpi dots (pairs of pixels), so that no module edge falls inside a dot of a 300 dpi rendering.
std::vector<Raster> Columns(const std::vector<Symbol>& symbols) {
    constexpr int cell = kAztecCellPixels, k = kAztecModulePixels;
    const std::size_t images = (symbols.size() + kAztecSymbolsPerImage - 1) / kAztecSymbolsPerImage;
    std::vector<Raster> out(images);
    for (std::size_t img = 0; img < images; ++img) {
        const int width = cell, height = cell * kAztecSymbolsPerImage;
        std::vector<bool> dark(static_cast<std::size_t>(width) * height, false);
        for (int c = 0; c < kAztecSymbolsPerImage; ++c) {
            const std::size_t index = img * kAztecSymbolsPerImage + c;
            if (index >= symbols.size()) break;
            const Symbol& s = symbols[index];
            const int offset = (cell - s.size * k) / 4 * 2;
            for (int y = 0; y < s.size; ++y)
                for (int x = 0; x < s.size; ++x) {
                    if (!s.dark[static_cast<std::size_t>(y) * s.size + x]) continue;
                    for (int dy = 0; dy < k; ++dy)
                        for (int dx = 0; dx < k; ++dx) {
                            const int px = offset + x * k + dx;
                            const int py = c * cell + offset + y * k + dy;
                            dark[static_cast<std::size_t>(py) * width + px] = true;
                        }
                }
        }
        Raster& r = out[img];
        r.width = width;
        r.height = height;
        r.stride = ((width + 31) / 32) * 4;
        r.bits.assign(static_cast<std::size_t>(r.stride) * height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!dark[static_cast<std::size_t>(y) * width + x])
                    r.bits[static_cast<std::size_t>(y) * r.stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
    }
    return out;
}

// The images of the text; false when a chunk cannot be encoded.
bool MakeImages(const std::string& text, std::vector<Raster>& out) {
    std::vector<Symbol> symbols;
    for (std::size_t at = 0; at < text.size();) {
        Symbol s;
        const std::size_t length = LongestChunk(text, at, s);
        if (length == 0) return false;
        symbols.push_back(std::move(s));
        at += length;
    }
    out = Columns(symbols);
    return true;
}

void Put16(std::string& b, std::uint16_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>(v >> 8);
}
void Put32(std::string& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A monochrome bitmap file (1 bit a pixel, rows bottom-up, black and white palette).
bool WriteBmp(const std::string& path, const Raster& r) {
    const std::uint32_t dataSize = static_cast<std::uint32_t>(r.bits.size());
    const std::uint32_t offset = 14 + 40 + 8;
    std::string b;
    b += "BM";
    Put32(b, offset + dataSize);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(r.width));
    Put32(b, static_cast<std::uint32_t>(r.height));
    Put16(b, 1);
    Put16(b, 1);
    Put32(b, 0);
    Put32(b, dataSize);
    Put32(b, 23622); // kAztecImageDpi in dots per metre
    Put32(b, 23622);
    Put32(b, 2);
    Put32(b, 2);
    Put32(b, 0x00000000); // index 0: black
    Put32(b, 0x00FFFFFF); // index 1: white
    for (int y = r.height - 1; y >= 0; --y)
        b.append(reinterpret_cast<const char*>(r.bits.data()) + static_cast<std::size_t>(y) * r.stride, static_cast<std::size_t>(r.stride));
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

extern "C" int CreateAztecBarCodeImages(const unsigned char* text, size_t length, TAztecImageSink sink, void* context) {
    if ((!text && length > 0) || !sink) return -1;
    try {
        std::vector<Raster> images;
        if (!MakeImages(std::string(reinterpret_cast<const char*>(text), length), images)) return -1;
        for (const Raster& r : images) {
            const TAztecImage image{r.width, r.height, r.stride, r.bits.data()};
            sink(context, &image);
        }
        return static_cast<int>(images.size());
    } catch (...) { // nothing crosses the library's C interface
        return -1;
    }
}

extern "C" int CreateAztecBarCodeFiles(const char* textPath, const char* pattern, int /*mode*/) {
    if (!textPath || !pattern) return -1;
    try {
        std::ifstream in(textPath, std::ios::binary);
        if (!in) return -1;
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        std::vector<Raster> images;
        if (!MakeImages(text, images)) return -1;
        for (std::size_t i = 0; i < images.size(); ++i)
            if (!WriteBmp(ImageName(pattern, static_cast<int>(i) + 1), images[i])) return -1;
        return static_cast<int>(images.size());
    } catch (...) {
        return -1;
    }
}
