#include "platform/store/Statement.h"

#include <sqlite3.h>

namespace store {

Statement::~Statement() {
    if (statement_) {
        sqlite3_finalize(statement_);
    }
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), statement_(other.statement_), errorCode_(other.errorCode_) {
    other.statement_ = nullptr;
}

void Statement::bindNull(int index) {
    sqlite3_bind_null(statement_, index);
}

void Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
}

void Statement::bind(int index, double value) {
    sqlite3_bind_double(statement_, index, value);
}

void Statement::bind(int index, const std::string& value) {
    sqlite3_bind_text64(statement_, index, value.data(), value.size(), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
}

void Statement::bind(int index, const foundation::Data& value) {
    // An empty blob must stay a blob, not NULL: give SQLite a valid pointer.
    static const std::uint8_t empty = 0;
    sqlite3_bind_blob64(statement_, index, value.empty() ? &empty : value.data(), value.size(),
                        SQLITE_TRANSIENT);
}

bool Statement::step() {
    int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    errorCode_ = rc == SQLITE_DONE ? 0 : rc;
    return false;
}

bool Statement::execute() {
    while (step()) {
    }
    return errorCode_ == 0;
}

void Statement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    errorCode_ = 0;
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string Statement::text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    int length = sqlite3_column_bytes(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), length) : std::string();
}

foundation::Data Statement::blob(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    int length = sqlite3_column_bytes(statement_, column);
    if (!bytes || length <= 0) {
        return {};
    }
    const auto* begin = static_cast<const std::uint8_t*>(bytes);
    return foundation::Data(begin, begin + length);
}

}  // namespace store
