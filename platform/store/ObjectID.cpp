#include "platform/store/ObjectID.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <random>

namespace store {

namespace {

constexpr std::string_view kScheme = "x-store://";

// A random prefix per process keeps temporary tokens of two runs apart.
const std::string& processToken() {
    static const std::string token = [] {
        std::random_device random;
        char text[17];
        std::snprintf(text, sizeof text, "%08X%08X", random(), random());
        return std::string(text);
    }();
    return token;
}

bool isNameCharacter(char c) {
    return c != '/' && c != '\0';
}

}  // namespace

ObjectID ObjectID::makePermanent(std::string storeIdentifier, std::string entityName,
                                 std::int64_t primaryKey) {
    ObjectID id;
    id.storeIdentifier_ = std::move(storeIdentifier);
    id.entityName_ = std::move(entityName);
    id.primaryKey_ = primaryKey;
    return id;
}

ObjectID ObjectID::makeTemporary(std::string entityName) {
    static std::atomic<std::uint64_t> counter{0};
    ObjectID id;
    id.entityName_ = std::move(entityName);
    id.temporaryToken_ = processToken() + "-" + std::to_string(++counter);
    return id;
}

std::string ObjectID::URIRepresentation() const {
    if (!isValid()) {
        return {};
    }
    if (isTemporaryID()) {
        return std::string(kScheme) + "/" + entityName_ + "/t" + temporaryToken_;
    }
    return std::string(kScheme) + storeIdentifier_ + "/" + entityName_ + "/p" +
           std::to_string(primaryKey_);
}

std::optional<ObjectID> ObjectID::fromURIRepresentation(std::string_view uri) {
    if (!uri.starts_with(kScheme)) {
        return std::nullopt;
    }
    uri.remove_prefix(kScheme.size());
    auto firstSlash = uri.find('/');
    if (firstSlash == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view store = uri.substr(0, firstSlash);
    std::string_view rest = uri.substr(firstSlash + 1);
    auto secondSlash = rest.find('/');
    if (secondSlash == std::string_view::npos || secondSlash == 0) {
        return std::nullopt;
    }
    std::string_view entity = rest.substr(0, secondSlash);
    std::string_view key = rest.substr(secondSlash + 1);
    for (char c : entity) {
        if (!isNameCharacter(c)) {
            return std::nullopt;
        }
    }
    if (key.size() < 2) {
        return std::nullopt;
    }
    ObjectID id;
    id.entityName_ = std::string(entity);
    if (key[0] == 't' && store.empty()) {
        id.temporaryToken_ = std::string(key.substr(1));
        return id.temporaryToken_.find('/') == std::string::npos ? std::optional(id) : std::nullopt;
    }
    if (key[0] != 'p' || store.empty()) {
        return std::nullopt;
    }
    std::int64_t primaryKey = 0;
    auto digits = key.substr(1);
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), primaryKey);
    if (ec != std::errc() || end != digits.data() + digits.size() || primaryKey <= 0) {
        return std::nullopt;
    }
    id.storeIdentifier_ = std::string(store);
    id.primaryKey_ = primaryKey;
    return id;
}

}  // namespace store
