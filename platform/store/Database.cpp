#include "platform/store/Database.h"

#include <sqlite3.h>

#include "platform/store/StoreError.h"

namespace store {

std::unique_ptr<Database> Database::open(const std::filesystem::path& path,
                                         foundation::Error* error) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        if (error) {
            *error = makeStoreError(kFileReadUnknownError,
                                    "The store file \"" + path.filename().string() +
                                        "\" could not be opened: " + sqlite3_errstr(rc) + ".");
        }
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, 5000);
    return std::unique_ptr<Database>(new Database(db, path));
}

Database::~Database() {
    sqlite3_close(db_);
}

bool Database::fail(int rc) {
    std::string file = "\"" + path_.filename().string() + "\"";
    switch (rc & 0xff) {
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            lastError_ =
                makeStoreError(kFileReadCorruptFileError,
                               "The store file " + file + " is damaged or is not a store (" +
                                   sqlite3_errstr(rc) + "); it was left as it is.");
            break;
        case SQLITE_FULL:
        case SQLITE_READONLY:
        case SQLITE_IOERR:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
            lastError_ = makeStoreError(
                kFileWriteUnknownError,
                "The store file " + file + " could not be written (" + sqlite3_errstr(rc) + ").");
            break;
        default:
            lastError_ =
                makeStoreError(kPersistentStoreOperationError,
                               "The store " + file + " failed: " + sqlite3_errmsg(db_) + ".");
            break;
    }
    return false;
}

std::optional<Statement> Database::prepare(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    int rc =
        sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        fail(rc);
        return std::nullopt;
    }
    return Statement(db_, statement);
}

bool Database::execute(const std::string& sql) {
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    return rc == SQLITE_OK || fail(rc);
}

bool Database::begin() {
    return execute("BEGIN IMMEDIATE");
}

bool Database::commit() {
    return execute("COMMIT");
}

void Database::rollback() {
    if (!sqlite3_get_autocommit(db_)) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

std::int64_t Database::lastInsertRowID() const {
    return sqlite3_last_insert_rowid(db_);
}

}  // namespace store
