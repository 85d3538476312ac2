#include "QRGen/QRDrawPNG.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "QRGen/QREncoder.h"
#include "tests/support/TemporaryHome.h"

namespace {

struct PngFile {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    std::vector<std::vector<std::uint8_t>> rows;  // one byte per pixel, 0 or 255
};

// Reads a PNG with libpng, expanded to 8-bit grey.
std::optional<PngFile> readPng(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    PngFile out;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return std::nullopt;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_get_IHDR(png, info, &out.width, &out.height, &out.bitDepth, &out.colorType, &out.interlace,
                 nullptr, nullptr);
    png_set_expand_gray_1_2_4_to_8(png);
    png_read_update_info(png, info);
    out.rows.assign(out.height, std::vector<std::uint8_t>(png_get_rowbytes(png, info)));
    for (auto& row : out.rows) {
        png_read_row(png, row.data(), nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return out;
}

TEST(QRDrawPNGTest, WritesOneBitGreyWithBlackModulesAndAQuietZoneOfFourModules) {
    testing_support::TemporaryHome home;
    auto encoder = std::make_unique<QREncoder>();
    ASSERT_EQ(encoder->encodeText(1, 0, true, -1, "HELLO WORLD", 0), 1);
    ASSERT_EQ(encoder->moduleCount, 21);
    const std::string path = (home.path() / "qr.png").string();

    QRDrawPNG writer;
    ASSERT_EQ(writer.draw(path.c_str(), 10, encoder->moduleCount, encoder->modules), 0);

    const auto png = readPng(path);
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->width, 290u);
    EXPECT_EQ(png->height, 290u);
    EXPECT_EQ(png->bitDepth, 1);
    EXPECT_EQ(png->colorType, PNG_COLOR_TYPE_GRAY);
    EXPECT_EQ(png->interlace, PNG_INTERLACE_NONE);
    for (int py = 0; py < 290; ++py) {
        for (int px = 0; px < 290; ++px) {
            const int mx = px / 10 - 4;
            const int my = py / 10 - 4;
            const bool dark =
                mx >= 0 && my >= 0 && mx < 21 && my < 21 && encoder->modules[mx * 177 + my] != 0;
            ASSERT_EQ(png->rows[py][px], dark ? 0 : 255) << px << "," << py;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(path + ".partial"));
}

TEST(QRDrawPNGTest, AFolderThatCannotBeOpenedGivesStatusOne) {
    testing_support::TemporaryHome home;
    auto encoder = std::make_unique<QREncoder>();
    ASSERT_EQ(encoder->encodeText(1, 0, true, -1, "A", 0), 1);
    const std::string path = (home.path() / "missing" / "qR.png").string();
    QRDrawPNG writer;
    EXPECT_EQ(writer.draw(path.c_str(), 10, encoder->moduleCount, encoder->modules), 1);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(QRDrawPNGTest, InputThatMakesNoImageFailsAndRemovesTheOldFile) {
    testing_support::TemporaryHome home;
    const std::string path = (home.path() / "qR.png").string();
    std::ofstream(path) << "an image of an earlier text";
    const std::uint8_t modules[177 * 177] = {};
    const struct {
        const char* what;
        int pixelsPerModule;
        int moduleCount;
        const std::uint8_t* modules;
    } cases[] = {
        {"no modules", 10, 21, nullptr},
        {"module count below version 1", 10, 0, modules},
        {"module count above version 40", 10, 178, modules},
        {"no pixels per module", 0, 21, modules},
        {"side beyond the pixel limit", 1000, 177, modules},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(path) << "stale";
        QRDrawPNG writer;
        EXPECT_EQ(writer.draw(path.c_str(), c.pixelsPerModule, c.moduleCount, c.modules),
                  QRDrawPNG::kWriteFailed);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
