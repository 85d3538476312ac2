#pragma once

// One relationship of an entity: destination, counts, delete rule and the
// name of its inverse in the destination entity.

#include <cstdint>
#include <string>

namespace store {

enum class DeleteRule : std::uint64_t { NoAction = 0, Nullify = 1, Cascade = 2, Deny = 3 };

struct RelationshipDescription {
    std::string name;
    std::string destinationEntity;
    // Empty when the relationship has no inverse.
    std::string inverseRelationship;
    std::uint64_t minCount = 0;
    // 0 means unbounded, as does any count above 1 widened from -1.
    std::uint64_t maxCount = 1;
    DeleteRule deleteRule = DeleteRule::Nullify;
    bool indexed = false;
    bool optional = true;

    bool isToMany() const { return maxCount != 1; }
};

}  // namespace store
