#pragma once

// "@keyword@" templates of ping and report URLs. A macro is a keyword between
// two "@"; a literal "@" is written "@@". Expanding puts each value in place
// of its macro, drops the macros left over and turns "@@" into "@".

#include <optional>
#include <string>

#include "platform/foundation/Value.h"

namespace GADReplaceContentAdditions {

// Replaces every "@keyword@" (the keyword is a regular-expression fragment)
// with the value taken literally, keeping the "@@" pairs around the macro.
// Nothing happens when either argument is missing or the pattern is invalid.
void gad_replaceAtQuotedKeywordPattern(std::string& text, const std::optional<std::string>& keyword,
                                       const std::optional<std::string>& value);
// Removes every macro still in the text.
void gad_removeAtQuotedKeywords(std::string& text);
// Turns every "@@" into "@".
void gad_unescapeAts(std::string& text);

// The whole expansion: each key's value text (its "@" doubled) in place of
// its macro, the rest removed, "@@" made "@".
std::string gad_stringByExpandingTemplate(const std::string& templateText,
                                          const foundation::Dictionary& values);

}  // namespace GADReplaceContentAdditions
