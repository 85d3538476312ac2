#include "results/ProductResultParser.h"

#include "model/UPCEExpansion.h"
#include "results/ProductParsedResult.h"

std::shared_ptr<ParsedResult> ProductResultParser::parsedResultForString(const std::string& text,
                                                                         int format) {
    if (format != formatEAN8 && format != formatEAN13 && format != formatUPCA &&
        format != formatUPCE) {
        return nullptr;
    }
    if (text.find_first_not_of("0123456789") != std::string::npos) {
        return nullptr;
    }
    std::string normalized = format == formatUPCE ? UPCEExpansion(text) : text;
    return std::make_shared<ProductParsedResult>(text, normalized);
}
