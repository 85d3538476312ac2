#include "platform/graphics/PNGCodec.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace graphics {

namespace {

struct Reader {
    const foundation::Data* data = nullptr;
    std::size_t position = 0;
};

struct Decoding {
    Reader reader;
    std::shared_ptr<Bitmap> bitmap;
    int rowsRead = 0;
    bool interlaced = false;
    bool finished = false;
};

// Sets the transforms that turn any PNG into 8-bit RGBA and makes the bitmap;
// false when the image is too large.
bool prepare(png_structp png, png_infop info, Decoding& d) {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    if (!Bitmap::sizeAllowed(width, height)) {
        return false;
    }
    const bool transparent =
        (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool grey = (colorType & PNG_COLOR_MASK_COLOR) == 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    d.interlaced = png_set_interlace_handling(png) > 1;
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
        return false;
    }
    d.bitmap = std::make_shared<Bitmap>(static_cast<int>(width), static_cast<int>(height));
    d.bitmap->setColorSpaceModel(grey ? ColorSpaceModel::monochrome : ColorSpaceModel::rgb);
    d.bitmap->setAlphaInfo(transparent ? AlphaInfo::last : AlphaInfo::none);
    return true;
}

void onInfo(png_structp png, png_infop info) {
    auto* d = static_cast<Decoding*>(png_get_progressive_ptr(png));
    if (!prepare(png, info, *d)) {
        png_error(png, "image too large");
    }
}

void onRow(png_structp png, png_bytep row, png_uint_32 number, int) {
    auto* d = static_cast<Decoding*>(png_get_progressive_ptr(png));
    if (row == nullptr || !d->bitmap || number >= static_cast<png_uint_32>(d->bitmap->height())) {
        return;
    }
    png_progressive_combine_row(png, d->bitmap->row(static_cast<int>(number)), row);
    d->rowsRead = std::max(d->rowsRead, static_cast<int>(number) + 1);
}

void onEnd(png_structp png, png_infop) {
    static_cast<Decoding*>(png_get_progressive_ptr(png))->finished = true;
}

// Feeds whatever data there is to libpng's progressive reader, which keeps
// the rows that could be decoded from it.
bool runProgressive(png_structp png, png_infop info, const foundation::Data& data, Decoding& d) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_user_limits(png, Bitmap::kMaxSide, Bitmap::kMaxSide);
    png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
    png_set_progressive_read_fn(png, &d, onInfo, onRow, onEnd);
    png_process_data(png, info, const_cast<png_bytep>(data.data()), data.size());
    return true;
}

void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readFromData(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (length > reader->data->size() - reader->position) {
        png_error(png, "data ends early");
    }
    std::memcpy(out, reader->data->data() + reader->position, length);
    reader->position += length;
}

// Runs the decoding; false when libpng gave up. Kept apart so that nothing in
// this frame changes after setjmp except through `d`.
bool runDecode(png_structp png, png_infop info, Decoding& d) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, &d.reader, readFromData);
    png_set_user_limits(png, Bitmap::kMaxSide, Bitmap::kMaxSide);
    png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
    png_read_info(png, info);

    if (!prepare(png, info, d)) {
        return false;
    }
    const int passes = d.interlaced ? 7 : 1;
    const png_uint_32 height = static_cast<png_uint_32>(d.bitmap->height());
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, d.bitmap->row(static_cast<int>(y)), nullptr);
            if (pass == 0) {
                d.rowsRead = static_cast<int>(y) + 1;
            }
        }
    }
    // The end chunk must be there too: data cut anywhere is incomplete.
    png_read_end(png, nullptr);
    return true;
}

struct Writer {
    foundation::Data out;
};

void writeToData(png_structp png, png_bytep in, png_size_t length) {
    auto* writer = static_cast<Writer*>(png_get_io_ptr(png));
    writer->out.insert(writer->out.end(), in, in + length);
}

void flushNothing(png_structp) {}

bool runEncode(png_structp png, png_infop info, const Bitmap& bitmap, Writer& writer) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    const AlphaInfo a = bitmap.alphaInfo();
    const bool opaque =
        a == AlphaInfo::none || a == AlphaInfo::noneSkipFirst || a == AlphaInfo::noneSkipLast;
    png_set_write_fn(png, &writer, writeToData, flushNothing);
    png_set_IHDR(png, info, bitmap.width(), bitmap.height(), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // One filter for every row: trying all five per row costs more time
    // than it saves bytes on the pictures written here.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    if (opaque) {
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    }
    for (int y = 0; y < bitmap.height(); ++y) {
        png_write_row(png, const_cast<png_bytep>(bitmap.row(y)));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::optional<DecodedImage> PNGCodec::decode(const foundation::Data& data, bool allowPartial) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
        return std::nullopt;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (png == nullptr) {
        return std::nullopt;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    Decoding d;
    d.reader.data = &data;
    bool ok;
    if (allowPartial) {
        ok = runProgressive(png, info, data, d) && d.finished;
    } else {
        ok = runDecode(png, info, d);
    }
    png_destroy_read_struct(&png, &info, nullptr);

    const bool partialUsable = allowPartial && d.bitmap && d.rowsRead > 0;
    if (!ok && !partialUsable) {
        return std::nullopt;
    }
    DecodedImage image;
    image.type = ImageType::png;
    image.width = d.bitmap->width();
    image.height = d.bitmap->height();
    image.complete = ok;
    image.frames.push_back(DecodedFrame{d.bitmap, std::nullopt, std::nullopt});
    return image;
}

std::optional<foundation::Data> PNGCodec::encode(const Bitmap& bitmap) {
    if (bitmap.width() <= 0 || bitmap.height() <= 0) {
        return std::nullopt;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (png == nullptr) {
        return std::nullopt;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return std::nullopt;
    }
    Writer writer;
    const bool ok = runEncode(png, info, bitmap, writer);
    png_destroy_write_struct(&png, &info);
    if (!ok) {
        return std::nullopt;
    }
    return std::move(writer.out);
}

}  // namespace graphics
