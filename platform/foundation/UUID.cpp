#include "platform/foundation/UUID.h"

#include <uuid/uuid.h>

namespace foundation {

UUID::UUID() {
    uuid_generate_random(bytes_.data());
}

std::optional<UUID> UUID::fromString(std::string_view text) {
    if (text.size() != 36) {
        return std::nullopt;
    }
    std::string terminated(text);
    Bytes bytes;
    if (uuid_parse(terminated.c_str(), bytes.data()) != 0) {
        return std::nullopt;
    }
    return UUID(bytes);
}

std::string UUID::UUIDString() const {
    char text[37];
    uuid_unparse_upper(bytes_.data(), text);
    return text;
}

}  // namespace foundation
