#include "ReaderFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/foundation/ApplicationHome.h"
#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"

namespace readerfixtures {

std::shared_ptr<graphics::Bitmap> plainPhoto(int width, int height) {
    auto out = graphics::Bitmap::make(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto v = static_cast<std::uint8_t>(90 + (x * 7 + y * 3) % 60 + (x * y) % 11);
            out->setPixel(x, y, {v, v, static_cast<std::uint8_t>(v / 2 + 60), 255});
        }
    }
    return out;
}

std::shared_ptr<graphics::Bitmap> rotated90(const graphics::Bitmap& source) {
    auto out = graphics::Bitmap::make(source.height(), source.width());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            out->setPixel(source.height() - 1 - y, x, source.pixel(x, y));
        }
    }
    return out;
}

std::shared_ptr<graphics::Bitmap> rotated180(const graphics::Bitmap& source) {
    auto out = graphics::Bitmap::make(source.width(), source.height());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            out->setPixel(source.width() - 1 - x, source.height() - 1 - y, source.pixel(x, y));
        }
    }
    return out;
}

std::string writePhoto(const graphics::Bitmap& bitmap, FileType type, const std::string& name,
                       int exifOrientation) {
    auto data = type == FileType::png ? graphics::PNGCodec::encode(bitmap)
                                      : graphics::JPEGCodec::encode(bitmap, 0.9, exifOrientation);
    EXPECT_TRUE(data);
    const auto path = std::filesystem::path(foundation::ApplicationHome::temporary()) /
                      (name + (type == FileType::png ? ".png" : ".jpg"));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data->data()), static_cast<long>(data->size()));
    return path.string();
}

}  // namespace readerfixtures
