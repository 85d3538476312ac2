#pragma once

// The mediation subsystem's classes as slots and requests need them: a slot
// has the adapter classes and its glue registered by name before it looks
// the glue up, and every request reports the adapters present. The mediation
// subsystem installs the one implementation when it registers its classes;
// without one, slots have no glue and requests name no adapters. Like the
// class registry's entries, it stays for the life of the process.

#include <memory>
#include <optional>
#include <set>
#include <string>

class GADMediationClasses {
  public:
    virtual ~GADMediationClasses() = default;

    // Registers the adapter and glue classes that are not registered yet.
    virtual void registerClasses() = 0;
    // The names of the registered adapter classes; nullopt for none.
    virtual std::optional<std::set<std::string>> availableAdapterNames() = 0;

    static void install(std::shared_ptr<GADMediationClasses> classes);
    // The installed implementation; nullptr for none.
    static std::shared_ptr<GADMediationClasses> installed();
};
