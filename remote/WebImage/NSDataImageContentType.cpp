#include "remote/WebImage/NSDataImageContentType.h"

namespace NSDataImageContentType {

std::optional<std::string> sd_contentTypeForImageData(const foundation::Data& data) {
    if (data.empty()) {
        return std::nullopt;
    }
    switch (data[0]) {
        case 0xFF:
            return "image/jpeg";
        case 0x89:
            return "image/png";
        case 0x47:
            return "image/gif";
        case 0x49:
        case 0x4D:
            return "image/tiff";
        case 0x52:
            if (data.size() >= 12) {
                const std::string head(data.begin(), data.begin() + 12);
                if (head.starts_with("RIFF") && head.ends_with("WEBP")) {
                    return "image/webp";
                }
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace NSDataImageContentType
