#pragma once

// The readable name of a dynamic type ("History", "ui::Label" becomes
// "Label"), for outlines and log lines.

#include <string>
#include <typeinfo>

namespace ui {

std::string typeName(const std::type_info& type);

}  // namespace ui
