#pragma once

// One sort key of a fetch: an attribute name and a direction. Values compare
// null first, numbers by value, strings by their characters (or ignoring
// case), dates in time order, data bytewise.

#include <string>

#include "platform/foundation/Value.h"

namespace store {

class ManagedObject;

class SortDescriptor {
  public:
    SortDescriptor(std::string key, bool ascending = true, bool caseInsensitive = false)
        : key_(std::move(key)), ascending_(ascending), caseInsensitive_(caseInsensitive) {}

    const std::string& key() const { return key_; }
    bool ascending() const { return ascending_; }

    // Negative, zero or positive as `a` sorts before, with or after `b`.
    int compareObjects(ManagedObject& a, ManagedObject& b) const;
    static int compareValues(const foundation::Value& a, const foundation::Value& b,
                             bool caseInsensitive = false);

  private:
    std::string key_;
    bool ascending_;
    bool caseInsensitive_;
};

}  // namespace store
