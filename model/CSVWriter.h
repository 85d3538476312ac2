#pragma once

// Builds CSV text row by row: quoted fields, rows padded to a column count,
// an optional header row, the whole encoded in a chosen charset.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Data.h"

class CSVWriter {
  public:
    // A column count of 0 lets the first row set it.
    CSVWriter() : CSVWriter(0) {}
    explicit CSVWriter(std::uint64_t columnCount);

    // One row's text: each non-empty field between double quotes with inner
    // quotes doubled, an empty field as nothing, empty fields added up to the
    // column count (a longer row stays whole), joined with ",".
    std::string CSVForRowWithColumns(const std::vector<std::string>& columns);
    void writeRowWithColumns(const std::vector<std::string>& columns);

    const std::optional<std::vector<std::string>>& headerColumns() const { return headerColumns_; }
    // Puts the header in as the first row, or replaces the one there.
    void setHeaderColumns(const std::vector<std::string>& columns);

    const std::string& charset() const { return charset_; }
    // An IANA charset name; throws std::invalid_argument "unknown encoding: NAME"
    // for a name that has no encoding.
    void setCharset(const std::string& charset);

    // "text/csv; header=present|absent; charset=NAME".
    std::string MIMEType() const;

    // The rows joined with "\r\n" (none after the last) in the charset;
    // nullopt when the charset cannot represent the text.
    const std::optional<foundation::Data>& data();

  private:
    std::uint64_t ncols_;
    std::vector<std::string> rows_;
    std::optional<std::vector<std::string>> headerColumns_;
    std::string charset_ = "utf-8";
    std::optional<foundation::Data> data_;
    bool cached_ = false;
};
