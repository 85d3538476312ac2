#include "platform/foundation/ClassRegistry.h"

namespace foundation {

ClassRegistry& ClassRegistry::shared() {
    static auto* const registry = new ClassRegistry();
    return *registry;
}

void ClassRegistry::registerName(ClassInfo info) {
    std::lock_guard lock(mutex_);
    entries_[info.name].info = std::move(info);
}

bool ClassRegistry::exists(const std::string& name) const {
    std::lock_guard lock(mutex_);
    return entries_.count(name) > 0;
}

std::optional<ClassRegistry::ClassInfo> ClassRegistry::info(const std::string& name) const {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(name);
    if (found == entries_.end())
        return std::nullopt;
    return found->second.info;
}

bool ClassRegistry::isSubclass(const std::string& name, const std::string& ancestor) const {
    std::lock_guard lock(mutex_);
    std::string current = name;
    for (std::size_t depth = 0; depth <= entries_.size() && !current.empty(); ++depth) {
        if (current == ancestor)
            return true;
        const auto found = entries_.find(current);
        if (found == entries_.end())
            return false;
        current = found->second.info.superclassName;
    }
    return false;
}

bool ClassRegistry::conformsTo(const std::string& name, const std::string& protocol) const {
    std::lock_guard lock(mutex_);
    std::string current = name;
    for (std::size_t depth = 0; depth <= entries_.size() && !current.empty(); ++depth) {
        const auto found = entries_.find(current);
        if (found == entries_.end())
            return false;
        if (found->second.info.protocols.count(protocol))
            return true;
        current = found->second.info.superclassName;
    }
    return false;
}

std::vector<std::string> ClassRegistry::classNames() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    for (const auto& entry : entries_)
        names.push_back(entry.first);
    return names;
}

void ClassRegistry::unregisterClass(const std::string& name) {
    std::lock_guard lock(mutex_);
    entries_.erase(name);
}

}  // namespace foundation
