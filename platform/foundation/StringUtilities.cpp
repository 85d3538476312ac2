#include "platform/foundation/StringUtilities.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <memory>

#include "platform/foundation/UTF16.h"

namespace foundation {
namespace {

struct CodePoint {
    std::size_t begin;
    std::size_t end;
    char32_t value;
};

std::vector<CodePoint> codePoints(std::string_view text) {
    std::vector<CodePoint> points;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto size = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < size;) {
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, size, c);
        points.push_back({static_cast<std::size_t>(start), static_cast<std::size_t>(i),
                          static_cast<char32_t>(c < 0 ? 0xFFFD : c)});
    }
    return points;
}

icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string utf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openStrict(std::string_view charset) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(std::string(charset).c_str(), &status));
    if (U_FAILURE(status) || !converter)
        return nullptr;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    return U_FAILURE(status) ? nullptr : std::move(converter);
}

}  // namespace

std::string trim(std::string_view text, const CharacterSet& set) {
    const auto points = codePoints(text);
    std::size_t first = 0;
    while (first < points.size() && set.contains(points[first].value))
        ++first;
    std::size_t last = points.size();
    while (last > first && set.contains(points[last - 1].value))
        --last;
    if (first == last)
        return "";
    return std::string(
        text.substr(points[first].begin, points[last - 1].end - points[first].begin));
}

std::string trimWhitespaceAndNewlines(std::string_view text) {
    return trim(text, CharacterSet::whitespaceAndNewline());
}

std::vector<std::string> components(std::string_view text, std::string_view separator) {
    if (separator.empty())
        return {std::string(text)};
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

std::vector<std::string> components(std::string_view text, const CharacterSet& separators) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (const auto& point : codePoints(text)) {
        if (!separators.contains(point.value))
            continue;
        pieces.emplace_back(text.substr(start, point.begin - start));
        start = point.end;
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

std::string join(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
    }
    return out;
}

std::string replaceAll(std::string_view text, std::string_view target,
                       std::string_view replacement) {
    if (target.empty())
        return std::string(text);
    return join(components(text, target), replacement);
}

std::string lowercase(std::string_view text) {
    return utf8(unicode(text).toLower(icu::Locale::getRoot()));
}

std::string uppercase(std::string_view text) {
    return utf8(unicode(text).toUpper(icu::Locale::getRoot()));
}

std::string caseFold(std::string_view text) {
    return utf8(unicode(text).foldCase());
}

int caseInsensitiveCompare(std::string_view a, std::string_view b) {
    return unicode(a).caseCompare(unicode(b), U_FOLD_CASE_DEFAULT);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return caseInsensitiveCompare(a, b) == 0;
}

bool hasPrefixIgnoringCase(std::string_view text, std::string_view prefix) {
    return findIgnoringCase(text, prefix) == std::optional<std::size_t>(0);
}

std::optional<std::size_t> find(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size())
        return std::nullopt;
    const std::size_t at = text.find(needle, from);
    return at == std::string_view::npos ? std::nullopt : std::optional<std::size_t>(at);
}

std::optional<std::size_t> findIgnoringCase(std::string_view text, std::string_view needle,
                                            std::size_t from) {
    if (from > text.size())
        return std::nullopt;
    if (needle.empty())
        return from;
    const std::string folded = caseFold(needle);
    const auto points = codePoints(text);
    for (std::size_t start = 0; start < points.size(); ++start) {
        if (points[start].begin < from)
            continue;
        // Folding may change lengths, so the window grows one character at a
        // time while it is still a prefix of the folded needle.
        for (std::size_t end = start; end < points.size(); ++end) {
            const std::string window =
                caseFold(text.substr(points[start].begin, points[end].end - points[start].begin));
            if (window == folded)
                return points[start].begin;
            if (window.size() >= folded.size() || !folded.starts_with(window))
                break;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> scanHexInt(std::string_view text) {
    const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    const std::string_view rest = text.substr(i);
    if ((rest.starts_with("0x") || rest.starts_with("0X")) && rest.size() > 2 && isHex(rest[2]))
        i += 2;
    if (i >= text.size() || !isHex(text[i]))
        return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size() && isHex(text[i]); ++i) {
        const char c = text[i];
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = std::min<std::uint64_t>(value * 16 + static_cast<std::uint64_t>(digit), UINT32_MAX);
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::int64_t> scanInteger(std::string_view text) {
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !isDigit(text[i]))
        return std::nullopt;
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return negative ? -value : value;
}

std::optional<std::string> stringFromUTF8(const Data& data) {
    std::string text(data.begin(), data.end());
    if (!utf16::isValidUTF8(text))
        return std::nullopt;
    return text;
}

std::optional<std::string> stringFromData(const Data& data, std::string_view charset) {
    Converter converter = openStrict(charset);
    if (!converter)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text(reinterpret_cast<const char*>(data.data()),
                            static_cast<int32_t>(data.size()), converter.get(), status);
    if (U_FAILURE(status))
        return std::nullopt;
    return utf8(text);
}

std::optional<Data> dataFromString(std::string_view text, std::string_view charset) {
    if (!utf16::isValidUTF8(text))
        return std::nullopt;
    Converter converter = openStrict(charset);
    if (!converter)
        return std::nullopt;
    const icu::UnicodeString unicodeText = unicode(text);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t needed = unicodeText.extract(nullptr, 0, converter.get(), status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return std::nullopt;
    std::string buffer(static_cast<std::size_t>(needed) + 1, '\0');
    status = U_ZERO_ERROR;
    ucnv_reset(converter.get());
    const int32_t written = unicodeText.extract(buffer.data(), needed + 1, converter.get(), status);
    if (U_FAILURE(status))
        return std::nullopt;
    return Data(buffer.begin(), buffer.begin() + written);
}

bool isKnownCharset(std::string_view charset) {
    return openStrict(charset) != nullptr;
}

}  // namespace foundation
