#pragma once

// One SQLite connection to a store file: statements, plain SQL, transactions
// and the translation of SQLite failures into store errors.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Error.h"
#include "platform/store/Statement.h"

struct sqlite3;

namespace store {

class Database {
  public:
    // Opens (creating when missing) the file at `path`. Nothing is read yet:
    // a foreign or damaged file shows itself on the first statement.
    static std::unique_ptr<Database> open(const std::filesystem::path& path,
                                          foundation::Error* error);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // A prepared statement, or nullopt with `lastError()` set.
    std::optional<Statement> prepare(const std::string& sql);
    // Runs one or more statements that yield no rows.
    bool execute(const std::string& sql);

    bool begin();
    bool commit();
    void rollback();

    std::int64_t lastInsertRowID() const;
    const std::filesystem::path& path() const { return path_; }

    // The error of the last failed call, as a store error (domain, code, text).
    const foundation::Error& lastError() const { return lastError_; }
    // Records an SQLite failure `rc` as `lastError()` and answers false.
    bool fail(int rc);

  private:
    Database(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}

    sqlite3* db_;
    std::filesystem::path path_;
    foundation::Error lastError_;
};

}  // namespace store
