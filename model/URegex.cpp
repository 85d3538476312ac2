#include "model/URegex.h"

#include <unicode/uregex.h>

#include <vector>

#include "platform/foundation/UTF16.h"

std::unique_ptr<URegex> URegex::make(const std::string& pattern) {
    std::u16string units = foundation::utf16::toUTF16(pattern);
    UErrorCode status = U_ZERO_ERROR;
    URegularExpression* regex =
        uregex_open(reinterpret_cast<const UChar*>(units.data()),
                    static_cast<int32_t>(units.size()), 0, nullptr, &status);
    if (U_FAILURE(status) || !regex) {
        if (regex) {
            uregex_close(regex);
        }
        return nullptr;
    }
    return std::unique_ptr<URegex>(new URegex(regex));
}

URegex::~URegex() {
    uregex_close(regex_);
}

bool URegex::setText(const std::string& text) {
    text_ = foundation::utf16::toUTF16(text);
    UErrorCode status = U_ZERO_ERROR;
    uregex_setText(regex_, reinterpret_cast<const UChar*>(text_.data()),
                   static_cast<int32_t>(text_.size()), &status);
    return U_SUCCESS(status);
}

bool URegex::find(const std::string& text) {
    if (!setText(text)) {
        return false;
    }
    UErrorCode status = U_ZERO_ERROR;
    UBool found = uregex_findNext(regex_, &status);
    return U_SUCCESS(status) && found;
}

bool URegex::matches(const std::string& text) {
    if (!setText(text)) {
        return false;
    }
    UErrorCode status = U_ZERO_ERROR;
    UBool matched = uregex_matches(regex_, -1, &status);
    return U_SUCCESS(status) && matched;
}

std::optional<std::string> URegex::group(std::int64_t number) {
    if (number < 0 || number > INT32_MAX) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = uregex_group(regex_, static_cast<int32_t>(number), nullptr, 0, &status);
    status = U_ZERO_ERROR;
    if (length < 0) {
        return std::nullopt;
    }
    std::vector<UChar> buffer(static_cast<std::size_t>(length) + 1);
    uregex_group(regex_, static_cast<int32_t>(number), buffer.data(), length + 1, &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return foundation::utf16::fromUTF16(
        std::u16string_view(reinterpret_cast<const char16_t*>(buffer.data()), length));
}

std::int32_t URegex::groupCount() {
    UErrorCode status = U_ZERO_ERROR;
    int32_t count = uregex_groupCount(regex_, &status);
    return U_SUCCESS(status) ? count : 0;
}

void URegex::reset() {
    UErrorCode status = U_ZERO_ERROR;
    uregex_reset(regex_, 0, &status);
    status = U_ZERO_ERROR;
    static const UChar empty[1] = {0};
    uregex_setText(regex_, empty, 0, &status);
    text_.clear();
}
