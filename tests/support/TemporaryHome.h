#pragma once

#include <filesystem>

namespace testing_support {

// A fresh application home (Documents, Library, Caches, Application Support)
// under the system's temporary folder, published through BARCODES_HOME and
// removed with the object.
class TemporaryHome {
  public:
    TemporaryHome();
    ~TemporaryHome();
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Whether files in `folder` can carry user extended attributes (a tmpfs of
// an older kernel cannot): tests of marks kept in them skip where not.
bool keepsExtendedAttributes(const std::filesystem::path& folder);

}  // namespace testing_support
