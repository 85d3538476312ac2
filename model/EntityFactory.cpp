#include "model/EntityFactory.h"

#include <mutex>

#include "model/Action.h"
#include "model/Barcode.h"
#include "model/Classification.h"
#include "platform/foundation/ClassRegistry.h"

namespace {

template <typename T>
void registerEntityClass(const std::string& name, EntityFactory factory) {
    auto& registry = foundation::ClassRegistry::shared();
    foundation::ClassRegistry::ClassInfo info{name, "NSManagedObject", {"EntityFactory"}};
    factory.makeObject = [] { return std::make_shared<T>(); };
    registry.registerClass<EntityFactory>(
        info, std::function<std::shared_ptr<EntityFactory>()>(
                  [factory] { return std::make_shared<EntityFactory>(factory); }));
    registry.registerClass<store::ManagedObject>(
        info, std::function<std::shared_ptr<store::ManagedObject>()>(
                  [] { return std::make_shared<T>(); }));
}

}  // namespace

void RegisterEntityClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        registerEntityClass<Barcode>("Barcode", {&Barcode::getEntityAttributes, {}, {}, {}});
        registerEntityClass<Action>(
            "Action", {&Action::getEntityAttributes, &Action::getEntityRelationships, {}, {}});
        registerEntityClass<Classification>("Classification",
                                            {&Classification::getEntityAttributes, {}, {}, {}});
    });
}
