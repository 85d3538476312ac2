#pragma once

// A small model for the store's tests: items in folders, tagged with tags.
//   Item: name (string, required), count (int16), when (date, indexed),
//         blob (binary), note (transient); folder (to-one, inverse Folder.items),
//         tags (to-many, no inverse)
//   Folder: title; items (to-many, inverse Item.folder)
//   Tag: label (string, required, must not be empty)

#include <filesystem>
#include <memory>

#include "platform/store/Context.h"

namespace store_test {

std::shared_ptr<store::Model> makeModel();

// A context on a coordinator opened on `path`; nullptr when opening fails.
std::shared_ptr<store::Context> openContext(const std::filesystem::path& path,
                                            foundation::Error* error = nullptr);

std::filesystem::path storePath();

}  // namespace store_test
