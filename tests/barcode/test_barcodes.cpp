#include "BmpDecode.h"
#include "platform/VAztecBarCode.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace {

std::string Golden(const char* name) { return testutil::ReadFile(std::string(VELMAROD_SOURCE_DIR "/tests/report/golden/") + name); }

std::string RandomBytes(int count) {
    std::string text;
    std::mt19937 rng(7);
    for (int i = 0; i < count; ++i) text += static_cast<char>(rng() % 256); // CP866 text, CR LF, any byte
    return text + "===\r\n";
}

} // namespace

class Barcodes : public testutil::TempDir {
protected:
    // Writes the images of the text; the symbols read back from them, image by image.
    std::vector<std::vector<std::string>> Images(const std::string& text, int& images) {
        testutil::WriteFile(Path("O000000000000_05_000001.txt"), text);
        images = CreateAztecBarCodeFiles(Path("O000000000000_05_000001.txt").c_str(), Path("O%.bmp").c_str(), 1);
        std::vector<std::vector<std::string>> out;
        for (int i = 1; i <= images; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "O%03d.bmp", i);
            const bmptest::Gray g = bmptest::ReadBmp(Path(name));
            EXPECT_EQ(g.height, 5 * g.width) << name; // the 1:5 shape of the slot
            EXPECT_LE(g.width * 25.4 / int{kAztecImageDpi}, 10.0) << name; // at its natural size within 10 mm
            out.push_back(bmptest::DecodeColumn(g));
        }
        return out;
    }
    std::string RoundTrip(const std::string& text, int& images) {
        std::string back;
        for (const auto& column : Images(text, images))
            for (const std::string& chunk : column) back += chunk;
        return back;
    }
};

TEST_F(Barcodes, TheImagesGiveBackTheFileByteForByte) {
    // Arbitrary bytes, and text files as the runs write them: the fewest slots a declaration of the
    // form offers (a 3-NDFL has at least its title page, page 2 and section 5) must hold them. Each
    // symbol is filled, and text, whose digits and Latin letters pack tighter, fills it further.
    struct Case {
        const char* name;
        std::string text;
        int slots;
        std::size_t bytesPerSymbol; // at least, on average
    } cases[] = {
        {"random bytes", RandomBytes(3000), 1000, 45}, // no declaration behind them: no slots to fit
        {"form 4-NDFL", Golden("form-4ndfl.txt"), 5, 65},
        {"resident with a refund", Golden("resident-refund.txt"), 9, 65},
        {"business income", Golden("business.txt"), 9, 65},
        {"foreigner", Golden("foreigner.txt"), 9, 65},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.text.empty());
        int images = 0;
        const auto columns = Images(c.text, images);
        std::string back;
        std::size_t symbols = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            // Five symbols to an image; only the last image may hold fewer.
            if (i + 1 < columns.size()) {
                EXPECT_EQ(columns[i].size(), 5u) << "image " << i + 1;
            }
            EXPECT_GE(columns[i].size(), 1u) << "image " << i + 1;
            for (const std::string& chunk : columns[i]) back += chunk;
            symbols += columns[i].size();
        }
        EXPECT_TRUE(back == c.text) << back.size() << " of " << c.text.size() << " bytes";
        EXPECT_LE(images, c.slots);
        EXPECT_GE(c.text.size() / symbols, c.bytesPerSymbol) << symbols << " symbols";
    }
}

// A module is whole dots of a 300 dpi grid: six pixels square, every symbol starting on an even
// pixel and centred in its cell, never larger than the cell leaves room for.
TEST_F(Barcodes, ModulesAreWholeDotsCentredInTheirCells) {
    int images = 0;
    Images(Golden("resident-refund.txt"), images);
    ASSERT_GT(images, 1);
    for (int i = 1; i <= images; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "O%03d.bmp", i);
        const bmptest::Gray g = bmptest::ReadBmp(Path(name));
        ASSERT_EQ(g.width, kAztecCellPixels);
        const auto dark = [&](int x, int y) { return g.pixels[static_cast<std::size_t>(y) * g.width + x] == 0; };
        for (int cell = 0; cell < 5; ++cell) {
            SCOPED_TRACE(std::string(name) + " cell " + std::to_string(cell));
            const int top = cell * g.width;
            int left = g.width, right = -1, up = g.width, down = -1;
            for (int y = 0; y < g.width; ++y)
                for (int x = 0; x < g.width; ++x)
                    if (dark(x, top + y)) {
                        left = std::min(left, x), right = std::max(right, x);
                        up = std::min(up, y), down = std::max(down, y);
                    }
            if (right < 0) continue; // after the last symbol
            const int side = right - left + 1;
            EXPECT_EQ(down - up + 1, side);
            EXPECT_EQ(side % kAztecModulePixels, 0);
            EXPECT_LE(side / kAztecModulePixels, kAztecMaxModules);
            EXPECT_EQ(left % 2, 0);
            EXPECT_EQ(up % 2, 0);
            EXPECT_LE(std::abs(left - (g.width - 1 - right)), 2);
            EXPECT_EQ(left, up);
            for (int y = up; y <= down; ++y)
                for (int x = left; x <= right; ++x) {
                    const int mx = left + (x - left) / kAztecModulePixels * kAztecModulePixels;
                    const int my = up + (y - up) / kAztecModulePixels * kAztecModulePixels;
                    ASSERT_EQ(dark(x, top + y), dark(mx, top + my)) << x << "," << y;
                }
        }
    }
}

TEST_F(Barcodes, SmallAndEmptyFiles) {
    int images = 0;
    EXPECT_EQ(RoundTrip("ИдФайл:1\r\n===\r\n", images), "ИдФайл:1\r\n===\r\n");
    EXPECT_EQ(images, 1);
    EXPECT_EQ(RoundTrip("", images), "");
    EXPECT_EQ(images, 0);
}

TEST_F(Barcodes, AMissingFileIsAnError) {
    EXPECT_EQ(CreateAztecBarCodeFiles(Path("none.txt").c_str(), Path("O%.bmp").c_str(), 1), -1);
    testutil::WriteFile(Path("t.txt"), "x");
    EXPECT_EQ(CreateAztecBarCodeFiles(Path("t.txt").c_str(), Path("missing/O%.bmp").c_str(), 1), -1);
}

// ---------------------------------------------------------------------------------------------
// The images in memory, as a report run takes them.

namespace {

struct Kept {
    std::vector<bmptest::Gray> images;
    bool paddingClear = true; // the bits after a row's last pixel
};

void Keep(void* context, const TAztecImage* image) {
    auto& kept = *static_cast<Kept*>(context);
    EXPECT_EQ(image->stride % 4, 0);
    EXPECT_GE(image->stride * 8, image->width);
    for (int y = 0; y < image->height; ++y)
        for (int x = image->width; x < image->stride * 8; ++x)
            if ((image->bits[static_cast<std::size_t>(y) * image->stride + x / 8] >> (7 - x % 8)) & 1) kept.paddingClear = false;
    kept.images.push_back(bmptest::FromBits(image->width, image->height, image->stride, image->bits));
}

int InMemory(const std::string& text, Kept& kept) {
    return CreateAztecBarCodeImages(reinterpret_cast<const unsigned char*>(text.data()), text.size(), Keep, &kept);
}

} // namespace

// The images in memory are the images the files hold, pixel for pixel, and give back the text.
TEST_F(Barcodes, ImagesInMemoryAreTheImagesOfTheFiles) {
    const std::string texts[] = {Golden("form-4ndfl.txt"), Golden("resident-refund.txt"), RandomBytes(1500), "ИдФайл:1\r\n"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size());
        Kept kept;
        const int made = InMemory(text, kept);
        ASSERT_GT(made, 0);
        EXPECT_EQ(static_cast<std::size_t>(made), kept.images.size());
        EXPECT_TRUE(kept.paddingClear);
        testutil::WriteFile(Path("t.txt"), text);
        ASSERT_EQ(CreateAztecBarCodeFiles(Path("t.txt").c_str(), Path("M%.bmp").c_str(), 1), made);
        std::string back;
        for (int i = 0; i < made; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "M%03d.bmp", i + 1);
            EXPECT_TRUE(kept.images[static_cast<std::size_t>(i)] == bmptest::ReadBmp(Path(name))) << name;
            for (const std::string& chunk : bmptest::DecodeColumn(kept.images[static_cast<std::size_t>(i)])) back += chunk;
        }
        EXPECT_TRUE(back == text) << back.size() << " of " << text.size() << " bytes";
    }
}

TEST(BarcodesInMemory, EmptyTextAndMissingArguments) {
    Kept kept;
    EXPECT_EQ(InMemory("", kept), 0);
    EXPECT_EQ(CreateAztecBarCodeImages(nullptr, 0, Keep, &kept), 0);
    EXPECT_TRUE(kept.images.empty());
    EXPECT_EQ(CreateAztecBarCodeImages(nullptr, 5, Keep, &kept), -1);
    const unsigned char x = 'x';
    EXPECT_EQ(CreateAztecBarCodeImages(&x, 1, nullptr, nullptr), -1);
    EXPECT_TRUE(kept.images.empty());
}
