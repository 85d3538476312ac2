#include <gtest/gtest.h>

#include "ads/mediation/MediationClasses.h"

namespace {

// Registers the mediation classes before the first test, as the application
// does when it starts: every slot made afterwards has its mediation glue and
// every request names the adapters.
class MediationRegistration : public testing::Environment {
  public:
    void SetUp() override { mediation::registerMediationClasses(); }
};

[[maybe_unused]] testing::Environment* const kMediationRegistration =
    testing::AddGlobalTestEnvironment(new MediationRegistration);

}  // namespace
