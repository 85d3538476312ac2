#include <gtest/gtest.h>

#include "platform/graphics/BMPCodec.h"
#include "platform/graphics/GIFCodec.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/ImageSource.h"
#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"
#include "tests/platform/graphics/ImageFixtures.h"

namespace {

using graphics::ImageOrientation;
using graphics::ImageSource;
using graphics::Rgba8;
using graphics_test::quadrants;

bool near(Rgba8 a, Rgba8 b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

TEST(CodecTest, PngKeepsPixelsAndAlpha) {
    graphics::Bitmap bitmap = quadrants(6, 4);
    bitmap.setPixel(0, 0, Rgba8{10, 20, 30, 0});
    bitmap.setPixel(1, 0, Rgba8{200, 100, 50, 128});
    const auto png = graphics::PNGCodec::encode(bitmap);
    ASSERT_TRUE(png.has_value());
    const auto decoded = graphics::PNGCodec::decode(*png);
    ASSERT_TRUE(decoded.has_value());
    const graphics::Bitmap& back = *decoded->frames.at(0).bitmap;
    ASSERT_EQ(back.width(), 6);
    ASSERT_EQ(back.height(), 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(back.pixel(x, y), bitmap.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST(CodecTest, JpegOrientationComesFromExif) {
    const graphics::Bitmap bitmap = quadrants(16, 8);
    const struct {
        int exif;  // 0: no EXIF segment
        ImageOrientation orientation;
    } cases[] = {{0, ImageOrientation::up},   {1, ImageOrientation::up},
                 {3, ImageOrientation::down}, {6, ImageOrientation::right},
                 {8, ImageOrientation::left}, {5, ImageOrientation::leftMirrored},
                 {9, ImageOrientation::up}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exif);
        const auto jpeg = graphics::JPEGCodec::encode(bitmap, 1.0, c.exif == 0 ? 1 : c.exif);
        ASSERT_TRUE(jpeg.has_value());
        EXPECT_EQ(graphics::JPEGCodec::exifOrientation(*jpeg),
                  c.exif <= 1 ? std::nullopt : std::optional<int>(c.exif));
        const auto image = graphics::Image::imageWithData(*jpeg);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->imageOrientation(), c.orientation);
        EXPECT_TRUE(near(image->bitmap()->pixel(1, 1), Rgba8{255, 0, 0, 255}, 12));
        EXPECT_TRUE(near(image->bitmap()->pixel(14, 6), Rgba8{255, 255, 255, 255}, 12));
    }
}

TEST(CodecTest, UprightBitmapTurnsEachOrientation) {
    // Stored 4 x 2: red top left, green top right, blue bottom left, white bottom right.
    const auto stored = std::make_shared<graphics::Bitmap>(quadrants(4, 2));
    const Rgba8 red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};
    const struct {
        ImageOrientation orientation;
        int width;
        Rgba8 topLeft;
        Rgba8 topRight;
    } cases[] = {
        {ImageOrientation::up, 4, red, green},
        {ImageOrientation::down, 4, Rgba8{255, 255, 255, 255}, blue},
        {ImageOrientation::right, 2, blue, red},
        {ImageOrientation::left, 2, green, Rgba8{255, 255, 255, 255}},
        {ImageOrientation::upMirrored, 4, green, red},
        {ImageOrientation::downMirrored, 4, blue, Rgba8{255, 255, 255, 255}},
        {ImageOrientation::leftMirrored, 2, red, blue},
        {ImageOrientation::rightMirrored, 2, Rgba8{255, 255, 255, 255}, green},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.orientation));
        const graphics::Image image(stored, 2, c.orientation);
        EXPECT_EQ(image.size().width, c.width / 2.0);
        const auto upright = image.uprightBitmap();
        ASSERT_EQ(upright->width(), c.width);
        EXPECT_EQ(upright->pixel(0, 0), c.topLeft);
        EXPECT_EQ(upright->pixel(upright->width() - 1, 0), c.topRight);
    }
}

TEST(CodecTest, AnimatedGifGivesEveryFrameWithItsDelays) {
    using graphics_test::solidFrame;
    graphics_test::GifFrame corner;
    corner.delayCentiseconds = 2;
    corner.transparentIndex = 3;
    corner.width = 2;
    corner.height = 2;
    corner.left = 1;
    corner.top = 1;
    corner.indices = {2, 3, 3, 2};
    const foundation::Data gif = graphics_test::makeGif(
        4, 4, {solidFrame(4, 4, 1, 0), solidFrame(4, 4, 0, 1), corner, solidFrame(4, 4, 3, -1)});
    ImageSource source(gif);
    EXPECT_EQ(source.type(), graphics::ImageType::gif);
    ASSERT_EQ(source.count(), 4u);
    const struct {
        std::optional<double> unclamped;
        std::optional<double> delay;
    } delays[] = {{0.0, 0.1}, {0.01, 0.1}, {0.02, 0.02}, {std::nullopt, std::nullopt}};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const auto p = source.propertiesAtIndex(i);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(p->pixelWidth, 4);
        EXPECT_EQ(p->gifUnclampedDelayTime, delays[i].unclamped);
        EXPECT_EQ(p->gifDelayTime, delays[i].delay);
    }
    EXPECT_EQ(source.imageAtIndex(0)->pixel(0, 0), (Rgba8{255, 0, 0, 255}));
    // The third frame draws over the second: its transparent pixels show black.
    const auto third = source.imageAtIndex(2);
    EXPECT_EQ(third->pixel(1, 1), (Rgba8{0, 255, 0, 255}));
    EXPECT_EQ(third->pixel(2, 1), (Rgba8{0, 0, 0, 255}));
    EXPECT_EQ(third->pixel(0, 0), (Rgba8{0, 0, 0, 255}));
    EXPECT_EQ(source.imageAtIndex(4), nullptr);
}

TEST(CodecTest, BmpDecodesBottomUpRowsWithPadding) {
    // 3 x 2 pixels, 24-bit: rows of 9 bytes padded to 12, stored bottom row first.
    foundation::Data bmp(54 + 24, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54, bmp[14] = 40, bmp[18] = 3, bmp[22] = 2;
    bmp[26] = 1, bmp[28] = 24;
    // Bottom row: blue, then zeros; top row: red first (stored B, G, R).
    bmp[54] = 255;
    bmp[54 + 12 + 2] = 255;
    const auto decoded = graphics::BMPCodec::decode(bmp);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->frames[0].bitmap->pixel(0, 0), (Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(decoded->frames[0].bitmap->pixel(0, 1), (Rgba8{0, 0, 255, 255}));
}

TEST(CodecTest, CorruptTruncatedAndHugeDataGiveNoImage) {
    const auto png = *graphics::PNGCodec::encode(quadrants(40, 30));
    const auto jpeg = *graphics::JPEGCodec::encode(quadrants(40, 30), 0.8);
    const auto gif = graphics_test::makeGif(4, 4, {graphics_test::solidFrame(4, 4, 1, 5)});
    for (const foundation::Data* whole : {&png, &jpeg, &gif}) {
        // A GIF cut just before its trailer still holds every frame whole.
        const std::size_t last = whole == &gif ? whole->size() - 2 : whole->size() - 1;
        for (std::size_t cut :
             {std::size_t{1}, std::size_t{7}, std::size_t{20}, whole->size() / 2, last}) {
            SCOPED_TRACE(cut);
            const foundation::Data truncated(whole->begin(), whole->begin() + cut);
            EXPECT_EQ(graphics::Image::imageWithData(truncated), nullptr);
        }
    }
    foundation::Data flipped = png;
    for (std::size_t i = 40; i < flipped.size(); i += 7) {
        flipped[i] ^= 0x5A;
    }
    EXPECT_EQ(graphics::Image::imageWithData(flipped), nullptr);
    EXPECT_EQ(graphics::Image::imageWithData({}), nullptr);
    EXPECT_EQ(graphics::Image::imageWithData(foundation::dataFromString("not an image")), nullptr);

    // Headers that claim huge images are refused before any pixel memory.
    EXPECT_EQ(graphics::Image::imageWithData(graphics_test::pngHeader(100000, 100000)), nullptr);
    EXPECT_EQ(graphics::Image::imageWithData(graphics_test::pngHeader(16000, 16000)), nullptr);
    foundation::Data hugeGif = gif;
    hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = 0xFF;  // logical screen 65535 x 65535
    EXPECT_EQ(graphics::Image::imageWithData(hugeGif), nullptr);
    foundation::Data hugeJpeg = jpeg;
    for (std::size_t i = 2; i + 8 < hugeJpeg.size(); ++i) {
        if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {  // start of frame: height, width
            hugeJpeg[i + 5] = hugeJpeg[i + 6] = hugeJpeg[i + 7] = hugeJpeg[i + 8] = 0xFF;
            break;
        }
    }
    EXPECT_EQ(graphics::Image::imageWithData(hugeJpeg), nullptr);
    foundation::Data hugeBmp(54, 0);
    hugeBmp[0] = 'B', hugeBmp[1] = 'M', hugeBmp[10] = 54, hugeBmp[14] = 40, hugeBmp[26] = 1;
    hugeBmp[28] = 24;
    hugeBmp[21] = 0x7F, hugeBmp[25] = 0x7F;
    EXPECT_EQ(graphics::Image::imageWithData(hugeBmp), nullptr);

    // The size a header claims is still read, for a message that says so.
    using Size = std::optional<std::pair<int, int>>;
    const std::pair<const foundation::Data*, Size> claims[] = {
        {&png, Size({40, 30})},
        {&jpeg, Size({40, 30})},
        {&gif, Size({4, 4})},
        {&hugeGif, Size({65535, 65535})},
        {&hugeJpeg, Size({65535, 65535})},
        {&hugeBmp, Size({0x7F000000, 0x7F000000})},
    };
    for (const auto& [data, size] : claims) {
        EXPECT_EQ(ImageSource::declaredPixelSize(*data), size);
    }
    EXPECT_EQ(ImageSource::declaredPixelSize(graphics_test::pngHeader(100000, 100000)),
              Size({100000, 100000}));
    EXPECT_EQ(ImageSource::declaredPixelSize(foundation::dataFromString("not an image")),
              std::nullopt);
    EXPECT_EQ(ImageSource::declaredPixelSize(foundation::Data(png.begin(), png.begin() + 20)),
              std::nullopt);
}

TEST(CodecTest, IncrementalSourceShowsTheRowsThatArrived) {
    const graphics::Bitmap bitmap = quadrants(8, 64);
    const auto png = *graphics::PNGCodec::encode(bitmap);
    ImageSource source;
    EXPECT_EQ(source.count(), 0u);
    const foundation::Data half(png.begin(), png.begin() + static_cast<long>(png.size() * 3 / 4));
    source.updateData(half, false);
    ASSERT_EQ(source.count(), 1u);
    EXPECT_FALSE(source.isComplete());
    const auto partial = source.imageAtIndex(0);
    ASSERT_EQ(partial->height(), 64);
    EXPECT_EQ(partial->pixel(0, 0), (Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(partial->pixel(0, 63).a, 0);
    source.updateData(png, true);
    EXPECT_TRUE(source.isComplete());
    EXPECT_EQ(source.imageAtIndex(0)->pixel(0, 63), (Rgba8{0, 0, 255, 255}));
}

}  // namespace
