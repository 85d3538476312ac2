#pragma once

// Where a read goes after it is stored: texts that parse as an SMS, a
// position, a telephone number or a contact open the scan-result screen
// (pushed animated); everything else opens the code detail screen (pushed
// without animation). The comparison is against the localized type names, so
// the strings table decides.

#include <string>

class ParsedResult;

enum class ScanRoute { detail, scanResult };

// The route for the type name of a parsed result's class.
ScanRoute scanRouteForTypeName(const std::string& typeName);
// The route for a result (nullptr goes to the detail screen).
ScanRoute scanRouteForResult(const ParsedResult* result);
