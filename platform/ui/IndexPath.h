#pragma once

// Tables, their data sources and their delegates talk in the foundation's
// index paths (section and row).

#include "platform/foundation/IndexPath.h"

namespace ui {

using IndexPath = foundation::IndexPath;

}  // namespace ui
