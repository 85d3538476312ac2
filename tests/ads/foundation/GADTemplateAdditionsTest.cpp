#include <gtest/gtest.h>

#include "ads/foundation/GADTemplateAdditions.h"

namespace {

using GADReplaceContentAdditions::gad_stringByExpandingTemplate;

TEST(GADTemplateAdditions, ExpandsMacrosByteExactly) {
    struct Case {
        const char* templateText;
        foundation::Dictionary values;
        const char* expected;
    };
    const Case cases[] = {
        // An escaped "@@k@@" is no macro; unknown macros are removed.
        {"x=@k@&y=@@k@@&z=@u@", {{"k", "1"}}, "x=1&y=@k@&z="},
        // "@" pairs around a macro are kept and unescaped.
        {"@@@k@@@", {{"k", "v"}}, "@v@"},
        // "@" in a value never starts a macro and comes out single.
        {"a=@k@&b=@u@", {{"k", "@u@"}, {"u", "2"}}, "a=@u@&b=2"},
        // "$" and "\" in a value stay literal.
        {"p=@k@", {{"k", "$1\\n"}}, "p=$1\\n"},
        // Numbers are written as their text.
        {"n=@k@", {{"k", 42}}, "n=42"},
        // Text without macros only loses its escapes.
        {"mail@@host", {}, "mail@host"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gad_stringByExpandingTemplate(c.templateText, c.values), c.expected)
            << c.templateText;
    }
}

TEST(GADTemplateAdditions, MissingArgumentsOrBadPatternsChangeNothing) {
    std::string text = "a@k@";
    GADReplaceContentAdditions::gad_replaceAtQuotedKeywordPattern(text, std::nullopt, "v");
    GADReplaceContentAdditions::gad_replaceAtQuotedKeywordPattern(text, "k", std::nullopt);
    GADReplaceContentAdditions::gad_replaceAtQuotedKeywordPattern(text, "(", "v");
    EXPECT_EQ(text, "a@k@");
    // The keyword is a pattern fragment.
    GADReplaceContentAdditions::gad_replaceAtQuotedKeywordPattern(text, "[a-z]", "v");
    EXPECT_EQ(text, "av");
}

}  // namespace
