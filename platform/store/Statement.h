#pragma once

// One prepared SQLite statement: bind parameters by position (1-based), step
// through the rows, read columns (0-based). Finalized with the object.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/foundation/Data.h"

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Statement {
  public:
    Statement(sqlite3* db, sqlite3_stmt* statement) : db_(db), statement_(statement) {}
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindNull(int index);
    void bind(int index, std::int64_t value);
    void bind(int index, double value);
    void bind(int index, const std::string& value);
    void bind(int index, const foundation::Data& value);

    // Runs to the next row: true when a row is there, false when done. Errors
    // are kept in `errorCode()` (an SQLite result code, 0 when none).
    bool step();
    // Runs a statement that yields no rows; true on success.
    bool execute();
    void reset();

    int errorCode() const { return errorCode_; }

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    foundation::Data blob(int column) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* statement_;
    int errorCode_ = 0;
};

}  // namespace store
