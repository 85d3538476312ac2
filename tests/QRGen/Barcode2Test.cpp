#include "QRGen/Barcode2.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "QRGen/QREncoder.h"
#include "platform/foundation/ApplicationHome.h"
#include "tests/QRGen/CodeReaders.h"

namespace {

using qrgen_test::readWithZbar;
using qrgen_test::readWithZxing;
using qrgen_test::Symbology;

std::uint32_t read32(const foundation::Data& d, std::size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

std::vector<std::string> chunks(const std::string& pattern) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i + 11 <= pattern.size(); i += 11) {
        out.push_back(pattern.substr(i, 11));
    }
    return out;
}

const std::string kStartB = "11010010000";
const std::string kStartC = "11010011100";
const std::string kCodeB = "10111101110";
const std::string kCodeC = "10111011110";

TEST(Barcode2Test, QRCodeImageIsTrimmedTransparentAndUpright) {
    Barcode2 generator;
    generator.setupQRCode("HELLO WORLD");
    const auto image = generator.qRBarcode();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), (graphics::Size{250, 250}));
    EXPECT_TRUE(std::filesystem::exists(Barcode2::qrImagePath()));

    // Each module, two modules of margin in: dark modules black and opaque,
    // light ones transparent, in the encoder's own orientation.
    auto encoder = std::make_unique<QREncoder>();
    ASSERT_EQ(encoder->encodeText(1, 0, true, -1, "HELLO WORLD", 0), 1);
    const graphics::Bitmap& bitmap = *image->bitmap();
    for (int my = -2; my < 23; ++my) {
        for (int mx = -2; mx < 23; ++mx) {
            const bool dark =
                mx >= 0 && my >= 0 && mx < 21 && my < 21 && encoder->modules[mx * 177 + my] != 0;
            const graphics::Rgba8 p = bitmap.pixel((mx + 2) * 10 + 5, (my + 2) * 10 + 5);
            ASSERT_EQ(p.a, dark ? 255 : 0) << mx << "," << my;
            if (dark) {
                ASSERT_EQ(p.r, 0);
            }
        }
    }
    EXPECT_EQ(readWithZbar(bitmap, Symbology::qr), "HELLO WORLD");
}

TEST(Barcode2Test, UTF8TextReadsBackUnchanged) {
    const std::string text = "MECARD:N:Müller;TEL:+49 30 1234;;\nzweite Zeile €";
    Barcode2 generator;
    generator.setupQRCode(text);
    ASSERT_NE(generator.qRBarcode(), nullptr);
    EXPECT_EQ(readWithZxing(*generator.qRBarcode()->bitmap(), Symbology::qr)->bytes, text);
}

TEST(Barcode2Test, FailedGenerationLeavesNoImageAndNoStaleFile) {
    Barcode2 generator;
    generator.setupQRCode("first text");
    ASSERT_NE(generator.qRBarcode(), nullptr);
    ASSERT_TRUE(std::filesystem::exists(Barcode2::qrImagePath()));

    for (const std::string& text : {std::string(), std::string(3000, 'x')}) {
        SCOPED_TRACE(text.size());
        generator.setupQRCode(text);
        EXPECT_EQ(generator.qRBarcode(), nullptr);
        EXPECT_FALSE(std::filesystem::exists(Barcode2::qrImagePath()));
    }
}

TEST(Barcode2Test, UnwritableFolderGivesNoImage) {
    const std::string support = foundation::ApplicationHome::applicationSupport();
    std::filesystem::create_directories(support);
    // A file where the folder should be: neither the folder nor the PNG can be made.
    std::ofstream(support + "/iOSVelnor") << "not a folder";
    Barcode2 generator;
    generator.setupQRCode("HELLO");
    EXPECT_EQ(generator.qRBarcode(), nullptr);
}

TEST(Barcode2Test, EANPatternsNeedEnoughDigits) {
    Barcode2 generator;
    const struct {
        const char* text;
        int length;
        bool valid;
    } cases[] = {
        {"4006381333931", 13, true},
        {"400638133393", 13, false},
        {"40063813339A1", 13, false},
        {"96385074", 8, true},
        {"9638507", 8, false},
        {"9638507412345", 8, true},
        {"", 13, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string pattern = generator.getDigit(c.text, c.length);
        if (c.valid) {
            EXPECT_EQ(pattern.size(), c.length == 13 ? 95u : 67u);
        } else {
            EXPECT_EQ(pattern, "");
        }
    }
}

TEST(Barcode2Test, OneDimensionalImagesReadBack) {
    Barcode2 generator;
    generator.setupOneDimBarcode("4006381333931", 1);
    ASSERT_NE(generator.oneDimBarcode(), nullptr);
    EXPECT_EQ(generator.oneDimCode(), "4006381333931");
    EXPECT_EQ(readWithZbar(*generator.oneDimBarcode()->bitmap(), Symbology::ean13),
              "4006381333931");

    for (const std::string text :
         {"123456", "AB1234", "AB1234C", "Hello, World 2024!", "1234567"}) {
        SCOPED_TRACE(text);
        generator.setupOneDimBarcode(text, 0);
        ASSERT_NE(generator.oneDimBarcode(), nullptr);
        EXPECT_EQ(readWithZbar(*generator.oneDimBarcode()->bitmap(), Symbology::code128), text);
        EXPECT_EQ(readWithZxing(*generator.oneDimBarcode()->bitmap(), Symbology::code128)->bytes,
                  text);
    }

    // EAN-8 has no setup of its own; its pattern drawn as a BMP reads back.
    const auto ean8 = graphics::Image::imageWithData(
        generator.digitToBmpRenderer(generator.addQuietZone(generator.getDigit("96385074", 8))));
    ASSERT_NE(ean8, nullptr);
    EXPECT_EQ(readWithZbar(*ean8->bitmap(), Symbology::ean8), "96385074");
}

TEST(Barcode2Test, BadOneDimensionalInputGivesOnlyTheQuietZone) {
    Barcode2 generator;
    generator.setupOneDimBarcode("12345", 1);
    ASSERT_NE(generator.oneDimBarcode(), nullptr);
    EXPECT_EQ(generator.oneDimBarcode()->size(), (graphics::Size{40, 140}));
    EXPECT_EQ(generator.getDigit128("tab\there"), "");
}

TEST(Barcode2Test, Code128ChoosesItsCodeSets) {
    Barcode2 generator;
    const struct {
        const char* what;
        const char* text;
        std::string start;
        int switchToC;  // chunk index of the switch to code set C; -1 none
        int switchToB;
    } cases[] = {
        {"digits only start in C", "123456", kStartC, -1, -1},
        {"a letter first starts in B", "A123", kStartB, -1, -1},
        {"four digits ending the text switch to C", "AB1234", kStartB, 3, -1},
        {"four digits followed by a letter stay in B", "AB1234C", kStartB, -1, -1},
        {"six digits switch to C mid-text", "AB123456CD", kStartB, 3, 7},
        {"an odd digit left over goes back to B", "1234567", kStartC, -1, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string pattern = generator.getDigit128(c.text);
        ASSERT_EQ(pattern.size() % 11, 2u);
        EXPECT_EQ(pattern.substr(pattern.size() - 2), "11");
        const auto parts = chunks(pattern);
        EXPECT_EQ(parts.front(), c.start);
        for (std::size_t i = 1; i + 2 < parts.size(); ++i) {
            EXPECT_EQ(parts[i] == kCodeC, static_cast<int>(i) == c.switchToC) << i;
            EXPECT_EQ(parts[i] == kCodeB, static_cast<int>(i) == c.switchToB) << i;
        }
    }
}

TEST(Barcode2Test, ComputeAppendsTheSignedWeightedRemainder) {
    Barcode2 generator;
    // 4006381333931 from the last digit: 1*3 + 3*1 + 9*3 + ... + 4*3 = 96; (10 - 96) % 10 = -6.
    EXPECT_EQ(generator.compute("4006381333931", 13), "4006381333931-6");
    EXPECT_EQ(generator.compute("0000000000000", 13), "00000000000000");
    EXPECT_EQ(generator.charToInt('7'), 7);
    EXPECT_EQ(generator.addQuietZone("1"),
              "00000000001"
              "0000000000");
}

TEST(Barcode2Test, BmpHeaderAndRowPadding) {
    Barcode2 generator;
    for (const std::string& pattern :
         {std::string("1"), std::string("10"), std::string("101"), std::string(95, '1')}) {
        SCOPED_TRACE(pattern.size());
        const foundation::Data bmp = generator.digitToBmpRenderer(pattern);
        const std::uint32_t width = static_cast<std::uint32_t>(pattern.size() * 2);
        const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
        ASSERT_EQ(bmp.size(), 54 + 140 * rowSize);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(read32(bmp, 2), bmp.size());
        EXPECT_EQ(read32(bmp, 10), 54u);
        EXPECT_EQ(read32(bmp, 14), 40u);
        EXPECT_EQ(read32(bmp, 18), width);
        EXPECT_EQ(read32(bmp, 22), 140u);
        EXPECT_EQ(bmp[28], 24);
        EXPECT_EQ(read32(bmp, 34), 140 * rowSize);
        EXPECT_EQ(read32(bmp, 38), 2835u);
        // Padding bytes after the pixels of each row are zero.
        for (std::uint32_t k = width * 3; k < rowSize; ++k) {
            EXPECT_EQ(bmp[54 + k], 0);
        }
        EXPECT_EQ(bmp[54], pattern[0] == '1' ? 0x00 : 0xFF);
    }
}

}  // namespace
