#include "platform/store/SortDescriptor.h"

#include <algorithm>
#include <cctype>

#include "platform/store/ManagedObject.h"

namespace store {

namespace {

template <typename T>
int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

std::string folded(const std::string& text) {
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

}  // namespace

int SortDescriptor::compareValues(const foundation::Value& a, const foundation::Value& b,
                                  bool caseInsensitive) {
    if (a.isNull() || b.isNull()) {
        return threeWay(!a.isNull(), !b.isNull());
    }
    if (a.isNumber() && b.isNumber()) {
        if ((a.isInteger() || a.isBoolean()) && (b.isInteger() || b.isBoolean())) {
            return threeWay(a.integerValue(), b.integerValue());
        }
        return threeWay(a.doubleValue(), b.doubleValue());
    }
    if (a.type() != b.type()) {
        return threeWay(static_cast<int>(a.type()), static_cast<int>(b.type()));
    }
    if (a.isString()) {
        return caseInsensitive ? threeWay(folded(*a.asString()), folded(*b.asString()))
                               : threeWay(*a.asString(), *b.asString());
    }
    if (a.isDate()) {
        return threeWay(a.asDate()->timeIntervalSinceReferenceDate(),
                        b.asDate()->timeIntervalSinceReferenceDate());
    }
    if (a.isData()) {
        return threeWay(*a.asData(), *b.asData());
    }
    return threeWay(a.description(), b.description());
}

int SortDescriptor::compareObjects(ManagedObject& a, ManagedObject& b) const {
    int result =
        compareValues(a.primitiveValueForKey(key_), b.primitiveValueForKey(key_), caseInsensitive_);
    return ascending_ ? result : -result;
}

}  // namespace store
