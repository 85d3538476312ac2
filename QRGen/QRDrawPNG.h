#pragma once

// Writes a QR module matrix as a 1-bit greyscale PNG (black modules on white)
// through libpng.

#include "QRGen/QRDraw.h"

class QRDrawPNG : public QRDraw {
  public:
    static constexpr int kSuccess = 0;
    static constexpr int kCannotOpen = 1;
    // The input makes no image, or libpng or the file system failed while writing.
    static constexpr int kWriteFailed = 2;

    // Returns kSuccess, kCannotOpen or kWriteFailed. A file is written under a
    // temporary name and moved to `path` only when complete; on any failure
    // nothing is left at `path`, so no earlier image survives as if it were new.
    int draw(const char* path, int pixelsPerModule, int moduleCount,
             const std::uint8_t* modules) override;
};
