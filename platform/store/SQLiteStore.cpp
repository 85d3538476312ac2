#include "platform/store/SQLiteStore.h"

#include <cstdio>
#include <random>
#include <set>
#include <system_error>

#include "platform/store/StoreError.h"

namespace store {

namespace {

constexpr const char* kFormat = "barcodes-object-store";
constexpr const char* kVersion = "1";

std::string sqlName(const std::string& name) {
    std::string result = "\"";
    for (char c : name) {
        result += c;
        if (c == '"') {
            result += '"';
        }
    }
    return result + "\"";
}

std::string tableName(const EntityDescription& entity) {
    return sqlName("e_" + entity.name());
}

std::string columnName(const AttributeDescription& attribute) {
    return sqlName("a_" + attribute.name);
}

std::string relationTable(const EntityDescription& entity,
                          const RelationshipDescription& relationship) {
    return sqlName("r_" + entity.name() + "_" + relationship.name);
}

std::string rawRelationTable(const EntityDescription& entity,
                             const RelationshipDescription& relationship) {
    return "r_" + entity.name() + "_" + relationship.name;
}

bool isStored(const AttributeDescription& attribute) {
    return !attribute.transient && attribute.attributeType != AttributeType::Undefined;
}

// "SELECT pk, ... FROM <table>" over the stored attributes a row is read
// with (binary data is fetched on its own); those attributes go to `read`, in
// column order.
std::string selectRows(const EntityDescription& entity,
                       std::vector<const AttributeDescription*>& read) {
    std::string sql = "SELECT pk";
    for (const auto& attribute : entity.attributes()) {
        if (isStored(attribute) && attribute.attributeType != AttributeType::BinaryData) {
            read.push_back(&attribute);
            sql += ", " + columnName(attribute);
        }
    }
    return sql + " FROM " + tableName(entity);
}

const char* columnType(AttributeType type) {
    switch (type) {
        case AttributeType::Integer16:
        case AttributeType::Integer32:
        case AttributeType::Integer64:
        case AttributeType::Boolean:
            return "INTEGER";
        case AttributeType::Decimal:
        case AttributeType::Double:
        case AttributeType::Float:
        case AttributeType::Date:
            return "REAL";
        case AttributeType::String:
            return "TEXT";
        default:
            return "BLOB";
    }
}

std::string newIdentifier() {
    std::random_device random;
    std::uint32_t words[4] = {random(), random(), random(), random()};
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%04X%08X", words[0], words[1] >> 16,
                  (words[1] & 0x0FFF) | 0x4000, ((words[2] >> 16) & 0x3FFF) | 0x8000,
                  words[2] & 0xFFFF, words[3]);
    return text;
}

}  // namespace

std::unique_ptr<SQLiteStore> SQLiteStore::open(const std::filesystem::path& path,
                                               const Model& model, foundation::Error* error) {
    auto db = Database::open(path, error);
    if (!db) {
        return nullptr;
    }
    std::unique_ptr<SQLiteStore> store(new SQLiteStore(std::move(db), model));
    if (!store->prepareSchema(error)) {
        return nullptr;
    }
    return store;
}

bool SQLiteStore::fail(foundation::Error* error) {
    if (error) {
        *error = db_->lastError();
    }
    return false;
}

bool SQLiteStore::checkFileSize(foundation::Error* error) {
    auto pageCount = db_->prepare("PRAGMA page_count");
    auto pageSize = db_->prepare("PRAGMA page_size");
    if (!pageCount || !pageSize || !pageCount->step() || !pageSize->step()) {
        return fail(error);
    }
    std::error_code ec;
    auto size = std::filesystem::file_size(db_->path(), ec);
    auto expected = static_cast<std::uintmax_t>(pageCount->integer(0)) *
                    static_cast<std::uintmax_t>(pageSize->integer(0));
    if (!ec && size < expected) {
        if (error) {
            *error =
                makeStoreError(kFileReadCorruptFileError,
                               "The store file \"" + db_->path().filename().string() +
                                   "\" is truncated (" + std::to_string(size) + " of " +
                                   std::to_string(expected) + " bytes); it was left as it is.");
        }
        return false;
    }
    return true;
}

bool SQLiteStore::prepareSchema(foundation::Error* error) {
    // The first read of the file: it replays or discards an interrupted save
    // and shows whether the file is a database at all.
    std::set<std::string> tables;
    {
        auto statement = db_->prepare("SELECT name FROM sqlite_master WHERE type = 'table'");
        if (!statement) {
            return fail(error);
        }
        while (statement->step()) {
            tables.insert(statement->text(0));
        }
        if (statement->errorCode() != 0) {
            db_->fail(statement->errorCode());
            return fail(error);
        }
    }
    if (!checkFileSize(error)) {
        return false;
    }
    std::string file = "\"" + db_->path().filename().string() + "\"";
    bool fresh = tables.empty();
    if (!fresh && !tables.contains("store_meta")) {
        if (error) {
            *error = makeStoreError(kFileReadCorruptFileError,
                                    "The file " + file +
                                        " is a database of another program, not a store; it "
                                        "was left as it is.");
        }
        return false;
    }
    if (!fresh) {
        std::map<std::string, std::string> meta;
        auto statement = db_->prepare("SELECT key, value FROM store_meta");
        if (!statement) {
            return fail(error);
        }
        while (statement->step()) {
            meta[statement->text(0)] = statement->text(1);
        }
        if (statement->errorCode() != 0) {
            db_->fail(statement->errorCode());
            return fail(error);
        }
        if (meta["format"] != kFormat || meta["version"] != kVersion ||
            meta["identifier"].empty()) {
            if (error) {
                *error = makeStoreError(kPersistentStoreIncompatibleSchemaError,
                                        "The store file " + file +
                                            " has a format this program does not read; it was "
                                            "left as it is.");
            }
            return false;
        }
        identifier_ = meta["identifier"];
    }

    // Tables and columns the model needs and the file lacks.
    std::vector<std::string> changes;
    if (fresh) {
        identifier_ = newIdentifier();
        changes.push_back("CREATE TABLE store_meta (key TEXT PRIMARY KEY, value TEXT)");
        changes.push_back(std::string("INSERT INTO store_meta VALUES ('format', '") + kFormat +
                          "'), ('version', '" + kVersion + "'), ('identifier', '" + identifier_ +
                          "')");
    }
    for (const auto& entity : model_.entities()) {
        std::string table = "e_" + entity->name();
        if (!tables.contains(table)) {
            std::string sql =
                "CREATE TABLE " + tableName(*entity) + " (pk INTEGER PRIMARY KEY AUTOINCREMENT";
            for (const auto& attribute : entity->attributes()) {
                if (isStored(attribute)) {
                    sql += ", " + columnName(attribute) + " " + columnType(attribute.attributeType);
                }
            }
            changes.push_back(sql + ")");
        } else {
            std::set<std::string> columns;
            auto statement = db_->prepare("PRAGMA table_info(" + sqlName(table) + ")");
            if (!statement) {
                return fail(error);
            }
            while (statement->step()) {
                columns.insert(statement->text(1));
            }
            for (const auto& attribute : entity->attributes()) {
                if (isStored(attribute) && !columns.contains("a_" + attribute.name)) {
                    changes.push_back("ALTER TABLE " + tableName(*entity) + " ADD COLUMN " +
                                      columnName(attribute) + " " +
                                      columnType(attribute.attributeType));
                }
            }
        }
        for (const auto& attribute : entity->attributes()) {
            if (isStored(attribute) && attribute.indexed) {
                changes.push_back("CREATE INDEX IF NOT EXISTS " +
                                  sqlName("i_" + entity->name() + "_" + attribute.name) + " ON " +
                                  tableName(*entity) + " (" + columnName(attribute) + ")");
            }
        }
        for (const auto& relationship : entity->relationships()) {
            if (!tables.contains(rawRelationTable(*entity, relationship))) {
                changes.push_back("CREATE TABLE " + relationTable(*entity, relationship) +
                                  " (src INTEGER NOT NULL, dst INTEGER NOT NULL, "
                                  "PRIMARY KEY (src, dst)) WITHOUT ROWID");
                changes.push_back("CREATE INDEX " +
                                  sqlName("d_" + entity->name() + "_" + relationship.name) +
                                  " ON " + relationTable(*entity, relationship) + " (dst)");
            }
        }
    }
    bool onlyIndexes = true;
    for (const auto& change : changes) {
        onlyIndexes = onlyIndexes && change.starts_with("CREATE INDEX IF NOT EXISTS");
    }
    if (onlyIndexes && !fresh) {
        // Existing indexes are the rule: open an existing store without writing.
        std::set<std::string> indexes;
        auto statement = db_->prepare("SELECT name FROM sqlite_master WHERE type = 'index'");
        if (!statement) {
            return fail(error);
        }
        while (statement->step()) {
            indexes.insert(statement->text(0));
        }
        bool missing = false;
        for (const auto& entity : model_.entities()) {
            for (const auto& attribute : entity->attributes()) {
                missing =
                    missing || (isStored(attribute) && attribute.indexed &&
                                !indexes.contains("i_" + entity->name() + "_" + attribute.name));
            }
        }
        if (!missing) {
            return true;
        }
    }
    if (!db_->begin()) {
        return fail(error);
    }
    for (const auto& change : changes) {
        if (!db_->execute(change)) {
            db_->rollback();
            return fail(error);
        }
    }
    if (!db_->commit()) {
        db_->rollback();
        return fail(error);
    }
    return true;
}

bool SQLiteStore::bindValue(Statement& statement, int index, const AttributeDescription& attribute,
                            const foundation::Value& value) {
    if (value.isNull()) {
        statement.bindNull(index);
        return true;
    }
    switch (attribute.attributeType) {
        case AttributeType::Integer16:
        case AttributeType::Integer32:
        case AttributeType::Integer64:
        case AttributeType::Boolean:
            statement.bind(index, value.integerValue());
            break;
        case AttributeType::Decimal:
        case AttributeType::Double:
        case AttributeType::Float:
            statement.bind(index, value.doubleValue());
            break;
        case AttributeType::Date:
            statement.bind(index, value.isDate() ? value.asDate()->timeIntervalSinceReferenceDate()
                                                 : value.doubleValue());
            break;
        case AttributeType::String:
            statement.bind(index, value.stringValue());
            break;
        default:
            if (value.isData()) {
                statement.bind(index, *value.asData());
            } else {
                statement.bind(index, foundation::dataFromString(value.stringValue()));
            }
            break;
    }
    return true;
}

foundation::Value SQLiteStore::readValue(const Statement& statement, int column,
                                         const AttributeDescription& attribute) const {
    if (statement.isNull(column)) {
        return {};
    }
    switch (attribute.attributeType) {
        case AttributeType::Integer16:
        case AttributeType::Integer32:
        case AttributeType::Integer64:
            return foundation::Value(statement.integer(column));
        case AttributeType::Boolean:
            return foundation::Value(statement.integer(column) != 0);
        case AttributeType::Decimal:
        case AttributeType::Double:
        case AttributeType::Float:
            return foundation::Value(statement.real(column));
        case AttributeType::Date:
            return foundation::Value(
                foundation::Date::fromTimeIntervalSinceReferenceDate(statement.real(column)));
        case AttributeType::String:
            return foundation::Value(statement.text(column));
        default:
            return foundation::Value(statement.blob(column));
    }
}

bool SQLiteStore::fetchRows(const EntityDescription& entity, std::vector<Row>& rows,
                            foundation::Error* error) {
    std::vector<const AttributeDescription*> read;
    auto statement = db_->prepare(selectRows(entity, read) + " ORDER BY pk");
    if (!statement) {
        return fail(error);
    }
    rows.clear();
    while (statement->step()) {
        Row row;
        row.primaryKey = statement->integer(0);
        for (std::size_t i = 0; i < read.size(); ++i) {
            row.values[read[i]->name] = readValue(*statement, static_cast<int>(i + 1), *read[i]);
        }
        rows.push_back(std::move(row));
    }
    if (statement->errorCode() != 0) {
        db_->fail(statement->errorCode());
        return fail(error);
    }
    return true;
}

bool SQLiteStore::fetchRow(const EntityDescription& entity, std::int64_t primaryKey,
                           std::optional<Row>& row, foundation::Error* error) {
    std::vector<const AttributeDescription*> read;
    auto statement = db_->prepare(selectRows(entity, read) + " WHERE pk = ?");
    if (!statement) {
        return fail(error);
    }
    statement->bind(1, primaryKey);
    row.reset();
    if (statement->step()) {
        row.emplace();
        row->primaryKey = primaryKey;
        for (std::size_t i = 0; i < read.size(); ++i) {
            row->values[read[i]->name] = readValue(*statement, static_cast<int>(i + 1), *read[i]);
        }
        return true;
    }
    if (statement->errorCode() != 0) {
        db_->fail(statement->errorCode());
        return fail(error);
    }
    return true;
}

bool SQLiteStore::fetchAttribute(const EntityDescription& entity, std::int64_t primaryKey,
                                 const AttributeDescription& attribute, foundation::Value& value,
                                 foundation::Error* error) {
    auto statement = db_->prepare("SELECT " + columnName(attribute) + " FROM " + tableName(entity) +
                                  " WHERE pk = ?");
    if (!statement) {
        return fail(error);
    }
    statement->bind(1, primaryKey);
    value = foundation::Value();
    if (statement->step()) {
        value = readValue(*statement, 0, attribute);
        return true;
    }
    if (statement->errorCode() != 0) {
        db_->fail(statement->errorCode());
        return fail(error);
    }
    return true;
}

bool SQLiteStore::fetchRelated(const EntityDescription& entity,
                               const RelationshipDescription& relationship, std::int64_t primaryKey,
                               std::vector<std::int64_t>& destinations, foundation::Error* error) {
    auto statement = db_->prepare("SELECT dst FROM " + relationTable(entity, relationship) +
                                  " WHERE src = ? ORDER BY dst");
    if (!statement) {
        return fail(error);
    }
    statement->bind(1, primaryKey);
    destinations.clear();
    while (statement->step()) {
        destinations.push_back(statement->integer(0));
    }
    if (statement->errorCode() != 0) {
        db_->fail(statement->errorCode());
        return fail(error);
    }
    return true;
}

bool SQLiteStore::begin(foundation::Error* error) {
    return db_->begin() || fail(error);
}

bool SQLiteStore::commit(foundation::Error* error) {
    return db_->commit() || fail(error);
}

void SQLiteStore::rollback() {
    db_->rollback();
}

bool SQLiteStore::insertRow(const EntityDescription& entity,
                            const std::map<std::string, foundation::Value>& values,
                            std::int64_t& primaryKey, foundation::Error* error) {
    std::vector<const AttributeDescription*> written;
    std::string columns;
    std::string placeholders;
    for (const auto& attribute : entity.attributes()) {
        if (isStored(attribute)) {
            written.push_back(&attribute);
            columns += (columns.empty() ? "" : ", ") + columnName(attribute);
            placeholders += placeholders.empty() ? "?" : ", ?";
        }
    }
    std::string sql = written.empty() ? "INSERT INTO " + tableName(entity) + " DEFAULT VALUES"
                                      : "INSERT INTO " + tableName(entity) + " (" + columns +
                                            ") VALUES (" + placeholders + ")";
    auto statement = db_->prepare(sql);
    if (!statement) {
        return fail(error);
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        auto found = values.find(written[i]->name);
        bindValue(*statement, static_cast<int>(i + 1), *written[i],
                  found == values.end() ? foundation::Value() : found->second);
    }
    if (!statement->execute()) {
        db_->fail(statement->errorCode());
        return fail(error);
    }
    primaryKey = db_->lastInsertRowID();
    return true;
}

bool SQLiteStore::updateRow(const EntityDescription& entity, std::int64_t primaryKey,
                            const std::map<std::string, foundation::Value>& values,
                            foundation::Error* error) {
    std::vector<std::pair<const AttributeDescription*, const foundation::Value*>> written;
    std::string assignments;
    for (const auto& [name, value] : values) {
        const auto* attribute = entity.attributeNamed(name);
        if (attribute && isStored(*attribute)) {
            written.emplace_back(attribute, &value);
            assignments += (assignments.empty() ? "" : ", ") + columnName(*attribute) + " = ?";
        }
    }
    if (written.empty()) {
        return true;
    }
    auto statement =
        db_->prepare("UPDATE " + tableName(entity) + " SET " + assignments + " WHERE pk = ?");
    if (!statement) {
        return fail(error);
    }
    int index = 1;
    for (const auto& [attribute, value] : written) {
        bindValue(*statement, index++, *attribute, *value);
    }
    statement->bind(index, primaryKey);
    if (!statement->execute()) {
        db_->fail(statement->errorCode());
        return fail(error);
    }
    return true;
}

bool SQLiteStore::deleteRow(const EntityDescription& entity, std::int64_t primaryKey,
                            foundation::Error* error) {
    std::vector<std::string> sql;
    sql.push_back("DELETE FROM " + tableName(entity) + " WHERE pk = ?");
    for (const auto& relationship : entity.relationships()) {
        sql.push_back("DELETE FROM " + relationTable(entity, relationship) + " WHERE src = ?");
    }
    for (const auto& other : model_.entities()) {
        for (const auto& relationship : other->relationships()) {
            if (relationship.destinationEntity == entity.name()) {
                sql.push_back("DELETE FROM " + relationTable(*other, relationship) +
                              " WHERE dst = ?");
            }
        }
    }
    for (const auto& text : sql) {
        auto statement = db_->prepare(text);
        if (!statement) {
            return fail(error);
        }
        statement->bind(1, primaryKey);
        if (!statement->execute()) {
            db_->fail(statement->errorCode());
            return fail(error);
        }
    }
    return true;
}

bool SQLiteStore::replaceRelated(const EntityDescription& entity,
                                 const RelationshipDescription& relationship,
                                 std::int64_t primaryKey,
                                 const std::vector<std::int64_t>& destinations,
                                 foundation::Error* error) {
    auto remove =
        db_->prepare("DELETE FROM " + relationTable(entity, relationship) + " WHERE src = ?");
    auto insert = db_->prepare("INSERT OR IGNORE INTO " + relationTable(entity, relationship) +
                               " (src, dst) VALUES (?, ?)");
    if (!remove || !insert) {
        return fail(error);
    }
    remove->bind(1, primaryKey);
    if (!remove->execute()) {
        db_->fail(remove->errorCode());
        return fail(error);
    }
    for (auto destination : destinations) {
        insert->reset();
        insert->bind(1, primaryKey);
        insert->bind(2, destination);
        if (!insert->execute()) {
            db_->fail(insert->errorCode());
            return fail(error);
        }
    }
    return true;
}

}  // namespace store
