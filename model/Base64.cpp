#include "model/Base64.h"

#include "platform/crypto/Base64.h"

namespace Base64 {

std::string base64(const foundation::Data& data) {
    constexpr std::size_t lineLength = 76;
    const std::string encoded = crypto::Base64::encode(data);
    std::string text;
    text.reserve(encoded.size() + encoded.size() / lineLength + 1);
    for (std::size_t offset = 0; offset < encoded.size(); offset += lineLength) {
        const std::string_view line = std::string_view(encoded).substr(offset, lineLength);
        text.append(line);
        if (line.size() == lineLength) {
            text.push_back('\n');
        }
    }
    text.push_back('\n');
    return text;
}

}  // namespace Base64
