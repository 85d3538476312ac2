#include "model/GTINClassifier.h"

#include "model/UPCEExpansion.h"
#include "platform/foundation/UTF16.h"

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::optional<std::u16string> candidateFor(std::int32_t symbology, const std::u16string& data) {
    switch (symbology) {
        case 13:
        case 14:
            return u"0" + data;
        case 12:
            return u"00" + data;
        case 8:
            return u"000000" + data;
        case 9: {
            if (data.size() != 8 || data[0] != u'0' || !isDigit(data[6])) {
                return std::nullopt;
            }
            auto ascii = foundation::utf16::fromUTF16(data);
            if (!ascii) {
                return std::nullopt;
            }
            // A text that is not all digits stays as it is and fails the check below.
            return u"00" + foundation::utf16::toUTF16(UPCEExpansion(*ascii));
        }
        case 64:
        case 128:
            if (data.size() == 16 && data.starts_with(u"01")) {
                return data.substr(2);
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<ClassificationDictionary> GTINClassifier::classifyBarcode(std::int32_t symbology,
                                                                        const std::string& data) {
    auto candidate = candidateFor(symbology, foundation::utf16::toUTF16(data));
    if (!candidate || candidate->size() != 14) {
        return std::nullopt;
    }
    int sum = 0;
    for (std::size_t i = 0; i < 13; ++i) {
        if (!isDigit((*candidate)[i])) {
            return std::nullopt;
        }
        sum += ((*candidate)[i] - u'0') * (i % 2 == 0 ? 3 : 1);
    }
    int check = sum % 10 == 0 ? 0 : 10 - sum % 10;
    if ((*candidate)[13] != static_cast<char16_t>(u'0' + check)) {
        return std::nullopt;
    }
    std::string gtin14(candidate->begin(), candidate->end());
    ClassificationDictionary result{{"GTIN-14", gtin14}};
    if (gtin14[0] == '0') {
        std::string gtin13 = gtin14.substr(1);
        result["GTIN-13"] = gtin13;
        if (gtin13.starts_with("978") || gtin13.starts_with("979")) {
            result["ISBN-13"] = gtin13;
        }
    }
    return result;
}
