#pragma once

// Registers the service screens by their platform names
// ("SKStoreProductViewController", "EKEventEditViewController",
// "MFMailComposeViewController", "MFMessageComposeViewController") in the
// class registry, so code can ask whether the platform offers them.

namespace services {

void registerServicesClasses();

}  // namespace services
