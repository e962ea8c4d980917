#include "BmpDecode.h"
#include "platform/VAztecBarCode.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

class Barcodes : public testutil::TempDir {
protected:
    std::string RoundTrip(const std::string& text, int& images) {
        testutil::WriteFile(Path("O000000000000_05_000001.txt"), text);
        images = CreateAztecBarCodeFiles(Path("O000000000000_05_000001.txt").c_str(), Path("O%.bmp").c_str(), 1);
        std::string back;
        for (int i = 1; i <= images; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "O%03d.bmp", i);
            const bmptest::Gray g = bmptest::ReadBmp(Path(name));
            EXPECT_EQ(g.height, 5 * g.width) << name; // the 1:5 shape of the slot
            for (const std::string& chunk : bmptest::DecodeColumn(g)) back += chunk;
        }
        return back;
    }
};

TEST_F(Barcodes, TheImagesGiveBackTheFileByteForByte) {
    std::string text;
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) text += static_cast<char>(rng() % 256); // CP866 text, CR LF, any byte
    text += "===\r\n";
    int images = 0;
    EXPECT_EQ(RoundTrip(text, images), text);
    EXPECT_EQ(images, 3); // 12 symbols of 256 bytes, five to an image
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
