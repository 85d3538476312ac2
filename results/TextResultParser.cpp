#include "results/TextResultParser.h"

#include "results/TextParsedResult.h"

std::shared_ptr<ParsedResult> TextResultParser::parsedResultForString(const std::string& text,
                                                                      int format) {
    return std::make_shared<TextParsedResult>(text);
}
