#include "platform/foundation/UserDefaults.h"

#include <map>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/PropertyList.h"

namespace foundation {
namespace {

// One store per preferences file, shared by every instance.
struct Store {
    bool loaded = false;
    Dictionary values;
};

struct Shared {
    std::recursive_mutex mutex;
    std::map<std::string, Store> stores;
    Dictionary registered;
};

Shared& shared() {
    static auto* const state = ProcessState::withReset(new Shared(), [](auto& state) {
        std::lock_guard lock(state.mutex);
        state.stores.clear();
        state.registered.clear();
    });
    return *state;
}

// Moves a preferences file that cannot be read out of the way (the next
// write would replace it), to the first free name of "<file>.unreadable",
// "<file>.unreadable-2"...
void keepAside(const std::string& path, const std::string& reason) {
    FileManager& files = FileManager::defaultManager();
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const std::string aside =
            path + ".unreadable" + (attempt == 1 ? "" : "-" + std::to_string(attempt));
        if (files.moveItem(path, aside)) {
            Log::write("UserDefaults", "Cannot read " + path + " (" + reason + "); kept it as " +
                                           aside + " and started from the defaults");
            return;
        }
        if (!files.fileExists(aside))
            break;
    }
    Log::write("UserDefaults",
               "Cannot read " + path + " (" + reason + ") nor keep it aside; using the defaults");
}

Store& storeFor(const std::string& path) {
    Store& store = shared().stores[path];
    if (!store.loaded) {
        store.loaded = true;
        store.values.clear();
        if (!FileManager::defaultManager().fileExists(path))
            return store;
        Error error;
        const auto value = PropertyList::readFile(path, &error);
        if (value && value->isDictionary())
            store.values = *value->asDictionary();
        else
            keepAside(path, value ? "not a dictionary" : error.localizedDescription);
    }
    return store;
}

bool persist(const std::string& path, const Store& store) {
    Error error;
    if (PropertyList::writeFile(Value(store.values), path, PropertyList::Format::XML, &error))
        return true;
    Log::write("UserDefaults", "Cannot write " + path + ": " + error.localizedDescription);
    return false;
}

}  // namespace

UserDefaults& UserDefaults::standard() {
    static auto* const defaults = new UserDefaults();
    return *defaults;
}

void UserDefaults::resetStandardUserDefaults() {
    std::lock_guard lock(shared().mutex);
    shared().stores.clear();
}

std::string UserDefaults::filePath() {
    std::string identifier = Bundle::main().bundleIdentifier();
    if (identifier.empty())
        identifier = "standard";
    return ApplicationHome::preferences() + "/" + identifier + ".plist";
}

Value UserDefaults::objectForKey(std::string_view key) const {
    const std::string path = filePath();
    std::lock_guard lock(shared().mutex);
    const Store& store = storeFor(path);
    if (const auto found = store.values.find(key); found != store.values.end())
        return found->second;
    if (const auto found = shared().registered.find(key); found != shared().registered.end())
        return found->second;
    return Value();
}

std::optional<std::string> UserDefaults::stringForKey(std::string_view key) const {
    const Value value = objectForKey(key);
    if (value.isString() || value.isNumber())
        return value.stringValue();
    return std::nullopt;
}

std::optional<Array> UserDefaults::arrayForKey(std::string_view key) const {
    const Value value = objectForKey(key);
    if (const Array* array = value.asArray())
        return *array;
    return std::nullopt;
}

std::optional<Dictionary> UserDefaults::dictionaryForKey(std::string_view key) const {
    const Value value = objectForKey(key);
    if (const Dictionary* dictionary = value.asDictionary())
        return *dictionary;
    return std::nullopt;
}

std::optional<Data> UserDefaults::dataForKey(std::string_view key) const {
    const Value value = objectForKey(key);
    if (const Data* data = value.asData())
        return *data;
    return std::nullopt;
}

std::int64_t UserDefaults::integerForKey(std::string_view key) const {
    return objectForKey(key).integerValue();
}

double UserDefaults::doubleForKey(std::string_view key) const {
    return objectForKey(key).doubleValue();
}

bool UserDefaults::boolForKey(std::string_view key) const {
    return objectForKey(key).boolValue();
}

bool UserDefaults::setObject(std::string_view key, const Value& value) {
    if (value.isNull()) {
        removeObjectForKey(key);
        return true;
    }
    if (!PropertyList::isValid(value)) {
        Log::write(
            "UserDefaults",
            "Refusing to store a value that is not a property list for key " + std::string(key));
        return false;
    }
    const std::string path = filePath();
    std::lock_guard lock(shared().mutex);
    Store& store = storeFor(path);
    // The file holds what the store holds: an equal value needs no write.
    if (const auto found = store.values.find(key);
        found != store.values.end() && found->second == value)
        return true;
    store.values.insert_or_assign(std::string(key), value);
    return persist(path, store);
}

void UserDefaults::removeObjectForKey(std::string_view key) {
    const std::string path = filePath();
    std::lock_guard lock(shared().mutex);
    Store& store = storeFor(path);
    const auto found = store.values.find(key);
    if (found == store.values.end())
        return;
    store.values.erase(found);
    persist(path, store);
}

void UserDefaults::registerDefaults(const Dictionary& defaults) {
    std::lock_guard lock(shared().mutex);
    for (const auto& [key, value] : defaults)
        shared().registered.insert_or_assign(key, value);
}

Dictionary UserDefaults::dictionaryRepresentation() const {
    const std::string path = filePath();
    std::lock_guard lock(shared().mutex);
    Dictionary result = shared().registered;
    for (const auto& [key, value] : storeFor(path).values)
        result.insert_or_assign(key, value);
    return result;
}

bool UserDefaults::synchronize() {
    const std::string path = filePath();
    std::lock_guard lock(shared().mutex);
    shared().stores.erase(path);
    storeFor(path);
    return true;
}

}  // namespace foundation
