#pragma once

// Reads the first code of a picture file with zbar, for tests that check
// what a generated code holds.

#include <optional>
#include <string>

#include "platform/graphics/Image.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarImageScanner.h"
#include "scanning/zbar/ZBarSymbol.h"
#include "scanning/zbar/ZBarSymbolSet.h"

inline std::optional<std::string> decodeQRFile(const std::string& path) {
    auto picture = graphics::Image::imageWithContentsOfFile(path);
    if (!picture || !picture->bitmap())
        return std::nullopt;
    auto image = ZBarImage::makeWithCGImage(*picture->bitmap());
    ZBarImageScanner scanner;
    if (!image || scanner.scanImage(*image) <= 0)
        return std::nullopt;
    auto symbols = scanner.results();
    if (!symbols)
        return std::nullopt;
    for (auto symbol : *symbols)
        return symbol->data();
    return std::nullopt;
}
