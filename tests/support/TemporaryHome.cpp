#include "tests/support/TemporaryHome.h"

#include <cstdlib>
#include <random>
#include <string>
#include <system_error>

namespace testing_support {

TemporaryHome::TemporaryHome() {
    std::random_device random;
    auto base = std::filesystem::temp_directory_path();
    do {
        path_ = base / ("barcodes-test-" + std::to_string(random()));
    } while (std::filesystem::exists(path_));
    std::filesystem::create_directories(path_);
    setenv("BARCODES_HOME", path_.c_str(), 1);
}

TemporaryHome::~TemporaryHome() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    unsetenv("BARCODES_HOME");
}

}  // namespace testing_support
