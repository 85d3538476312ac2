#pragma once

// A strict reader of RFC 4180 CSV text for tests: records end with CRLF (the
// last one may not), fields are separated by commas, a quoted field may hold
// commas, line breaks and doubled quotes; an unquoted field holds none of
// quote, CR or LF. Anything else is malformed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

using CSVRecords = std::vector<std::vector<std::string>>;

// nullopt for malformed text.
std::optional<CSVRecords> readRFC4180(std::string_view text);
