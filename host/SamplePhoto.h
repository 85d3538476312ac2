#pragma once

// A photo of a printed QR code, drawn with the project's own QR encoder and
// graphics layer: the code on a white label, slightly turned, on a shaded
// desk-grey background. The host's `sample` command and the tests use it as
// the picture to scan.

#include <optional>
#include <string>

#include "platform/foundation/Data.h"

class SamplePhoto {
  public:
    static constexpr const char* kDefaultText = "https://barcodes.example/welcome";

    // PNG bytes of the photo; nullopt when the text does not fit a QR code.
    static std::optional<foundation::Data> png(const std::string& text = kDefaultText,
                                               int width = 800, int height = 600);
    // Writes png() to `path`; false when encoding or writing failed.
    static bool write(const std::string& path, const std::string& text = kDefaultText);
};
