#pragma once

// A universally unique identifier: 16 bytes, written as 36 characters of
// upper-case hexadecimal in the 8-4-4-4-12 grouping. Fresh ones are random
// (version 4).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

class UUID {
  public:
    using Bytes = std::array<std::uint8_t, 16>;

    // A fresh random identifier.
    UUID();
    explicit UUID(const Bytes& bytes) : bytes_(bytes) {}
    // The identifier the text spells (either case); nullopt when it is not one.
    static std::optional<UUID> fromString(std::string_view text);

    const Bytes& bytes() const { return bytes_; }
    // "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
    std::string UUIDString() const;

    friend bool operator==(const UUID&, const UUID&) = default;

  private:
    Bytes bytes_;
};

}  // namespace foundation
