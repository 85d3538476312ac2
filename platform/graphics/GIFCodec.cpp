#include "platform/graphics/GIFCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace graphics {

namespace {

static_assert(sizeof(Rgba8) == 4, "canvas rows are copied as RGBA bytes");

struct Reader {
    const foundation::Data* data;
    std::size_t position = 0;
};

int readFromData(GifFileType* gif, GifByteType* out, int length) {
    auto* reader = static_cast<Reader*>(gif->UserData);
    const std::size_t left = reader->data->size() - reader->position;
    const std::size_t n = std::min(left, static_cast<std::size_t>(std::max(length, 0)));
    std::memcpy(out, reader->data->data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Reads the pixel indices of the current frame, honouring interlacing.
bool readFrameIndices(GifFileType* gif, int width, int height, std::vector<GifPixelType>& out) {
    out.assign(static_cast<std::size_t>(width) * height, 0);
    if (gif->Image.Interlace) {
        static const int offsets[4] = {0, 4, 2, 1};
        static const int steps[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = offsets[pass]; y < height; y += steps[pass]) {
                if (DGifGetLine(gif, out.data() + static_cast<std::size_t>(y) * width, width) ==
                    GIF_ERROR) {
                    return false;
                }
            }
        }
        return true;
    }
    for (int y = 0; y < height; ++y) {
        if (DGifGetLine(gif, out.data() + static_cast<std::size_t>(y) * width, width) ==
            GIF_ERROR) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<DecodedImage> GIFCodec::decode(const foundation::Data& data) {
    if (data.size() < 6 || std::memcmp(data.data(), "GIF8", 4) != 0) {
        return std::nullopt;
    }
    Reader reader{&data};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, readFromData, &error));
    if (!gif) {
        return std::nullopt;
    }
    DecodedImage image;
    image.type = ImageType::gif;
    int canvasWidth = gif->SWidth;
    int canvasHeight = gif->SHeight;
    std::vector<Rgba8> canvas;
    std::int64_t pixelBudget = Bitmap::kMaxPixels;
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    bool haveControl = false;
    std::vector<GifPixelType> indices;

    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) {
            break;
        }
        if (record == TERMINATE_RECORD_TYPE) {
            break;
        }
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) {
                break;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
                haveControl = DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK;
            }
            bool broken = false;
            while (block != nullptr) {
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) {
                    broken = true;
                    break;
                }
            }
            if (broken) {
                break;
            }
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) {
            continue;
        }
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR) {
            break;
        }
        const GifImageDesc& desc = gif->Image;
        if (canvas.empty()) {
            if (canvasWidth <= 0 || canvasHeight <= 0) {
                canvasWidth = desc.Left + desc.Width;
                canvasHeight = desc.Top + desc.Height;
            }
            if (!Bitmap::sizeAllowed(canvasWidth, canvasHeight)) {
                return std::nullopt;
            }
            canvas.assign(static_cast<std::size_t>(canvasWidth) * canvasHeight, Rgba8{});
            image.width = canvasWidth;
            image.height = canvasHeight;
        }
        pixelBudget -= static_cast<std::int64_t>(canvasWidth) * canvasHeight;
        if (desc.Width <= 0 || desc.Height <= 0 || !Bitmap::sizeAllowed(desc.Width, desc.Height) ||
            pixelBudget < 0) {
            return std::nullopt;
        }
        if (!readFrameIndices(gif.get(), desc.Width, desc.Height, indices)) {
            break;
        }
        const ColorMapObject* colors = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        const int transparent = haveControl ? control.TransparentColor : NO_TRANSPARENT_COLOR;
        const int disposal = haveControl ? control.DisposalMode : DISPOSAL_UNSPECIFIED;
        std::vector<Rgba8> previous;
        if (disposal == DISPOSE_PREVIOUS) {
            previous = canvas;
        }
        // Frames may stick out of the logical screen; only the overlap is drawn.
        const int x0 = std::max(0, desc.Left);
        const int y0 = std::max(0, desc.Top);
        const int x1 = std::min(canvasWidth, desc.Left + desc.Width);
        const int y1 = std::min(canvasHeight, desc.Top + desc.Height);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const int index =
                    indices[static_cast<std::size_t>(y - desc.Top) * desc.Width + (x - desc.Left)];
                if (index == transparent || colors == nullptr || index >= colors->ColorCount) {
                    continue;
                }
                const GifColorType& c = colors->Colors[index];
                canvas[static_cast<std::size_t>(y) * canvasWidth + x] =
                    Rgba8{c.Red, c.Green, c.Blue, 255};
            }
        }
        auto bitmap = std::make_shared<Bitmap>(canvasWidth, canvasHeight);
        std::memcpy(bitmap->data(), canvas.data(), canvas.size() * sizeof(Rgba8));
        bitmap->setColorSpaceModel(ColorSpaceModel::rgb);
        bitmap->setAlphaInfo(AlphaInfo::last);
        DecodedFrame frame{bitmap, std::nullopt, std::nullopt};
        if (haveControl) {
            const double delay = control.DelayTime / 100.0;
            frame.unclampedDelayTime = delay;
            frame.delayTime = delay <= 0.01 ? 0.1 : delay;
        }
        image.frames.push_back(std::move(frame));

        if (disposal == DISPOSE_BACKGROUND) {
            for (int y = y0; y < y1; ++y) {
                std::fill_n(canvas.begin() + static_cast<std::ptrdiff_t>(y) * canvasWidth + x0,
                            x1 - x0, Rgba8{});
            }
        } else if (disposal == DISPOSE_PREVIOUS) {
            canvas = std::move(previous);
        }
        haveControl = false;
        control = GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    }
    if (image.frames.empty()) {
        return std::nullopt;
    }
    return image;
}

}  // namespace graphics
