#include <gtest/gtest.h>

#include <memory>

#include "platform/foundation/ProcessState.h"
#include "platform/net/Curl.h"
#include "tests/support/TemporaryHome.h"

namespace {

// Gives every test its own application home and, when the test ends, puts
// the process-wide state back (see ProcessState) before the home goes.
class HomePerTest : public testing::EmptyTestEventListener {
  public:
    void OnTestStart(const testing::TestInfo&) override {
        home_ = std::make_unique<testing_support::TemporaryHome>();
    }
    void OnTestEnd(const testing::TestInfo&) override {
        foundation::ProcessState::resetAll();
        home_.reset();
    }

  private:
    std::unique_ptr<testing_support::TemporaryHome> home_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // libcurl reads the environment while it loads and initialises, and the
    // tests change the environment between tests (each test's home): load it
    // here, before any test starts a thread that would.
    net::Curl::functions();
    testing::UnitTest::GetInstance()->listeners().Append(new HomePerTest);
    return RUN_ALL_TESTS();
}
