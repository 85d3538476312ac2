#include <gtest/gtest.h>

#include "ads/foundation/GADPublisherToolbarCredentials.h"
#include "platform/foundation/UserDefaults.h"

namespace {

TEST(GADPublisherToolbarCredentials, AreKeptAcrossARestartUntilCleared) {
    EXPECT_FALSE(GADPublisherToolbarCredentials::hasToolbarCredentials());
    EXPECT_FALSE(GADPublisherToolbarCredentials().credentials());

    const foundation::Dictionary stored{{"token", "t-1"}, {"user", "pub@example.test"}};
    GADPublisherToolbarCredentials().storeCredentials(stored);
    foundation::UserDefaults::resetStandardUserDefaults();  // as a new launch
    EXPECT_TRUE(GADPublisherToolbarCredentials::hasToolbarCredentials());
    GADPublisherToolbarCredentials afterRestart;
    EXPECT_EQ(afterRestart.credentials(), stored);

    afterRestart.clearCredentials();
    EXPECT_FALSE(afterRestart.credentials());
    foundation::UserDefaults::resetStandardUserDefaults();
    EXPECT_FALSE(GADPublisherToolbarCredentials::hasToolbarCredentials());

    // An empty dictionary still counts as stored credentials.
    GADPublisherToolbarCredentials().storeCredentials({});
    EXPECT_TRUE(GADPublisherToolbarCredentials::hasToolbarCredentials());
}

}  // namespace
