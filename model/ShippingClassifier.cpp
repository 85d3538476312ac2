#include "model/ShippingClassifier.h"

#include "platform/foundation/UTF16.h"

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int checkDigit(int sum) {
    return sum % 10 == 0 ? 0 : 10 - sum % 10;
}

std::string ascii(const std::u16string& text) {
    return foundation::utf16::fromUTF16(text).value_or(std::string());
}

// Characters 3 to 17 of an upper-cased "1Z" number, digits at their value and
// letters at their code minus 63, once at odd and twice at even positions.
bool upsCheckPasses(const std::u16string& s) {
    int sum = 0;
    for (std::size_t i = 2; i < 17; ++i) {
        char16_t c = s[i];
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
        int value;
        if (isDigit(c)) {
            value = c - u'0';
        } else if (c >= u'A' && c <= u'Z') {
            value = c - 63;
        } else {
            return false;
        }
        bool oddPosition = (i - 2) % 2 == 0;
        sum += oddPosition ? value : 2 * value;
    }
    return s[17] == static_cast<char16_t>(u'0' + checkDigit(sum));
}

bool fedexGroundCheckPasses(const std::u16string& s) {
    for (std::size_t i = 4; i < 7; ++i) {
        if (!isDigit(s[i])) {
            return false;
        }
    }
    int sum = 0;
    for (std::size_t i = 7; i < 21; ++i) {
        if (!isDigit(s[i])) {
            return false;
        }
        // Position 8 (index 7) weighs 1, position 9 weighs 3, and so on.
        sum += (s[i] - u'0') * ((i - 7) % 2 == 0 ? 1 : 3);
    }
    return s[21] == static_cast<char16_t>(u'0' + checkDigit(sum));
}

bool fedexExpressMod11Passes(const std::u16string& s) {
    if (s.size() != 12) {
        return false;
    }
    static const int weights[] = {3, 1, 7};
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        if (!isDigit(s[i])) {
            return false;
        }
        if (i < 11) {
            sum += (s[i] - u'0') * weights[i % 3];
        }
    }
    int r = sum % 11;
    return s[11] == static_cast<char16_t>(u'0' + (r == 10 ? 0 : r));
}

ClassificationDictionary fedexExpress(const std::u16string& s) {
    return {{"FedEx Express Tracking#", ascii(s)}, {"name", "FedEx Express Package"}};
}

}  // namespace

std::optional<ClassificationDictionary> ShippingClassifier::classifyBarcode(
    std::int32_t symbology, const std::string& data) {
    std::u16string s = foundation::utf16::toUTF16(data);
    // A failed UPS number goes straight to the Code 39 rule; every other
    // value also passes the Code 128 rule first.
    bool code128Rule = true;
    if (s.size() == 18 && s.starts_with(u"1Z")) {
        if (upsCheckPasses(s)) {
            return ClassificationDictionary{{"UPS Ground Tracking#", data},
                                            {"name", "UPS Ground Package"}};
        }
        code128Rule = false;
    } else if (s.size() == 22 && s.starts_with(u"961") &&
               (s[3] == u'1' || s[3] == u'2' || s[3] == u'3')) {
        if (fedexGroundCheckPasses(s)) {
            return ClassificationDictionary{{"FedEx Ground Tracking#", data},
                                            {"name", "FedEx Ground Package"}};
        }
    } else if (s.size() == 32) {
        if (s[0] == u'3') {
            s = s.substr(16, 12);
        } else {
            code128Rule = false;
        }
    }
    if (code128Rule && symbology == 128 && s.size() == 12) {
        return fedexExpress(s);
    }
    if (symbology == 39 && fedexExpressMod11Passes(s)) {
        return fedexExpress(s);
    }
    return std::nullopt;
}
