#include "platform/graphics/JPEGCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace graphics {

namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr unsigned kMaxDecoderMemory = 512u * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool dataEndedEarly = false;
};

void onErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        manager->dataEndedEarly = true;
    }
}

void onOutput(j_common_ptr) {}

std::uint16_t read16(const std::uint8_t* p, bool little) {
    return little ? static_cast<std::uint16_t>(p[0] | p[1] << 8)
                  : static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

std::uint32_t read32(const std::uint8_t* p, bool little) {
    return little ? (p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24)
                  : (static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]);
}

// The orientation tag (0x0112) of IFD0 in an APP1 payload that starts with
// "Exif\0\0"; every offset is checked against the payload.
std::optional<int> orientationFromExif(const std::uint8_t* p, std::size_t size) {
    if (size < 14 || std::memcmp(p, "Exif\0\0", 6) != 0) {
        return std::nullopt;
    }
    const std::uint8_t* tiff = p + 6;
    const std::size_t tiffSize = size - 6;
    bool little;
    if (std::memcmp(tiff, "II*\0", 4) == 0) {
        little = true;
    } else if (std::memcmp(tiff, "MM\0*", 4) == 0) {
        little = false;
    } else {
        return std::nullopt;
    }
    const std::uint32_t ifd = read32(tiff + 4, little);
    if (ifd > tiffSize - 2) {
        return std::nullopt;
    }
    const std::uint16_t entries = read16(tiff + ifd, little);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t at = ifd + 2 + static_cast<std::size_t>(i) * 12;
        if (at + 12 > tiffSize) {
            return std::nullopt;
        }
        const std::uint8_t* entry = tiff + at;
        if (read16(entry, little) == 0x0112) {
            const std::uint16_t type = read16(entry + 2, little);
            if (type == 3) {
                return read16(entry + 8, little);
            }
            if (type == 4) {
                return static_cast<int>(read32(entry + 8, little));
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

struct Decoding {
    ErrorManager errors;
    jpeg_decompress_struct cinfo;
    std::shared_ptr<Bitmap> bitmap;
    std::vector<std::uint8_t> scanline;
    std::optional<int> orientation;
    bool created = false;
};

bool runDecode(const foundation::Data& data, Decoding& d) {
    if (setjmp(d.errors.jump)) {
        return false;
    }
    jpeg_create_decompress(&d.cinfo);
    d.created = true;
    d.cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&d.cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&d.cinfo, kExifMarker, 0xFFFF);
    if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    if (!Bitmap::sizeAllowed(d.cinfo.image_width, d.cinfo.image_height)) {
        return false;
    }
    for (jpeg_saved_marker_ptr m = d.cinfo.marker_list; m != nullptr; m = m->next) {
        if (m->marker == kExifMarker && !d.orientation) {
            d.orientation = orientationFromExif(m->data, m->data_length);
        }
    }
    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    const bool grey = d.cinfo.jpeg_color_space == JCS_GRAYSCALE;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&d.cinfo);
    const int width = static_cast<int>(d.cinfo.output_width);
    const int height = static_cast<int>(d.cinfo.output_height);
    const int components = d.cinfo.output_components;
    if (!Bitmap::sizeAllowed(width, height)) {
        return false;
    }
    d.bitmap = std::make_shared<Bitmap>(width, height);
    d.bitmap->setColorSpaceModel(grey ? ColorSpaceModel::monochrome : ColorSpaceModel::rgb);
    d.bitmap->setAlphaInfo(AlphaInfo::none);
    d.scanline.resize(static_cast<std::size_t>(width) * components);
    // Adobe files store CMYK inverted.
    const bool inverted = d.cinfo.saw_Adobe_marker;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int y = static_cast<int>(d.cinfo.output_scanline);
        JSAMPROW row = d.scanline.data();
        if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) {
            return false;
        }
        std::uint8_t* out = d.bitmap->row(y);
        const std::uint8_t* in = d.scanline.data();
        for (int x = 0; x < width; ++x, out += 4, in += components) {
            if (components == 1) {
                out[0] = out[1] = out[2] = in[0];
            } else if (components == 3) {
                out[0] = in[0], out[1] = in[1], out[2] = in[2];
            } else {
                int c = in[0], m = in[1], yy = in[2], k = in[3];
                if (!inverted) {
                    c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
                }
                out[0] = static_cast<std::uint8_t>(c * k / 255);
                out[1] = static_cast<std::uint8_t>(m * k / 255);
                out[2] = static_cast<std::uint8_t>(yy * k / 255);
            }
            out[3] = 255;
        }
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

struct Encoding {
    ErrorManager errors;
    jpeg_compress_struct cinfo;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool created = false;
    std::vector<std::uint8_t> scanline;
};

std::vector<std::uint8_t> exifWithOrientation(int orientation) {
    // "Exif\0\0", a big-endian TIFF header, IFD0 with one SHORT entry.
    std::vector<std::uint8_t> p = {'E',  'x',  'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                                   0x01, 0x12, 0,   3,   0, 0, 0,   1,   0, 0,  0, 0, 0, 0, 0, 0};
    p[24] = static_cast<std::uint8_t>(orientation >> 8);
    p[25] = static_cast<std::uint8_t>(orientation & 0xFF);
    return p;
}

bool runEncode(const Bitmap& bitmap, int quality, int orientation, Encoding& e) {
    if (setjmp(e.errors.jump)) {
        return false;
    }
    jpeg_create_compress(&e.cinfo);
    e.created = true;
    jpeg_mem_dest(&e.cinfo, &e.buffer, &e.size);
    e.cinfo.image_width = static_cast<JDIMENSION>(bitmap.width());
    e.cinfo.image_height = static_cast<JDIMENSION>(bitmap.height());
    e.cinfo.input_components = 3;
    e.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&e.cinfo);
    jpeg_set_quality(&e.cinfo, quality, TRUE);
    jpeg_start_compress(&e.cinfo, TRUE);
    if (orientation != 1) {
        const auto exif = exifWithOrientation(orientation);
        jpeg_write_marker(&e.cinfo, kExifMarker, exif.data(), static_cast<unsigned>(exif.size()));
    }
    e.scanline.resize(static_cast<std::size_t>(bitmap.width()) * 3);
    while (e.cinfo.next_scanline < e.cinfo.image_height) {
        const std::uint8_t* in = bitmap.row(static_cast<int>(e.cinfo.next_scanline));
        for (int x = 0; x < bitmap.width(); ++x) {
            const int a = in[x * 4 + 3];
            for (int c = 0; c < 3; ++c) {
                e.scanline[x * 3 + c] = static_cast<std::uint8_t>((in[x * 4 + c] * a + 127) / 255);
            }
        }
        JSAMPROW row = e.scanline.data();
        jpeg_write_scanlines(&e.cinfo, &row, 1);
    }
    jpeg_finish_compress(&e.cinfo);
    return true;
}

}  // namespace

std::optional<DecodedImage> JPEGCodec::decode(const foundation::Data& data, bool allowPartial) {
    if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8) {
        return std::nullopt;
    }
    auto d = std::make_unique<Decoding>();
    d->cinfo.err = jpeg_std_error(&d->errors.pub);
    d->errors.pub.error_exit = onErrorExit;
    d->errors.pub.emit_message = onMessage;
    d->errors.pub.output_message = onOutput;
    const bool ok = runDecode(data, *d);
    if (d->created) {
        jpeg_destroy_decompress(&d->cinfo);
    }
    const bool complete = ok && !d->errors.dataEndedEarly;
    if (!d->bitmap || (!complete && !(allowPartial && ok))) {
        return std::nullopt;
    }
    DecodedImage image;
    image.type = ImageType::jpeg;
    image.width = d->bitmap->width();
    image.height = d->bitmap->height();
    image.exifOrientation = d->orientation;
    image.complete = complete;
    image.frames.push_back(DecodedFrame{d->bitmap, std::nullopt, std::nullopt});
    return image;
}

std::optional<foundation::Data> JPEGCodec::encode(const Bitmap& bitmap, double quality,
                                                  int exifOrientation) {
    if (bitmap.width() <= 0 || bitmap.height() <= 0) {
        return std::nullopt;
    }
    const int q = std::clamp(static_cast<int>(std::lround(quality * 100)), 1, 100);
    auto e = std::make_unique<Encoding>();
    e->cinfo.err = jpeg_std_error(&e->errors.pub);
    e->errors.pub.error_exit = onErrorExit;
    e->errors.pub.emit_message = onMessage;
    e->errors.pub.output_message = onOutput;
    const bool ok = runEncode(bitmap, q, exifOrientation, *e);
    if (e->created) {
        jpeg_destroy_compress(&e->cinfo);
    }
    std::optional<foundation::Data> out;
    if (ok && e->buffer != nullptr) {
        out = foundation::Data(e->buffer, e->buffer + e->size);
    }
    std::free(e->buffer);
    return out;
}

namespace {

// Walks the segments before the image data, handing `visit` each marker, the
// offset of its segment and the segment's length, until `visit` answers true.
void walkSegments(const foundation::Data& data,
                  const std::function<bool(std::uint8_t, std::size_t, std::size_t)>& visit) {
    std::size_t at = 2;
    if (data.size() < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return;
    }
    while (at + 4 <= data.size()) {
        if (data[at] != 0xFF) {
            return;
        }
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) {
            return;
        }
        const std::size_t length = static_cast<std::size_t>(data[at + 2]) << 8 | data[at + 3];
        if (length < 2 || at + 2 + length > data.size() || visit(marker, at, length)) {
            return;
        }
        at += 2 + length;
    }
}

}  // namespace

std::optional<int> JPEGCodec::exifOrientation(const foundation::Data& data) {
    // APP1 carries EXIF.
    std::optional<int> orientation;
    walkSegments(data, [&](std::uint8_t marker, std::size_t at, std::size_t length) {
        if (marker == kExifMarker) {
            orientation = orientationFromExif(data.data() + at + 4, length - 2);
        }
        return orientation.has_value();
    });
    return orientation;
}

std::optional<std::pair<int, int>> JPEGCodec::frameSize(const foundation::Data& data) {
    // The frame header (SOF0-SOF15 but DHT, JPG and DAC): precision, height, width.
    std::optional<std::pair<int, int>> size;
    walkSegments(data, [&](std::uint8_t marker, std::size_t at, std::size_t length) {
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && length >= 7) {
            size =
                std::make_pair(data[at + 7] << 8 | data[at + 8], data[at + 5] << 8 | data[at + 6]);
        }
        return size.has_value();
    });
    return size;
}

}  // namespace graphics
