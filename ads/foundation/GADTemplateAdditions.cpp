#include "ads/foundation/GADTemplateAdditions.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <memory>

#include "ads/foundation/GADStringAdditions.h"

namespace {

// Replaces every match of `pattern` in `text` by the ICU replacement template.
void replaceAll(std::string& text, const std::string& pattern, const std::string& replacement) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(pattern), 0, status));
    if (U_FAILURE(status) || !compiled) {
        return;
    }
    icu::UnicodeString input = icu::UnicodeString::fromUTF8(text);
    std::unique_ptr<icu::RegexMatcher> matcher(compiled->matcher(input, status));
    if (U_FAILURE(status) || !matcher) {
        return;
    }
    icu::UnicodeString result =
        matcher->replaceAll(icu::UnicodeString::fromUTF8(replacement), status);
    if (U_FAILURE(status)) {
        return;
    }
    text.clear();
    result.toUTF8String(text);
}

// The value as a literal replacement template: "\" and "$" escaped.
std::string escapedTemplate(const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '\\' || c == '$') {
            escaped.push_back('\\');
        }
        escaped.push_back(c);
    }
    return escaped;
}

}  // namespace

namespace GADReplaceContentAdditions {

void gad_replaceAtQuotedKeywordPattern(std::string& text, const std::optional<std::string>& keyword,
                                       const std::optional<std::string>& value) {
    if (!keyword || !value) {
        return;
    }
    replaceAll(text, "(?<!@)((?:@@)*)@" + *keyword + "(?<!@)((?:@@)*)@",
               "$1" + escapedTemplate(*value) + "$2");
}

void gad_removeAtQuotedKeywords(std::string& text) {
    gad_replaceAtQuotedKeywordPattern(text, std::string("[^@]+"), std::string());
}

void gad_unescapeAts(std::string& text) {
    replaceAll(text, "@@", "@");
}

std::string gad_stringByExpandingTemplate(const std::string& templateText,
                                          const foundation::Dictionary& values) {
    std::string text = templateText;
    for (const auto& [key, value] : values) {
        gad_replaceAtQuotedKeywordPattern(
            text, key, GADAtEscapeAdditions::gad_escapeAts(GADDescriptionOfValue(value)));
    }
    gad_removeAtQuotedKeywords(text);
    gad_unescapeAts(text);
    return text;
}

}  // namespace GADReplaceContentAdditions
