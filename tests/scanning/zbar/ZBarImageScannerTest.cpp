#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ScanFixtures.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/BitmapContext.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarImageScanner.h"
#include "scanning/zbar/ZBarSymbol.h"
#include "scanning/zbar/ZBarSymbolSet.h"

namespace {

using media::BarcodeFormat;
using scanfixtures::applicationScanner;
using scanfixtures::drawCode;

struct Read {
    int count = 0;
    int type = 0;
    std::string name;
    std::optional<std::string> data;
    graphics::Rect bounds;
};

Read scan(ZBarImageScanner& scanner, const graphics::Bitmap& picture) {
    auto image = ZBarImage::makeWithCGImage(picture);
    EXPECT_TRUE(image);
    Read read;
    read.count = scanner.scanImage(*image);
    auto results = scanner.results();
    if (results) {
        for (const auto& symbol : *results) {
            read.type = symbol->type();
            read.name = symbol->typeName();
            read.data = symbol->data();
            read.bounds = symbol->bounds();
            break;
        }
    }
    return read;
}

TEST(ZBarSymbolTest, NamesComeFromTheLowEightBits) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "UNKNOWN"},      {2, "EAN-2"},        {9, "UPC-E"},
        {12, "UPC-A"},       {14, "ISBN-13"},     {25, "I2/5"},
        {35, "DataBar-Exp"}, {64, "QR-Code"},     {0x140, "QR-Code"},  // only the low 8 bits count
        {80, "UNKNOWN"},  // named by the library, not by the application
        {128, "CODE-128"},   {0x180, "CODE-128"}, {-1, "UNKNOWN"},
    };
    for (const auto& [type, name] : cases) {
        EXPECT_EQ(ZBarSymbol::nameForType(type), name) << type;
    }
}

TEST(ZBarImageScannerTest, ApplicationConfigurationGivesTheTableTypes) {
    struct Case {
        BarcodeFormat format;
        std::string text;
        int type;  // 0: nothing read
        std::string data;
    };
    const std::vector<Case> cases = {
        {BarcodeFormat::ean13, "4006381333931", 13, "4006381333931"},
        {BarcodeFormat::upca, "036000291452", 12, "036000291452"},  // not widened to EAN-13
        {BarcodeFormat::upce, "01234565", 9, "01234565"},
        {BarcodeFormat::ean13, "9780306406157", 14, "9780306406157"},  // ISBN-13
        {BarcodeFormat::code39, "CODE39TEST", 39, "CODE39TEST"},
        {BarcodeFormat::code128, "Code128 test", 128, "Code128 test"},
        {BarcodeFormat::itf, "12345678", 0, ""},  // I2/5 is off
        {BarcodeFormat::qrCode, "http://example.com/?q=1", 64, "http://example.com/?q=1"},
    };
    auto scanner = applicationScanner();
    for (const Case& c : cases) {
        auto picture = drawCode(c.format, c.text);
        ASSERT_TRUE(picture) << c.text;
        const Read read = scan(*scanner, *picture);
        if (c.type == 0) {
            EXPECT_EQ(read.count, 0) << c.text;
            continue;
        }
        ASSERT_EQ(read.count, 1) << c.text;
        EXPECT_EQ(read.type, c.type) << c.text;
        EXPECT_EQ(read.name, ZBarSymbol::nameForType(c.type));
        EXPECT_EQ(read.data, c.data);
        // Bounds lie on the code, inside the picture: no point past the
        // last one is folded in.
        EXPECT_GT(read.bounds.minX(), 0) << c.text;
        EXPECT_GT(read.bounds.minY(), 0) << c.text;
        EXPECT_LT(read.bounds.maxX(), 640) << c.text;
        EXPECT_GT(read.bounds.width(), 100) << c.text;
    }
}

TEST(ZBarImageScannerTest, QRTextKeepsUTF8AndConvertsOtherCharacterSets) {
    struct Case {
        std::string bytes;  // written into the code as they stand
        bool raw;
        std::string text;
    };
    const std::vector<Case> cases = {
        // UTF-8 without a character-set mark comes back intact.
        {"MECARD:N:M\xC3\xBC"
         "ller;;",
         true,
         "MECARD:N:M\xC3\xBC"
         "ller;;"},
        // Shift-JIS and Latin-1 bytes are converted as the library does.
        {"\x82\xA0\x82\xA2", true, "\xE3\x81\x82\xE3\x81\x84"},
        {"caf\xC3\xA9", false, "caf\xC3\xA9"},
        // Binary content keeps every byte, a NUL and what follows it too.
        {std::string("id\0\x01tail", 8), true, std::string("id\0\x01tail", 8)},
    };
    auto scanner = applicationScanner();
    for (const Case& c : cases) {
        auto picture = drawCode(BarcodeFormat::qrCode, c.bytes, 400, 400, c.raw);
        ASSERT_TRUE(picture);
        auto image = ZBarImage::makeWithCGImage(*picture);
        ASSERT_EQ(scanner->scanImage(*image), 1);
        auto results = scanner->results();
        ASSERT_TRUE(results);
        EXPECT_EQ((*results->begin())->data(), c.text);
        // The image carries the same texts.
        auto symbols = image->symbols();
        ASSERT_TRUE(symbols);
        EXPECT_EQ((*symbols->begin())->data(), c.text);
    }
}

TEST(ZBarImageScannerTest, CacheReportsASymbolOnlyOnceItIsSureButTracksItEveryFrame) {
    auto scanner = applicationScanner();
    scanner->setSymbology(0, ZBarImageScanner::kUncertainty, 2);
    scanner->setEnableCache(true);
    EXPECT_FALSE(scanner->enableCache());
    auto picture = drawCode(BarcodeFormat::ean13, "4006381333931");
    auto image = ZBarImage::makeWithCGImage(*picture);

    std::vector<std::pair<int, int>> counts;  // filtered, unfiltered
    for (int frame = 0; frame < 3; ++frame) {
        scanner->scanImage(*image);
        auto results = scanner->results();
        ASSERT_TRUE(results);
        const int filtered = results->count();
        int enumerated = 0;
        for (const auto& symbol : *results) {
            (void)symbol;
            ++enumerated;
        }
        EXPECT_EQ(enumerated, filtered);
        results->setFilterSymbols(false);
        counts.emplace_back(filtered, results->count());
    }
    EXPECT_EQ(counts.front().first, 0);
    EXPECT_EQ(counts.front().second, 1);
    EXPECT_EQ(counts.back().second, 1);
    EXPECT_LE(counts.back().first, 1);
}

TEST(ZBarImageScannerTest, UnparsableConfigurationIsIgnored) {
    auto scanner = applicationScanner();
    scanner->parseConfig("this is not a setting");
    scanner->parseConfig("qrcode.enable=0");
    auto picture = drawCode(BarcodeFormat::qrCode, "hidden", 300, 300);
    EXPECT_EQ(scan(*scanner, *picture).count, 0);
    scanner->parseConfig("qrcode.enable=1");
    EXPECT_EQ(scan(*scanner, *picture).count, 1);
}

TEST(ZBarImageTest, FourCharacterCodes) {
    EXPECT_EQ(ZBarImage::fourcc("Y800"), 0x30303859u);
    EXPECT_EQ(ZBarImage::fourcc("AB"), 0x4241u);  // the two high bytes stay 0
    EXPECT_EQ(ZBarImage::fourcc("RGB3x"), ZBarImage::fourcc("RGB3"));
    EXPECT_EQ(ZBarImage::fourcc(""), 0u);
}

TEST(ZBarImageTest, SizeAndCropRoundToWholePixels) {
    ZBarImage image;
    image.setSize({639.5, 480.4});
    EXPECT_EQ(image.size(), (graphics::Size{640, 480}));
    image.setCrop({10.5, 20.49, 100.2, -5});
    EXPECT_EQ(image.crop(), (graphics::Rect{11, 20, 100, 0}));
    EXPECT_FALSE(ZBarImage::make(nullptr));
    EXPECT_FALSE(ZBarSymbolSet::make(nullptr));
    EXPECT_FALSE(image.symbols());
}

TEST(ZBarImageTest, DrawingCropsFromTheTopLeftAndScales) {
    // 4x4: top-left quadrant black, top-right grey, the bottom white.
    auto picture = graphics::Bitmap::make(4, 4, {255, 255, 255, 255});
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            picture->setPixel(
                x, y, x < 2 ? graphics::Rgba8{0, 0, 0, 255} : graphics::Rgba8{128, 128, 128, 255});
        }
    }
    struct Case {
        graphics::Rect crop;
        graphics::Size size;
        std::uint8_t expected;
    };
    const std::vector<Case> cases = {
        {{0, 0, 2, 2}, {2, 2}, 0},    // top left
        {{2, 0, 2, 2}, {2, 2}, 128},  // top right
        {{0, 2, 2, 2}, {2, 2}, 255},  // bottom left
        {{0, 0, 2, 2}, {6, 6}, 0},    // scaled up threefold
    };
    for (const Case& c : cases) {
        auto image = ZBarImage::makeWithCGImage(*picture, c.crop, c.size);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->format(), ZBarImage::fourcc("Y800"));
        EXPECT_EQ(image->size(), c.size);
        const auto* grey = static_cast<const std::uint8_t*>(image->data());
        const int w = static_cast<int>(c.size.width);
        const int h = static_cast<int>(c.size.height);
        ASSERT_EQ(image->dataLength(), static_cast<std::size_t>(w * h));
        // Scaling smooths the last pixels towards the picture beyond the
        // crop; the others show the cropped part alone.
        const int edge = w > 2 ? 2 : 0;
        for (int y = 0; y < h - edge; ++y) {
            for (int x = 0; x < w - edge; ++x) {
                EXPECT_NEAR(grey[y * w + x], c.expected, 1) << x << "," << y;
            }
        }
        EXPECT_GE(image->tConvert(), 0);
    }
    EXPECT_FALSE(ZBarImage::makeWithCGImage(*picture, {0, 0}));
}

TEST(ZBarImageTest, ShrinkingAveragesThePixelsEachOutputPixelCovers) {
    // Black and white one-pixel stripes: halved, every pixel is their mean
    // (picking one of the two would leave black or white).
    auto picture = graphics::Bitmap::make(8, 4, {255, 255, 255, 255});
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; x += 2) {
            picture->setPixel(x, y, graphics::Rgba8{0, 0, 0, 255});
        }
    }
    auto image = ZBarImage::makeWithCGImage(*picture, {4, 2});
    ASSERT_TRUE(image);
    const auto* grey = static_cast<const std::uint8_t*>(image->data());
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(grey[i], 128, 1) << i;
    }
}

TEST(ZBarImageTest, AWholePictureGetsTheGreyOfTheDrawingRoad) {
    // Random colours, opaque, then with one translucent pixel (which takes
    // the drawing road); either way the grey is what drawing gives.
    auto picture = graphics::Bitmap::make(37, 23, {0, 0, 0, 255});
    unsigned seed = 7;
    auto next = [&seed] {
        return static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    };
    for (int y = 0; y < picture->height(); ++y) {
        for (int x = 0; x < picture->width(); ++x) {
            picture->setPixel(x, y, graphics::Rgba8{next(), next(), next(), 255});
        }
    }
    for (const bool opaque : {true, false}) {
        SCOPED_TRACE(opaque ? "opaque" : "translucent");
        if (!opaque) {
            picture->setPixel(36, 22, graphics::Rgba8{200, 100, 50, 128});
        }
        auto context = graphics::BitmapContext::create(picture->width(), picture->height(),
                                                       graphics::ColorSpaceModel::monochrome, 0);
        ASSERT_TRUE(context);
        context->setShouldAntialias(false);
        context->drawImage({0, 0, 37, 23}, *picture);
        const std::vector<std::uint8_t> drawn = context->data();
        auto image = ZBarImage::makeWithCGImage(*picture);
        ASSERT_TRUE(image);
        ASSERT_EQ(image->dataLength(), drawn.size());
        const auto* grey = static_cast<const std::uint8_t*>(image->data());
        EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), grey));
    }
}

TEST(ZBarImageTest, PicturesFromRGBMemory) {
    struct Case {
        std::string format;
        std::vector<std::uint8_t> pixel;  // one pixel, repeated
        graphics::Rgba8 expected;
    };
    const std::vector<Case> cases = {
        {"RGB3", {10, 20, 30}, {10, 20, 30, 255}},
        {"RGB4", {99, 10, 20, 30}, {10, 20, 30, 255}},  // first byte skipped
        {"RGBQ", {0x7C, 0x1F}, {255, 0, 255, 255}},     // x RRRRR GGGGG BBBBB
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> memory;
        for (int i = 0; i < 6; ++i) {
            memory.insert(memory.end(), c.pixel.begin(), c.pixel.end());
        }
        ZBarImage image;
        image.setFormat(ZBarImage::fourcc(c.format));
        image.setSize({3, 2});
        image.setData(memory.data(), memory.size());
        auto picture = image.UIImageWithOrientation(graphics::ImageOrientation::right);
        ASSERT_TRUE(picture) << c.format;
        EXPECT_EQ(picture->imageOrientation(), graphics::ImageOrientation::right);
        EXPECT_EQ(picture->bitmap()->width(), 3);
        const graphics::Rgba8 p = picture->bitmap()->pixel(2, 1);
        EXPECT_EQ(p.r, c.expected.r) << c.format;
        EXPECT_EQ(p.g, c.expected.g) << c.format;
        EXPECT_EQ(p.b, c.expected.b) << c.format;

        // Memory shorter than the size says is refused, never read past.
        image.setData(memory.data(), memory.size() - 1);
        foundation::LogCapture log;
        EXPECT_FALSE(image.UIImage()) << c.format;
        EXPECT_TRUE(log.contains("needed"));
        image.setData(nullptr, 0);
    }

    ZBarImage grey;
    grey.setFormat(ZBarImage::fourcc("Y800"));
    foundation::LogCapture log;
    EXPECT_FALSE(grey.UIImage());
    EXPECT_TRUE(log.contains("ERROR: format Y800(30303859) is unsupported"));
}

class CleanupCounter : public ZBarImage {
  public:
    int cleanups = 0;

  protected:
    void cleanup() override { ++cleanups; }
};

TEST(ZBarImageTest, CleanupRunsWhenTheLibraryLetsGoOfTheMemory) {
    std::vector<std::uint8_t> first(16, 0);
    std::vector<std::uint8_t> second(16, 0);
    CleanupCounter image;
    image.setData(first.data(), first.size());
    EXPECT_EQ(image.cleanups, 0);
    image.setData(second.data(), second.size());
    EXPECT_EQ(image.cleanups, 1);
    image.setData(nullptr, 0);
    EXPECT_EQ(image.cleanups, 2);
}

}  // namespace
