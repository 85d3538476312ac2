#pragma once

// An object that can hand itself to a page as compact JSON text.

#include <optional>
#include <string>

class GADJSONSerializable {
  public:
    virtual ~GADJSONSerializable() = default;

    // nullopt when the object has no JSON form.
    virtual std::optional<std::string> JSONStringValue() const = 0;
};
