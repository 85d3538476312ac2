#pragma once

// Classes by name: each entry has a factory for a base type, a superclass
// name and the protocols it adopts. Filled explicitly by one registration
// function per subsystem (no self-registering statics); looked up by name as
// the platform's class-from-string does.

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <typeindex>
#include <vector>

namespace foundation {

class ClassRegistry {
  public:
    struct ClassInfo {
        std::string name;
        std::string superclassName;
        std::set<std::string> protocols;
    };

    // The process-wide registry.
    static ClassRegistry& shared();

    // Registers (or replaces) a class whose instances are made as Base.
    template <typename Base>
    void registerClass(ClassInfo info, std::function<std::shared_ptr<Base>()> factory) {
        std::lock_guard lock(mutex_);
        auto& entry = entries_[info.name];
        entry.info = std::move(info);
        entry.factories[std::type_index(typeid(Base))] = std::move(factory);
    }
    // Registers a name without a factory (a class whose presence is all that is asked).
    void registerName(ClassInfo info);

    bool exists(const std::string& name) const;
    std::optional<ClassInfo> info(const std::string& name) const;
    // True for the class itself and every class below it.
    bool isSubclass(const std::string& name, const std::string& ancestor) const;
    // True when the class or one of its superclasses adopts the protocol.
    bool conformsTo(const std::string& name, const std::string& protocol) const;
    // Registered names, sorted.
    std::vector<std::string> classNames() const;

    // A new instance made by the factory registered for Base; nullptr when the
    // name is unknown or was not registered for Base.
    template <typename Base>
    std::shared_ptr<Base> make(const std::string& name) const {
        std::function<std::shared_ptr<Base>()> factory;
        {
            std::lock_guard lock(mutex_);
            const auto found = entries_.find(name);
            if (found == entries_.end())
                return nullptr;
            const auto f = found->second.factories.find(std::type_index(typeid(Base)));
            if (f == found->second.factories.end())
                return nullptr;
            factory = std::any_cast<std::function<std::shared_ptr<Base>()>>(f->second);
        }
        return factory ? factory() : nullptr;
    }

    void unregisterClass(const std::string& name);

  private:
    struct Entry {
        ClassInfo info;
        std::map<std::type_index, std::any> factories;
    };

    mutable std::recursive_mutex mutex_;
    std::map<std::string, Entry> entries_;
};

}  // namespace foundation
