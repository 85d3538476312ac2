#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/PNGCodec.h"

namespace {

namespace fs = std::filesystem;
using graphics::Image;

// Points the bundle at a resource folder of PNGs made by the test.
class ImageNamedTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = foundation::ApplicationHome::path() + "/resources";
        foundation::FileManager::defaultManager().createDirectory(folder_);
        setenv("BARCODES_RESOURCES", folder_.c_str(), 1);
    }
    void TearDown() override { unsetenv("BARCODES_RESOURCES"); }

    // A PNG of one colour; its last `cut` bytes left out.
    void writePng(const std::string& name, int width, int height,
                  graphics::Rgba8 colour = {10, 20, 30, 255}, std::size_t cut = 0) {
        graphics::Bitmap bitmap(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                bitmap.setPixel(x, y, colour);
        }
        auto bytes = graphics::PNGCodec::encode(bitmap);
        ASSERT_TRUE(bytes);
        bytes->resize(bytes->size() - cut);
        ASSERT_TRUE(foundation::FileManager::defaultManager().writeAtomically(folder_ + "/" + name,
                                                                              *bytes));
    }

    std::string folder_;
};

TEST_F(ImageNamedTest, AnUnchangedFileIsDecodedOnce) {
    writePng("dot.png", 4, 2);
    const auto first = Image::imageNamed("dot");
    ASSERT_TRUE(first);
    EXPECT_EQ(Image::imageNamed("dot"), first);
    EXPECT_EQ(Image::imageNamed("dot.png"), first);  // the same file by its full name
}

TEST_F(ImageNamedTest, PixelsAreDecodedWhenAskedFor) {
    writePng("dot.png", 4, 2, {200, 100, 50, 255});
    const auto image = Image::imageNamed("dot");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), graphics::Size(4, 2));  // from the header
    const auto copy = image->imageWithRenderingMode(graphics::RenderingMode::alwaysTemplate);
    ASSERT_TRUE(image->bitmap());
    EXPECT_EQ(image->bitmap()->width(), 4);
    EXPECT_EQ(image->bitmap()->pixel(3, 1), (graphics::Rgba8{200, 100, 50, 255}));
    EXPECT_EQ(copy->bitmap(), image->bitmap());  // the copy shares the decoding
    EXPECT_EQ(image->uprightBitmap()->pixel(0, 0), (graphics::Rgba8{200, 100, 50, 255}));
}

TEST_F(ImageNamedTest, DataThatIsNoCompleteImageGivesNone) {
    writePng("cut.png", 4, 2, {1, 2, 3, 255}, 12);  // without its end chunk
    EXPECT_EQ(Image::imageNamed("cut"), nullptr);
    ASSERT_TRUE(foundation::FileManager::defaultManager().writeAtomically(
        folder_ + "/text.png", foundation::dataFromString("not a picture")));
    EXPECT_EQ(Image::imageNamed("text"), nullptr);
}

TEST_F(ImageNamedTest, AChangedFileIsDecodedAgain) {
    writePng("dot.png", 4, 2);
    const auto first = Image::imageNamed("dot");
    ASSERT_TRUE(first);

    // Other bytes, other size.
    writePng("dot.png", 6, 3);
    const auto resized = Image::imageNamed("dot");
    ASSERT_TRUE(resized);
    EXPECT_NE(resized, first);
    EXPECT_EQ(resized->size(), graphics::Size(6, 3));

    // The same size, a later modification time.
    const fs::path path = folder_ + "/dot.png";
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
    const auto touched = Image::imageNamed("dot");
    ASSERT_TRUE(touched);
    EXPECT_NE(touched, resized);
    EXPECT_EQ(Image::imageNamed("dot"), touched);

    fs::remove(path);
    EXPECT_EQ(Image::imageNamed("dot"), nullptr);
}

TEST_F(ImageNamedTest, EachScaleOfAFileIsItsOwnImage) {
    writePng("dot@2x.png", 4, 2);
    const auto doubled = Image::imageNamed("dot", 2);
    ASSERT_TRUE(doubled);
    EXPECT_EQ(doubled->scale(), 2);
    EXPECT_EQ(Image::imageNamed("dot@2x.png"), doubled);
    // The name without an extension is taken as it is: one pixel a point.
    const auto plain = Image::imageNamed("dot@2x");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->scale(), 1);
}

}  // namespace
