#include "platform/services/ServicesClasses.h"

#include "platform/foundation/ClassRegistry.h"

namespace services {

void registerServicesClasses() {
    auto& registry = foundation::ClassRegistry::shared();
    for (const char* name : {"SKStoreProductViewController", "EKEventEditViewController",
                             "MFMailComposeViewController", "MFMessageComposeViewController"}) {
        registry.registerName({name, "UIViewController", {}});
    }
}

}  // namespace services
