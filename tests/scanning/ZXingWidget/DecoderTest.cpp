#include <gtest/gtest.h>

#include <stdexcept>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include "platform/foundation/RunLoop.h"
#include "results/ResultParser.h"
#include "scanning/ZXingWidget/Decoder.h"
#include "scanning/ZXingWidget/DecoderPointCallback.h"

namespace {

using ZXing::BarcodeFormat;

// A code drawn by the library's writer, black on white, in a picture of
// `width` by `height` pixels.
graphics::Image::Ptr codeImage(BarcodeFormat format, const std::string& text, int width,
                               int height) {
    const auto matrix = ZXing::MultiFormatWriter(format).setMargin(10).encode(
        std::wstring(text.begin(), text.end()), width, height);
    auto bitmap = graphics::Bitmap::make(matrix.width(), matrix.height(), {255, 255, 255, 255});
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            if (matrix.get(x, y)) {
                bitmap->setPixel(x, y, {0, 0, 0, 255});
            }
        }
    }
    return graphics::Image::make(bitmap);
}

graphics::Image::Ptr blankImage(int width, int height,
                                graphics::Rgba8 fill = {255, 255, 255, 255}) {
    return graphics::Image::make(graphics::Bitmap::make(width, height, fill));
}

struct Recorder : DecoderDelegate {
    void decoderDidDecodeImage(Decoder&, const graphics::Image::Ptr&,
                               const graphics::Image::Ptr& subset,
                               const TwoDDecoderResult& result) override {
        results.push_back(result);
        subsets.push_back(subset);
    }
    std::vector<TwoDDecoderResult> results;
    std::vector<graphics::Image::Ptr> subsets;
};

// A reader with a fixed answer, or one that throws.
struct FixedReader : FormatReader {
    explicit FixedReader(std::string text)
        : FormatReader(BarcodeFormat::Code128), text_(std::move(text)) {}
    ZXing::Result decode(const ZXing::ImageView&) const override {
        if (text_.empty()) {
            throw std::runtime_error("reader failure");
        }
        return ZXing::Result(text_, 5, 1, 9, BarcodeFormat::Code128, {});
    }
    std::string text_;
};

TEST(DecoderTest, SubsetBringsTheShorterSideDownTo360WithRowsOf16) {
    struct Case {
        int width, height;
        graphics::Rect crop;
        std::size_t subsetWidth, subsetHeight, bytesPerRow;
    };
    const Case cases[] = {
        {360, 480, {0, 0, 360, 480}, 360, 480, 368},
        {720, 1280, {0, 0, 720, 1280}, 360, 640, 368},
        {1280, 720, {0, 0, 1280, 720}, 640, 360, 640},
        {100, 50, {0, 0, 100, 50}, 100, 50, 112},
        {1000, 1000, {100, 200, 720, 720}, 360, 360, 368},
    };
    for (const auto& c : cases) {
        auto decoder = std::make_shared<Decoder>(std::vector<std::shared_ptr<FormatReader>>{},
                                                 std::weak_ptr<DecoderDelegate>());
        EXPECT_FALSE(decoder->decodeImage(blankImage(c.width, c.height), c.crop));
        EXPECT_EQ(decoder->subsetWidth(), c.subsetWidth) << c.width << "x" << c.height;
        EXPECT_EQ(decoder->subsetHeight(), c.subsetHeight);
        EXPECT_EQ(decoder->subsetBytesPerRow(), c.bytesPerRow);
    }
}

TEST(DecoderTest, SubsetIsTheCropUprightAndGrey) {
    // A dark top-left quarter in a light picture, cropped to its right half.
    auto bitmap = graphics::Bitmap::make(80, 40, {255, 255, 255, 255});
    for (int y = 0; y < 20; ++y) {
        for (int x = 40; x < 60; ++x) {
            bitmap->setPixel(x, y, {0, 0, 0, 255});
        }
    }
    auto decoder = std::make_shared<Decoder>(std::vector<std::shared_ptr<FormatReader>>{},
                                             std::weak_ptr<DecoderDelegate>());
    decoder->decodeImage(graphics::Image::make(bitmap), {40, 0, 40, 40});
    const auto subset = decoder->prepareSubset();
    ASSERT_EQ(subset.size(), 48u * 40u);
    EXPECT_LT(subset[5 * 48 + 5], 64) << "top left is dark";
    EXPECT_GT(subset[35 * 48 + 35], 192) << "bottom right is light";
    EXPECT_GT(subset[5 * 48 + 35], 192) << "top right is light";
    EXPECT_EQ(subset[5 * 48 + 45], 0) << "row padding stays zero";
}

TEST(DecoderTest, EveryEnabledFormatDecodesThroughItsReader) {
    struct Case {
        BarcodeFormat format;
        const char* text;
        std::shared_ptr<FormatReader> reader;
        const char* expected;
        int parserFormat;
    };
    const std::vector<Case> cases = {
        {BarcodeFormat::QRCode, "MECARD:N:Owen;;", std::make_shared<QRCodeReader>(),
         "MECARD:N:Owen;;", ResultParser::formatNone},
        {BarcodeFormat::DataMatrix, "datamatrix 42", std::make_shared<DataMatrixReader>(),
         "datamatrix 42", ResultParser::formatNone},
        {BarcodeFormat::Aztec, "aztec text", std::make_shared<AztecReader>(), "aztec text",
         ResultParser::formatNone},
        {BarcodeFormat::PDF417, "pdf four one seven", std::make_shared<MultiFormatReader>(),
         "pdf four one seven", ResultParser::formatNone},
        {BarcodeFormat::EAN8, "9638507", std::make_shared<MultiFormatUPCEANReader>(), "96385074",
         ResultParser::formatEAN8},
        {BarcodeFormat::EAN13, "400638133393", std::make_shared<MultiFormatUPCEANReader>(),
         "4006381333931", ResultParser::formatEAN13},
        {BarcodeFormat::UPCA, "03600029145", std::make_shared<MultiFormatUPCEANReader>(),
         "036000291452", ResultParser::formatUPCA},
        {BarcodeFormat::UPCE, "0123456", std::make_shared<MultiFormatUPCEANReader>(), "01234565",
         ResultParser::formatUPCE},
        {BarcodeFormat::Code39, "CODE-39", std::make_shared<MultiFormatOneDReader>(), "CODE-39",
         ResultParser::formatNone},
        {BarcodeFormat::Code93, "CODE93", std::make_shared<MultiFormatOneDReader>(), "CODE93",
         ResultParser::formatNone},
        {BarcodeFormat::Code128, "Code 128!", std::make_shared<MultiFormatOneDReader>(),
         "Code 128!", ResultParser::formatNone},
        {BarcodeFormat::ITF, "00123456789012", std::make_shared<MultiFormatOneDReader>(),
         "00123456789012", ResultParser::formatNone},
        {BarcodeFormat::Codabar, "A40156B", std::make_shared<MultiFormatOneDReader>(), "40156",
         ResultParser::formatNone},
    };
    auto recorder = std::make_shared<Recorder>();
    for (const auto& c : cases) {
        const bool square = c.format == BarcodeFormat::QRCode ||
                            c.format == BarcodeFormat::DataMatrix ||
                            c.format == BarcodeFormat::Aztec;
        auto image = codeImage(c.format, c.text, 300, square ? 300 : 120);
        auto decoder = std::make_shared<Decoder>(
            std::vector<std::shared_ptr<FormatReader>>{c.reader}, recorder);
        recorder->results.clear();
        recorder->subsets.clear();
        ASSERT_TRUE(decoder->decodeImage(image)) << c.text;
        EXPECT_TRUE(recorder->results.empty()) << "delivered on the main run loop";
        foundation::RunLoop::main().runUntil([&] { return !recorder->results.empty(); }, 10);
        ASSERT_EQ(recorder->results.size(), 1u) << c.text;
        EXPECT_EQ(recorder->results[0].text, c.expected);
        EXPECT_EQ(recorder->results[0].format, c.parserFormat) << c.text;
        EXPECT_EQ(recorder->results[0].points.size(), 4u);
        EXPECT_EQ(recorder->subsets[0], decoder->subsetImage());
    }
}

TEST(DecoderTest, NoCodeNoCall) {
    auto recorder = std::make_shared<Recorder>();
    const std::vector<std::shared_ptr<FormatReader>> readers = {
        std::make_shared<MultiFormatReader>(), std::make_shared<QRCodeReader>()};
    auto noise = graphics::Bitmap::make(640, 480);
    unsigned seed = 7;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            seed = seed * 1103515245 + 12345;
            const auto grey = static_cast<std::uint8_t>(seed >> 24);
            noise->setPixel(x, y, {grey, grey, grey, 255});
        }
    }
    for (const auto& image : {graphics::Image::make(noise), blankImage(640, 480),
                              blankImage(640, 480, {0, 0, 0, 255})}) {
        auto decoder = std::make_shared<Decoder>(readers, recorder);
        EXPECT_FALSE(decoder->decodeImage(image));
    }
    auto decoder = std::make_shared<Decoder>(readers, recorder);
    EXPECT_FALSE(decoder->decodeImage(nullptr));
    EXPECT_FALSE(decoder->decodeImage(blankImage(10, 10), {0, 0, 0, 0}));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(recorder->results.empty());
}

TEST(DecoderTest, EveryReaderIsTriedAndTheLastFindWins) {
    auto recorder = std::make_shared<Recorder>();
    auto throwing = std::make_shared<FixedReader>("");
    auto decoder = std::make_shared<Decoder>(
        std::vector<std::shared_ptr<FormatReader>>{std::make_shared<FixedReader>("first"), throwing,
                                                   std::make_shared<FixedReader>("last"),
                                                   std::make_shared<QRCodeReader>()},
        recorder);
    EXPECT_TRUE(decoder->decodeImage(blankImage(100, 100)));
    foundation::RunLoop::main().runUntil([&] { return !recorder->results.empty(); }, 10);
    ASSERT_EQ(recorder->results.size(), 1u);
    EXPECT_EQ(recorder->results[0].text, "last");

    auto failing =
        std::make_shared<Decoder>(std::vector<std::shared_ptr<FormatReader>>{throwing}, recorder);
    EXPECT_FALSE(failing->decodeImage(blankImage(100, 100)));
}

TEST(DecoderTest, NoReaderEverReadsDataBar) {
    const ZXing::BarcodeFormats dataBar = BarcodeFormat::DataBar | BarcodeFormat::DataBarExpanded;
    const std::vector<std::shared_ptr<FormatReader>> readers = {
        std::make_shared<MultiFormatReader>(),       std::make_shared<QRCodeReader>(),
        std::make_shared<DataMatrixReader>(),        std::make_shared<MultiFormatOneDReader>(),
        std::make_shared<MultiFormatUPCEANReader>(), std::make_shared<AztecReader>()};
    for (const auto& reader : readers) {
        EXPECT_TRUE((reader->hints().formats() & dataBar).empty());
        EXPECT_FALSE(reader->hints().formats().empty());
        EXPECT_EQ(reader->hints().binarizer(), ZXing::Binarizer::LocalAverage);
    }
    EXPECT_TRUE(readers[0]->hints().formats().testFlag(BarcodeFormat::PDF417));
    EXPECT_TRUE(readers[3]->hints().formats().testFlag(BarcodeFormat::Codabar));
}

TEST(FormatReaderTest, OneMultiFormatReaderIsRegisteredFromTheStart) {
    const auto readers = FormatReader::registeredFormatReaders();
    ASSERT_EQ(readers.size(), 1u);
    EXPECT_NE(dynamic_cast<MultiFormatReader*>(readers[0].get()), nullptr);
    registerFormatReaders();
    EXPECT_EQ(FormatReader::registeredFormatReaders().size(), 1u);
}

TEST(FormatReaderTest, ReadersReportTheCornersOfTheSymbolTheyFound) {
    struct Points : ResultPointCallback {
        void foundPossibleResultPoint(double x, double y) override { points.push_back({x, y}); }
        std::vector<graphics::Point> points;
    };
    const struct {
        std::shared_ptr<FormatReader> reader;
        BarcodeFormat format;  // None: a blank picture
        bool reportsCorners;
    } cases[] = {
        {std::make_shared<QRCodeReader>(), BarcodeFormat::QRCode, true},
        {std::make_shared<MultiFormatReader>(), BarcodeFormat::DataMatrix, true},
        // The Aztec reader takes no callback.
        {std::make_shared<AztecReader>(), BarcodeFormat::Aztec, false},
        {std::make_shared<QRCodeReader>(), BarcodeFormat::None, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ZXing::ToString(c.format));
        const auto image = c.format == BarcodeFormat::None
                               ? blankImage(200, 200)
                               : codeImage(c.format, "corners", 200, 200);
        const auto& bitmap = *image->bitmap();
        std::vector<std::uint8_t> grey;
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                grey.push_back(bitmap.pixel(x, y).r);
            }
        }
        const ZXing::ImageView view(grey.data(), bitmap.width(), bitmap.height(),
                                    ZXing::ImageFormat::Lum);
        Points callback;
        const auto result = c.reader->decode(view, callback);
        EXPECT_EQ(result.isValid(), c.format != BarcodeFormat::None);
        if (!c.reportsCorners) {
            EXPECT_TRUE(callback.points.empty());
            continue;
        }
        ASSERT_EQ(callback.points.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(callback.points[i].x, result.position()[i].x);
            EXPECT_EQ(callback.points[i].y, result.position()[i].y);
        }
    }
}

TEST(DecoderTest, EachReaderIsTriedWithAPointCallbackOfTheDecoder) {
    struct CallbackReader : FormatReader {
        CallbackReader() : FormatReader(BarcodeFormat::QRCode) {}
        ZXing::Result decode(const ZXing::ImageView& image,
                             ResultPointCallback& callback) const override {
            auto* ofDecoder = dynamic_cast<DecoderPointCallback*>(&callback);
            decoders.push_back(ofDecoder ? &ofDecoder->decoder() : nullptr);
            callback.foundPossibleResultPoint(1, 2);
            return FormatReader::decode(image, callback);
        }
        mutable std::vector<const Decoder*> decoders;
    };
    auto first = std::make_shared<CallbackReader>();
    auto second = std::make_shared<CallbackReader>();
    auto recorder = std::make_shared<Recorder>();
    auto decoder = std::make_shared<Decoder>(
        std::vector<std::shared_ptr<FormatReader>>{first, second}, recorder);
    EXPECT_TRUE(decoder->decodeImage(codeImage(BarcodeFormat::QRCode, "points", 200, 200)));
    EXPECT_EQ(first->decoders, std::vector<const Decoder*>{decoder.get()});
    EXPECT_EQ(second->decoders, std::vector<const Decoder*>{decoder.get()});
    foundation::RunLoop::main().runUntil([&] { return !recorder->results.empty(); }, 10);
    ASSERT_EQ(recorder->results.size(), 1u);
    EXPECT_EQ(recorder->results[0].text, "points");
}

TEST(TwoDDecoderResultTest, DescriptionNamesTheText) {
    TwoDDecoderResult result{"hello", {{1, 2}}, 0};
    const auto description = result.description();
    EXPECT_EQ(description.rfind("<TwoDDecoderResult: ", 0), 0u);
    EXPECT_EQ(description.substr(description.size() - 6), " hello");
}

}  // namespace
