#pragma once

// An adapter class as the class registry keeps it: makes adapters for a
// connector and answers the class's own questions (version, the class of the
// network's extras). Adapter types register themselves by name through
// registerAdapterClass<Adapter>.

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "ads/mediation/GADMAdNetworkAdapter.h"
#include "platform/foundation/ClassRegistry.h"

class GADMAdNetworkConnector;

class GADMAdNetworkAdapterClass {
  public:
    explicit GADMAdNetworkAdapterClass(std::string name) : name_(std::move(name)) {}
    virtual ~GADMAdNetworkAdapterClass() = default;

    const std::string& name() const { return name_; }
    // initWithGADMAdNetworkConnector: a new adapter that keeps the connector weakly.
    virtual std::shared_ptr<GADMAdNetworkAdapter> makeAdapter(
        const std::shared_ptr<GADMAdNetworkConnector>& connector) const = 0;
    virtual std::string adapterVersion() const = 0;
    // Whether the class answers networkExtrasClass at all.
    virtual bool respondsToNetworkExtrasClass() const = 0;
    // The registered name of the network's extras class; nullopt for none.
    virtual std::optional<std::string> networkExtrasClass() const = 0;

    // The adapter class registered under the name; nullptr when the name is
    // unknown or names no adapter class of the current protocol.
    static std::shared_ptr<const GADMAdNetworkAdapterClass> classNamed(const std::string& name);

    // Registers Adapter under the name. Adapter is made from a connector
    // (Adapter(std::shared_ptr<GADMAdNetworkConnector>)) and has a static
    // adapterVersion(); a static networkExtrasClass() is optional.
    template <typename Adapter>
    static void registerAdapterClass(const std::string& name,
                                     const std::string& superclassName = "NSObject",
                                     std::set<std::string> protocols = {
                                         GADMAdNetworkAdapter::kProtocolName});

  private:
    std::string name_;
};

template <typename Adapter>
class GADMAdNetworkAdapterClassOf : public GADMAdNetworkAdapterClass {
  public:
    using GADMAdNetworkAdapterClass::GADMAdNetworkAdapterClass;

    std::shared_ptr<GADMAdNetworkAdapter> makeAdapter(
        const std::shared_ptr<GADMAdNetworkConnector>& connector) const override {
        return std::make_shared<Adapter>(connector);
    }
    std::string adapterVersion() const override { return Adapter::adapterVersion(); }
    bool respondsToNetworkExtrasClass() const override {
        return requires {
            Adapter::networkExtrasClass();
        };
    }
    std::optional<std::string> networkExtrasClass() const override {
        if constexpr (requires { Adapter::networkExtrasClass(); }) {
            return Adapter::networkExtrasClass();
        } else {
            return std::nullopt;
        }
    }
};

template <typename Adapter>
void GADMAdNetworkAdapterClass::registerAdapterClass(const std::string& name,
                                                     const std::string& superclassName,
                                                     std::set<std::string> protocols) {
    foundation::ClassRegistry::shared().registerClass<GADMAdNetworkAdapterClass>(
        {name, superclassName, std::move(protocols)},
        [name] { return std::make_shared<GADMAdNetworkAdapterClassOf<Adapter>>(name); });
}
