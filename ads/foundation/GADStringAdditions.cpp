#include "ads/foundation/GADStringAdditions.h"

#include <unicode/ustring.h>

#include <cstdio>

#include "platform/crypto/Digest.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/PercentEncoding.h"

std::string GADDescriptionOfValue(const foundation::Value& value) {
    if (value.isString() || value.isNumber()) {
        return value.stringValue();
    }
    return value.description();
}

namespace GADURLEncoding {

std::string gad_stringByEscapingAsURLParameter(std::string_view text) {
    return foundation::addingPercentEncodingForAll(text);
}

}  // namespace GADURLEncoding

namespace GADReplaceContent {

std::string gad_stripTrailingSlash(std::string_view text) {
    if (!text.empty() && text.back() == '/') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

}  // namespace GADReplaceContent

namespace GADPathValidation {

bool gad_isEquivalentToURLString(std::string_view text, std::string_view other) {
    return GADReplaceContent::gad_stripTrailingSlash(text) ==
           GADReplaceContent::gad_stripTrailingSlash(other);
}

}  // namespace GADPathValidation

namespace GADAtEscapeAdditions {

std::string gad_escapeAts(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        escaped.push_back(c);
        if (c == '@') {
            escaped.push_back('@');
        }
    }
    return escaped;
}

}  // namespace GADAtEscapeAdditions

namespace GADStringNumberAdditions {

std::string gad_shortStringWithCGFloat(double value) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    std::string text(buffer);
    if (text.find('.') == std::string::npos) {
        return text;  // inf, nan
    }
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text;
}

std::optional<std::string> gad_MD5String(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, text.data(), static_cast<int32_t>(text.size()), &status);
    if (status == U_INVALID_CHAR_FOUND || status == U_ILLEGAL_CHAR_FOUND) {
        return std::nullopt;
    }
    return crypto::Digest::md5Hex(text);
}

std::string gad_stringWithMD5Bytes(const std::uint8_t* bytes) {
    return crypto::Digest::hex(std::span<const std::uint8_t>(bytes, 16));
}

}  // namespace GADStringNumberAdditions

namespace GADJSONAdditions {

std::optional<foundation::Value> gad_decodedJSONObjectError(std::string_view text,
                                                            foundation::Error* error) {
    return foundation::JSON::parse(text, foundation::JSON::AllowFragments, error);
}

}  // namespace GADJSONAdditions
