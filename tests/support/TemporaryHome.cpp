#include "tests/support/TemporaryHome.h"

#include <sys/xattr.h>

#include <cstdlib>
#include <fstream>
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

bool keepsExtendedAttributes(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::filesystem::path probe = folder / ".extended-attributes-probe";
    std::ofstream(probe).put('x');
    const bool kept = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    std::filesystem::remove(probe, ignored);
    return kept;
}

}  // namespace testing_support
