#pragma once

// What a fetch asks for: the objects of one entity that satisfy a predicate,
// in the order of the sort descriptors, optionally limited.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/store/SortDescriptor.h"

namespace store {

class ManagedObject;

// Tells whether an object belongs to the result; an empty predicate takes all.
using Predicate = std::function<bool(ManagedObject& object)>;

struct FetchRequest {
    explicit FetchRequest(std::string entity = {}) : entityName(std::move(entity)) {}

    std::string entityName;
    Predicate predicate;
    std::vector<SortDescriptor> sortDescriptors;
    // 0: no limit.
    std::size_t fetchLimit = 0;
    std::size_t fetchOffset = 0;
};

}  // namespace store
