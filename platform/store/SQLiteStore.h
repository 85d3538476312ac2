#pragma once

// The persistent store of a coordinator: one SQLite file holding a table per
// entity (one row per object, one column per stored attribute) and a table
// per relationship (source and destination keys). Saves change only the rows
// they touch, inside one transaction.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"
#include "platform/store/Database.h"
#include "platform/store/Model.h"

namespace store {

class SQLiteStore {
  public:
    // One stored object: its key and the attribute values that were read.
    struct Row {
        std::int64_t primaryKey = 0;
        std::map<std::string, foundation::Value> values;
    };

    // Opens the store file, creating its tables in a new or empty file. A file
    // that is damaged, truncated, not SQLite, or a database of another program
    // gives an error and is left untouched.
    static std::unique_ptr<SQLiteStore> open(const std::filesystem::path& path, const Model& model,
                                             foundation::Error* error);

    const std::string& identifier() const { return identifier_; }
    const std::filesystem::path& path() const { return db_->path(); }

    // Rows of every object of the entity, without binary attributes (they are
    // read on first use with `fetchAttribute`).
    bool fetchRows(const EntityDescription& entity, std::vector<Row>& rows,
                   foundation::Error* error);
    bool fetchRow(const EntityDescription& entity, std::int64_t primaryKey, std::optional<Row>& row,
                  foundation::Error* error);
    bool fetchAttribute(const EntityDescription& entity, std::int64_t primaryKey,
                        const AttributeDescription& attribute, foundation::Value& value,
                        foundation::Error* error);
    bool fetchRelated(const EntityDescription& entity, const RelationshipDescription& relationship,
                      std::int64_t primaryKey, std::vector<std::int64_t>& destinations,
                      foundation::Error* error);

    bool begin(foundation::Error* error);
    bool commit(foundation::Error* error);
    void rollback();

    bool insertRow(const EntityDescription& entity,
                   const std::map<std::string, foundation::Value>& values, std::int64_t& primaryKey,
                   foundation::Error* error);
    // Writes the given attributes of one row; others stay as they are.
    bool updateRow(const EntityDescription& entity, std::int64_t primaryKey,
                   const std::map<std::string, foundation::Value>& values,
                   foundation::Error* error);
    // Removes the row, its relationship rows and every reference to it.
    bool deleteRow(const EntityDescription& entity, std::int64_t primaryKey,
                   foundation::Error* error);
    bool replaceRelated(const EntityDescription& entity,
                        const RelationshipDescription& relationship, std::int64_t primaryKey,
                        const std::vector<std::int64_t>& destinations, foundation::Error* error);

  private:
    SQLiteStore(std::unique_ptr<Database> db, const Model& model)
        : db_(std::move(db)), model_(model) {}

    bool prepareSchema(foundation::Error* error);
    bool checkFileSize(foundation::Error* error);
    bool fail(foundation::Error* error);
    bool bindValue(Statement& statement, int index, const AttributeDescription& attribute,
                   const foundation::Value& value);
    foundation::Value readValue(const Statement& statement, int column,
                                const AttributeDescription& attribute) const;

    std::unique_ptr<Database> db_;
    const Model& model_;
    std::string identifier_;
};

}  // namespace store
