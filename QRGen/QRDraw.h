#pragma once

// Base of the writers that turn a QR module matrix into an image file: it lays
// the modules out as rows of 1-bit pixels with a quiet zone of four modules on
// each side; subclasses write those rows in their format.

#include <cstdint>
#include <vector>

class QRDraw {
  public:
    virtual ~QRDraw();

    // Writes the image of `moduleCount` x `moduleCount` modules (module of
    // column x and row y at modules[x * 177 + y], 1 dark) to `path`, or to
    // standard output when `path` is null. Returns 0 on success.
    virtual int draw(const char* path, int pixelsPerModule, int moduleCount,
                     const std::uint8_t* modules) = 0;

  protected:
    // Fills `rows`: imageSide rows of imageSide / 8 + 1 bytes, bit 1 (most
    // significant first) for dark pixels. False when the input cannot make an
    // image (no modules, a count outside 21-177, fewer than one pixel per
    // module, or a side above 16384 pixels).
    bool layOutRows(const char* path, int pixelsPerModule, int moduleCount,
                    const std::uint8_t* modules);

    std::vector<std::vector<std::uint8_t>> rows;
    int pixelsPerModule = 0;
    int imageSide = 0;
    int moduleCount = 0;
    const char* path = nullptr;
};
