#include "tests/platform/graphics/ImageFixtures.h"

#include <gif_lib.h>
#include <zlib.h>

namespace graphics_test {

namespace {

int writeToData(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<foundation::Data*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

void put32(foundation::Data& d, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) {
        d.push_back(static_cast<std::uint8_t>(v >> s));
    }
}

}  // namespace

foundation::Data makeGif(int width, int height, const std::vector<GifFrame>& frames) {
    foundation::Data out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToData, &error);
    const GifColorType colors[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 2, 0, map);
    for (const GifFrame& f : frames) {
        if (f.delayCentiseconds >= 0) {
            GraphicsControlBlock gcb{f.disposal, false, f.delayCentiseconds, f.transparentIndex};
            GifByteType extension[4];
            const size_t length = EGifGCBToExtension(&gcb, extension);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
        }
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, false, nullptr);
        std::vector<GifPixelType> row(static_cast<std::size_t>(f.width));
        for (int y = 0; y < f.height; ++y) {
            for (int x = 0; x < f.width; ++x) {
                row[static_cast<std::size_t>(x)] =
                    f.indices[static_cast<std::size_t>(y * f.width + x)];
            }
            EGifPutLine(gif, row.data(), f.width);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

GifFrame solidFrame(int width, int height, unsigned char index, int delayCentiseconds) {
    GifFrame f;
    f.delayCentiseconds = delayCentiseconds;
    f.width = width;
    f.height = height;
    f.indices.assign(static_cast<std::size_t>(width * height), index);
    return f;
}

foundation::Data pngHeader(std::uint32_t width, std::uint32_t height,
                           const foundation::Data& tail) {
    foundation::Data d = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    put32(d, 13);
    const std::size_t typeAt = d.size();
    d.insert(d.end(), {'I', 'H', 'D', 'R'});
    put32(d, width);
    put32(d, height);
    d.insert(d.end(), {8, 6, 0, 0, 0});
    put32(d, static_cast<std::uint32_t>(crc32(0, d.data() + typeAt, 17)));
    d.insert(d.end(), tail.begin(), tail.end());
    return d;
}

graphics::Bitmap quadrants(int width, int height) {
    graphics::Bitmap b(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            graphics::Rgba8 c = !bottom ? (right ? graphics::Rgba8{0, 255, 0, 255}
                                                 : graphics::Rgba8{255, 0, 0, 255})
                                        : (right ? graphics::Rgba8{255, 255, 255, 255}
                                                 : graphics::Rgba8{0, 0, 255, 255});
            b.setPixel(x, y, c);
        }
    }
    return b;
}

}  // namespace graphics_test
