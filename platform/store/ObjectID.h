#pragma once

// The identity of a managed object: temporary until its first save, then
// permanent (store identifier, entity, primary key). Both forms have a URI
// that `Coordinator::managedObjectIDForURIRepresentation` reads back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace store {

class ObjectID {
  public:
    ObjectID() = default;

    static ObjectID makePermanent(std::string storeIdentifier, std::string entityName,
                                  std::int64_t primaryKey);
    // A new temporary ID, unique within the process.
    static ObjectID makeTemporary(std::string entityName);
    // Reads "x-store://STORE/Entity/pN" and "x-store:///Entity/tTOKEN"; nullopt otherwise.
    static std::optional<ObjectID> fromURIRepresentation(std::string_view uri);

    bool isValid() const { return !entityName_.empty(); }
    bool isTemporaryID() const { return primaryKey_ == 0; }
    const std::string& entityName() const { return entityName_; }
    const std::string& storeIdentifier() const { return storeIdentifier_; }
    std::int64_t primaryKey() const { return primaryKey_; }

    std::string URIRepresentation() const;

    friend bool operator==(const ObjectID&, const ObjectID&) = default;
    friend auto operator<=>(const ObjectID&, const ObjectID&) = default;

  private:
    std::string storeIdentifier_;
    std::string entityName_;
    std::int64_t primaryKey_ = 0;
    std::string temporaryToken_;
};

}  // namespace store
