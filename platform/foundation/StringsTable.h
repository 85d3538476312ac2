#pragma once

// A localized strings table in the platform's text format:
//   /* comment */ "key" = "value";  // comment
// with escapes \" \\ \n \t \r \UXXXX, UTF-8 or UTF-16 (with byte-order mark).

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"
#include "platform/foundation/Error.h"

namespace foundation {

class StringsTable {
  public:
    // Parses a whole table; a syntax error gives nullopt with the line in `error`.
    static std::optional<StringsTable> parse(const Data& data, Error* error = nullptr);

    std::optional<std::string> lookup(std::string_view key) const;
    const std::map<std::string, std::string, std::less<>>& entries() const { return entries_; }

  private:
    std::map<std::string, std::string, std::less<>> entries_;
};

}  // namespace foundation
