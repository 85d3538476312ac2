#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/Screen.h"
#include "remote/WebImage/NSDataImageContentType.h"
#include "remote/WebImage/UIImageGIF.h"
#include "remote/WebImage/UIImageMultiFormat.h"
#include "tests/platform/graphics/ImageFixtures.h"

namespace {

using graphics::ImageOrientation;
using graphics_test::makeGif;
using graphics_test::solidFrame;

TEST(ImageDecodingTest, ExifValuesMapToOrientations) {
    const std::pair<int, ImageOrientation> table[] = {
        {1, ImageOrientation::up},
        {2, ImageOrientation::upMirrored},
        {3, ImageOrientation::down},
        {4, ImageOrientation::downMirrored},
        {5, ImageOrientation::leftMirrored},
        {6, ImageOrientation::right},
        {7, ImageOrientation::rightMirrored},
        {8, ImageOrientation::left},
        {0, ImageOrientation::up},
        {9, ImageOrientation::up},
        {-1, ImageOrientation::up},
    };
    for (const auto& [exif, orientation] : table) {
        EXPECT_EQ(UIImageMultiFormat::sd_exifOrientationToiOSOrientation(exif), orientation)
            << exif;
    }
}

TEST(ImageDecodingTest, StillImagesTakeTheirExifOrientation) {
    const graphics::Bitmap bitmap = graphics_test::quadrants(8, 4);
    const struct {
        int exif;
        ImageOrientation orientation;
    } cases[] = {
        {6, ImageOrientation::right}, {9, ImageOrientation::up}, {1, ImageOrientation::up}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exif);
        const auto jpeg = *graphics::JPEGCodec::encode(bitmap, 0.9, c.exif);
        const auto image = UIImageMultiFormat::sd_imageWithData(&jpeg);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->imageOrientation(), c.orientation);
        EXPECT_EQ(UIImageMultiFormat::sd_imageOrientationFromImageData(jpeg), c.orientation);
    }
    const auto png = *graphics::PNGCodec::encode(bitmap);
    const auto image = UIImageMultiFormat::sd_imageWithData(&png);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->imageOrientation(), ImageOrientation::up);
    EXPECT_TRUE(image->images().empty());
}

TEST(ImageDecodingTest, NoDataOrBadDataGivesNoImage) {
    EXPECT_EQ(UIImageMultiFormat::sd_imageWithData(nullptr), nullptr);
    EXPECT_EQ(UIImageGIF::sd_animatedGIFWithData(nullptr), nullptr);
    const foundation::Data garbage = foundation::dataFromString("GIF89a but nothing more");
    EXPECT_EQ(UIImageMultiFormat::sd_imageWithData(&garbage), nullptr);
    const foundation::Data empty;
    EXPECT_EQ(UIImageMultiFormat::sd_imageWithData(&empty), nullptr);
}

TEST(ImageDecodingTest, GifFramesPlayForTheirDelays) {
    const struct {
        const char* what;
        std::vector<int> delays;  // centiseconds, -1 for a frame without delay
        double duration;
    } cases[] = {
        {"all delays 0 play 0.1 s each", {0, 0, 0}, 0.3},
        {"0.01 s becomes 0.1 s, 0.02 s stays", {1, 2}, 0.12},
        {"a frame without delay plays 0.1 s", {-1, 50}, 0.6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<graphics_test::GifFrame> frames;
        for (std::size_t i = 0; i < c.delays.size(); ++i) {
            frames.push_back(solidFrame(3, 2, static_cast<unsigned char>(i % 4), c.delays[i]));
        }
        const foundation::Data gif = makeGif(3, 2, frames);
        EXPECT_EQ(NSDataImageContentType::sd_contentTypeForImageData(gif), "image/gif");
        const auto image = UIImageMultiFormat::sd_imageWithData(&gif);
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->images().size(), c.delays.size());
        EXPECT_NEAR(image->duration(), c.duration, 1e-6);
        EXPECT_EQ(image->images()[0]->scale(), 2);
        EXPECT_EQ(image->size(), (graphics::Size{1.5, 1}));
    }
    const foundation::Data single = makeGif(3, 2, {solidFrame(3, 2, 1, 10)});
    const auto still = UIImageGIF::sd_animatedGIFWithData(&single);
    ASSERT_NE(still, nullptr);
    EXPECT_TRUE(still->images().empty());
    EXPECT_EQ(still->bitmap()->pixel(0, 0), (graphics::Rgba8{255, 0, 0, 255}));
}

TEST(ImageDecodingTest, ContentTypesByFirstByte) {
    const struct {
        foundation::Data data;
        std::optional<std::string> type;
    } cases[] = {
        {{0xFF, 0xD8}, "image/jpeg"},
        {{0x89, 'P'}, "image/png"},
        {{'I', 'I'}, "image/tiff"},
        {{'M', 'M'}, "image/tiff"},
        {foundation::dataFromString("RIFF1234WEBP"), "image/webp"},
        {foundation::dataFromString("RIFF1234WAVE"), std::nullopt},
        {foundation::dataFromString("RIFF"), std::nullopt},
        {{}, std::nullopt},
        {{'B', 'M'}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NSDataImageContentType::sd_contentTypeForImageData(c.data), c.type);
    }
}

TEST(ImageDecodingTest, ScalingAndCroppingFillsTheTargetCentred) {
    ui::Screen::mainScreen().setScale(1);
    // Two frames of 4 x 2 points: red left half, green right half.
    graphics::Bitmap halves(4, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            halves.setPixel(
                x, y, x < 2 ? graphics::Rgba8{255, 0, 0, 255} : graphics::Rgba8{0, 255, 0, 255});
        }
    }
    const auto frame = graphics::Image::make(std::make_shared<graphics::Bitmap>(halves));
    const auto animated = graphics::Image::animatedImage({frame, frame}, 0.7);

    // A square target: the height factor (4) wins, the frame is 16 x 8 centred
    // at x = -6, so the middle of the square is where red meets green.
    const auto square = UIImageGIF::sd_animatedImageByScalingAndCroppingToSize(animated, {8, 8});
    ASSERT_NE(square, nullptr);
    ASSERT_EQ(square->images().size(), 2u);
    EXPECT_DOUBLE_EQ(square->duration(), 0.7);
    const auto& bitmap = *square->images()[1]->bitmap();
    EXPECT_EQ(bitmap.width(), 8);
    EXPECT_EQ(bitmap.pixel(1, 4), (graphics::Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(bitmap.pixel(6, 4), (graphics::Rgba8{0, 255, 0, 255}));
    EXPECT_EQ(bitmap.pixel(0, 0).a, 255);

    // A wide target: the width factor wins and the frame is centred vertically.
    const auto wide = UIImageGIF::sd_animatedImageByScalingAndCroppingToSize(frame, {8, 2});
    ASSERT_NE(wide, nullptr);
    EXPECT_TRUE(wide->images().empty());
    EXPECT_EQ(wide->size(), (graphics::Size{8, 2}));
    EXPECT_EQ(wide->bitmap()->pixel(0, 0), (graphics::Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(wide->bitmap()->pixel(7, 1), (graphics::Rgba8{0, 255, 0, 255}));

    EXPECT_EQ(UIImageGIF::sd_animatedImageByScalingAndCroppingToSize(animated, {4, 2}), animated);
    EXPECT_EQ(UIImageGIF::sd_animatedImageByScalingAndCroppingToSize(animated, {0, 0}), animated);
}

TEST(ImageDecodingTest, NamedGifsPreferTheDoubleScaleFile) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "gif-resources";
    std::filesystem::create_directories(folder);
    auto write = [&](const std::string& name, const foundation::Data& data) {
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()), static_cast<long>(data.size()));
    };
    write("spin@2x.gif", makeGif(4, 4, {solidFrame(4, 4, 1, 5), solidFrame(4, 4, 2, 5)}));
    write("spin.gif", makeGif(2, 2, {solidFrame(2, 2, 1, 5), solidFrame(2, 2, 2, 5)}));
    write("plain.png", *graphics::PNGCodec::encode(graphics_test::quadrants(2, 2)));
    setenv("BARCODES_RESOURCES", folder.c_str(), 1);

    ui::Screen::mainScreen().setScale(2);
    EXPECT_EQ(UIImageGIF::sd_animatedGIFNamed("spin")->bitmap()->width(), 4);
    ui::Screen::mainScreen().setScale(1);
    EXPECT_EQ(UIImageGIF::sd_animatedGIFNamed("spin")->bitmap()->width(), 2);
    const auto fallback = UIImageGIF::sd_animatedGIFNamed("plain");
    ASSERT_NE(fallback, nullptr);
    EXPECT_TRUE(fallback->images().empty());
    EXPECT_EQ(UIImageGIF::sd_animatedGIFNamed("missing"), nullptr);

    unsetenv("BARCODES_RESOURCES");
    std::filesystem::remove_all(folder);
}

}  // namespace
