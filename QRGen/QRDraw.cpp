#include "QRGen/QRDraw.h"

#include "QRGen/QREncoder.h"

QRDraw::~QRDraw() = default;

bool QRDraw::layOutRows(const char* path_, int pixelsPerModule_, int moduleCount_,
                        const std::uint8_t* modules) {
    constexpr int kMaxSide = 16384;
    rows.clear();
    if (modules == nullptr || moduleCount_ < 21 || moduleCount_ > QREncoder::kMaxModules ||
        pixelsPerModule_ < 1 || pixelsPerModule_ > kMaxSide / (moduleCount_ + 8)) {
        return false;
    }
    path = path_;
    pixelsPerModule = pixelsPerModule_;
    moduleCount = moduleCount_;
    imageSide = pixelsPerModule * (moduleCount + 8);
    const std::size_t rowBytes = static_cast<std::size_t>(imageSide) / 8 + 1;
    rows.assign(static_cast<std::size_t>(imageSide), std::vector<std::uint8_t>(rowBytes, 0));
    for (int y = 0; y < moduleCount; ++y) {
        std::vector<std::uint8_t>& row = rows[static_cast<std::size_t>((y + 4) * pixelsPerModule)];
        for (int x = 0; x < moduleCount; ++x) {
            if (!modules[x * QREncoder::kMaxModules + y]) {
                continue;
            }
            for (int k = 0; k < pixelsPerModule; ++k) {
                const int pixel = (x + 4) * pixelsPerModule + k;
                row[static_cast<std::size_t>(pixel / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (pixel % 8));
            }
        }
        for (int k = 1; k < pixelsPerModule; ++k) {
            rows[static_cast<std::size_t>((y + 4) * pixelsPerModule + k)] = row;
        }
    }
    return true;
}
