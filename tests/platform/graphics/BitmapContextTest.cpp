#include "platform/graphics/BitmapContext.h"

#include <gtest/gtest.h>

#include <numbers>

#include "platform/graphics/Image.h"
#include "platform/graphics/ImageContext.h"
#include "tests/platform/graphics/ImageFixtures.h"

namespace {

using graphics::AlphaInfo;
using graphics::BitmapContext;
using graphics::Color;
using graphics::ColorSpaceModel;
using graphics::Rect;
using graphics::Rgba8;

const Rgba8 kRed{255, 0, 0, 255};
const Rgba8 kGreen{0, 255, 0, 255};
const Rgba8 kBlue{0, 0, 255, 255};
const Rgba8 kClear{0, 0, 0, 0};

std::uint32_t info(AlphaInfo a, std::uint32_t order = 0) {
    return static_cast<std::uint32_t>(a) | order;
}

std::unique_ptr<BitmapContext> rgbaContext(int w, int h) {
    return BitmapContext::create(
        w, h, ColorSpaceModel::rgb,
        info(AlphaInfo::premultipliedLast, graphics::kBitmapByteOrder32Big));
}

TEST(BitmapContextTest, BitmapContextsHaveYUpAndImageContextsYDown) {
    auto cg = rgbaContext(4, 4);
    cg->setFillColor(Color::redColor());
    cg->fillRect(Rect(0, 0, 4, 1));
    auto bitmap = cg->makeBitmap();
    EXPECT_EQ(bitmap->pixel(0, 3), kRed);
    EXPECT_EQ(bitmap->pixel(0, 0), kClear);

    auto ui = BitmapContext::createImageContext({2, 2}, false, 2);
    ASSERT_EQ(ui->width(), 4);
    ui->setFillColor(Color::redColor());
    ui->fillRect(Rect(0, 0, 2, 1));
    bitmap = ui->makeBitmap();
    EXPECT_EQ(bitmap->pixel(3, 0), kRed);
    EXPECT_EQ(bitmap->pixel(0, 1), kRed);
    EXPECT_EQ(bitmap->pixel(0, 2), kClear);
    EXPECT_EQ(ui->makeImage()->size(), (graphics::Size{2, 2}));
}

TEST(BitmapContextTest, ImagesDrawUprightWhereThePlatformDrawsThemUpright) {
    const graphics::Bitmap source = graphics_test::quadrants(2, 2);
    // Bitmap context: drawn upright.
    auto cg = rgbaContext(2, 2);
    cg->drawImage(Rect(0, 0, 2, 2), source);
    EXPECT_EQ(cg->makeBitmap()->pixel(0, 0), kRed);
    EXPECT_EQ(cg->makeBitmap()->pixel(0, 1), kBlue);

    // Image context: the low-level draw comes out upside down, and a flip of
    // the transform puts it right; the image's own draw is upright.
    auto ui = BitmapContext::createImageContext({2, 2}, false, 1);
    ui->drawImage(Rect(0, 0, 2, 2), source);
    EXPECT_EQ(ui->makeBitmap()->pixel(0, 0), kBlue);
    ui->translateCTM(0, 2);
    ui->scaleCTM(1, -1);
    ui->drawImage(Rect(0, 0, 2, 2), source);
    EXPECT_EQ(ui->makeBitmap()->pixel(0, 0), kRed);

    auto plain = BitmapContext::createImageContext({2, 2}, false, 1);
    const graphics::Image image(std::make_shared<graphics::Bitmap>(source), 1,
                                graphics::ImageOrientation::right);
    image.drawInRect(*plain, Rect(0, 0, 2, 2));
    EXPECT_EQ(plain->makeBitmap()->pixel(0, 0), kBlue);
    EXPECT_EQ(plain->makeBitmap()->pixel(1, 0), kRed);
}

TEST(BitmapContextTest, NearestInterpolationScalesWithoutBlending) {
    graphics::Bitmap source(2, 1);
    source.setPixel(0, 0, Rgba8{0, 0, 0, 255});
    source.setPixel(1, 0, Rgba8{255, 255, 255, 255});
    auto grey = BitmapContext::create(8, 1, ColorSpaceModel::monochrome, info(AlphaInfo::none));
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(grey->bytesPerRow(), 8u);
    grey->setInterpolationQuality(graphics::InterpolationQuality::none);
    grey->drawImage(Rect(0, 0, 8, 1), source);
    EXPECT_EQ(grey->data(), (std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 255}));
}

TEST(BitmapContextTest, ClipsStatesAndDegenerateTransforms) {
    auto c = rgbaContext(4, 4);
    c->saveGState();
    c->clipToRect(Rect(0, 0, 2, 4));
    c->setFillColor(Color::greenColor());
    c->fillRect(Rect(0, 0, 4, 4));
    c->restoreGState();
    auto b = c->makeBitmap();
    EXPECT_EQ(b->pixel(1, 1), kGreen);
    EXPECT_EQ(b->pixel(3, 1), kClear);

    // A scale by zero draws nothing and leaves the context usable.
    c->saveGState();
    c->scaleCTM(0, 0);
    c->fillRect(Rect(0, 0, 4, 4));
    c->restoreGState();
    c->setFillColor(Color::blueColor());
    c->fillRect(Rect(3, 0, 1, 1));
    b = c->makeBitmap();
    EXPECT_EQ(b->pixel(3, 3), kBlue);
    EXPECT_EQ(b->pixel(3, 1), kClear);

    c->clearRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(c->makeBitmap()->pixel(1, 1), kClear);
}

TEST(BitmapContextTest, DataFollowsTheBitmapInfoLayout) {
    const struct {
        std::uint32_t bitmapInfo;
        std::vector<std::uint8_t> bytes;  // of one half-transparent red pixel
        int red;                          // read back through fromPixels
    } cases[] = {
        {info(AlphaInfo::premultipliedLast, graphics::kBitmapByteOrder32Big),
         {128, 0, 0, 128},
         255},
        {info(AlphaInfo::premultipliedFirst, graphics::kBitmapByteOrder32Little),
         {0, 0, 128, 128},
         255},
        {info(AlphaInfo::premultipliedFirst), {128, 128, 0, 0}, 255},
        // Without alpha the pixel is as drawn over black.
        {info(AlphaInfo::noneSkipFirst, graphics::kBitmapByteOrder32Little), {0, 0, 128, 255}, 128},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bitmapInfo);
        auto context = BitmapContext::create(1, 1, ColorSpaceModel::rgb, c.bitmapInfo);
        ASSERT_NE(context, nullptr);
        context->setShouldAntialias(false);
        context->setFillColor(Color::rgb(1, 0, 0, 128.0 / 255));
        context->fillRect(Rect(0, 0, 1, 1));
        const auto data = context->data();
        ASSERT_EQ(data.size(), 4u);
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(data[k], c.bytes[k], 1) << k;
        }
        const auto back =
            graphics::Bitmap::fromPixels(1, 1, 4, ColorSpaceModel::rgb, c.bitmapInfo, data.data());
        EXPECT_NEAR(back->pixel(0, 0).r, c.red, 2);
    }
    EXPECT_EQ(BitmapContext::create(4, 4, ColorSpaceModel::rgb, info(AlphaInfo::none)), nullptr);
    EXPECT_EQ(BitmapContext::create(0, 4, ColorSpaceModel::rgb, info(AlphaInfo::premultipliedLast)),
              nullptr);
    EXPECT_EQ(BitmapContext::create(100000, 100000, ColorSpaceModel::monochrome, 0), nullptr);
}

TEST(BitmapContextTest, TextIsDrawnWithARealFont) {
    const graphics::Font font = graphics::Font::systemFontOfSize(16);
    const graphics::Size one = font.measure("W");
    const graphics::Size many = font.measure("WWWW");
    EXPECT_GT(one.width, 5);
    EXPECT_NEAR(many.width, 4 * one.width, 0.5);
    EXPECT_GT(one.height, 16);
    EXPECT_EQ(font.measure("\xff\xfe").width, 0);

    auto c = BitmapContext::createImageContext({60, 30}, false, 1);
    c->setFillColor(Color::blackColor());
    c->drawText("Hi \xff", {2, 2}, font);
    const auto b = c->makeBitmap();
    int inked = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            inked += b->pixel(x, y).a > 128 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 20);
    // Nothing above the line box.
    for (int x = 0; x < 60; ++x) {
        EXPECT_EQ(b->pixel(x, 0).a, 0);
    }
}

TEST(BitmapContextTest, PathsArcsAndTheCurrentContextStack) {
    ASSERT_TRUE(graphics::beginImageContext({10, 10}, false, 1));
    graphics::BitmapContext* c = graphics::currentContext();
    ASSERT_NE(c, nullptr);
    graphics::Path path;
    path.addArc({5, 5}, 4, 0, 2 * std::numbers::pi, true);
    path.close();
    c->setFillColor(Color::redColor());
    c->addPath(path);
    c->fillPath();
    c->setStrokeColor(Color::blueColor());
    c->setLineWidth(2);
    c->strokeRect(Rect(0, 0, 10, 10));
    const auto image = graphics::imageFromCurrentImageContext();
    graphics::endImageContext();
    EXPECT_EQ(graphics::currentContext(), nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bitmap()->pixel(5, 5), kRed);
    EXPECT_EQ(image->bitmap()->pixel(0, 5), kBlue);
    EXPECT_EQ(image->bitmap()->pixel(1, 1).a, 0);
    EXPECT_EQ(path.bounds(), Rect(1, 1, 8, 8));
}

TEST(BitmapContextTest, BitmapHelpersCropMaskAndScale) {
    const graphics::Bitmap q = graphics_test::quadrants(4, 4);
    const auto crop = q.cropped(Rect(1.5, 1.5, 10, 10));
    ASSERT_NE(crop, nullptr);
    EXPECT_EQ(crop->width(), 3);
    EXPECT_EQ(crop->pixel(0, 0), kRed);
    EXPECT_EQ(crop->pixel(2, 2), (Rgba8{255, 255, 255, 255}));
    EXPECT_EQ(q.cropped(Rect(5, 5, 1, 1)), nullptr);

    const auto masked = q.maskingColors({222, 255, 222, 255, 222, 255});
    EXPECT_EQ(masked->pixel(3, 3).a, 0);
    EXPECT_EQ(masked->pixel(0, 0), kRed);

    const auto small = q.scaled(2, 2);
    EXPECT_EQ(small->pixel(0, 0), kRed);
    EXPECT_EQ(small->pixel(1, 0), kGreen);
    EXPECT_EQ(q.scaled(0, 2), nullptr);
}

}  // namespace
