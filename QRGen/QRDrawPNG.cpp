#include "QRGen/QRDrawPNG.h"

#include <png.h>

#include <cstdio>
#include <string>

namespace {

void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Writes the rows; false when libpng gave up. Nothing in this frame changes
// after setjmp.
bool writeRows(png_structp png, png_infop info, std::FILE* file, int side,
               std::vector<std::vector<std::uint8_t>>& rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(side), static_cast<png_uint_32>(side), 1,
                 PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // Bit 1 marks a dark module; inverted it is stored as 0, black.
    png_set_invert_mono(png);
    for (auto& row : rows) {
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

int QRDrawPNG::draw(const char* path_, int pixelsPerModule_, int moduleCount_,
                    const std::uint8_t* modules) {
    if (!layOutRows(path_, pixelsPerModule_, moduleCount_, modules)) {
        if (path_ != nullptr) {
            std::remove(path_);
        }
        return kWriteFailed;
    }
    const std::string temporary = path ? std::string(path) + ".partial" : std::string();
    std::FILE* file = path ? std::fopen(temporary.c_str(), "wb") : stdout;
    if (file == nullptr) {
        std::remove(path);
        return kCannotOpen;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info != nullptr && writeRows(png, info, file, imageSide, rows);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!path) {
        return ok && std::fflush(file) == 0 ? kSuccess : kWriteFailed;
    }
    ok = std::fclose(file) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), path) != 0) {
        std::remove(temporary.c_str());
        std::remove(path);
        return kWriteFailed;
    }
    return kSuccess;
}
