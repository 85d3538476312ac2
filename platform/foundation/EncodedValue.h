#pragma once

// One plain value (a struct, a size, a flag) kept with the text of its type
// encoding, so it can travel where any value may: a reader checks the
// encoding before taking the value out.

#include <any>
#include <optional>
#include <string>
#include <utility>

namespace foundation {

class EncodedValue {
  public:
    template <typename T>
    EncodedValue(std::string objCType, T value)
        : objCType_(std::move(objCType)), value_(std::move(value)) {}

    const std::string& objCType() const { return objCType_; }

    // The value when it is held as a T; nullopt when it is of another type.
    template <typename T>
    std::optional<T> getValue() const {
        if (const T* held = std::any_cast<T>(&value_)) {
            return *held;
        }
        return std::nullopt;
    }

  private:
    std::string objCType_;
    std::any value_;
};

}  // namespace foundation
