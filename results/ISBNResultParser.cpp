#include "results/ISBNResultParser.h"

#include "platform/foundation/UTF16.h"
#include "results/ISBNParsedResult.h"

std::shared_ptr<ParsedResult> ISBNResultParser::parsedResultForString(const std::string& text,
                                                                      int format) {
    if (format != formatEAN13 || foundation::utf16::length(text) != 13 ||
        (text.rfind("978", 0) != 0 && text.rfind("979", 0) != 0)) {
        return nullptr;
    }
    auto result = std::make_shared<ISBNParsedResult>();
    result->value = text;
    return result;
}
