#pragma once

// The identity under which an observer is registered and removed: the
// address of the whole object, whichever base class pointer names it.

#include <type_traits>

namespace foundation {

template <typename T>
const void* objectIdentity(const T* object) {
    if constexpr (std::is_polymorphic_v<T>) {
        return object ? dynamic_cast<const void*>(object) : nullptr;
    } else {
        return static_cast<const void*>(object);
    }
}

}  // namespace foundation
