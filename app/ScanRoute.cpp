#include "app/ScanRoute.h"

#include "platform/foundation/Bundle.h"
#include "results/ParsedResult.h"

ScanRoute scanRouteForTypeName(const std::string& typeName) {
    static const char* const kResultKeys[] = {
        "SMSParsedResult type name", "GeoParsedResult type name", "TelParsedResult type name",
        "Contact Result Type Name"};
    for (const char* key : kResultKeys) {
        if (typeName == foundation::Bundle::main().localizedString(key))
            return ScanRoute::scanResult;
    }
    return ScanRoute::detail;
}

ScanRoute scanRouteForResult(const ParsedResult* result) {
    return result ? scanRouteForTypeName(result->typeName()) : ScanRoute::detail;
}
