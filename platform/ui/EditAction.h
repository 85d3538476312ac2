#pragma once

// The standard commands of the edit menu, in the order the menu shows them.

#include <string>

namespace ui {

enum class EditAction { cut, copy, paste, select, selectAll, remove };

inline constexpr EditAction kEditActions[] = {EditAction::cut,       EditAction::copy,
                                              EditAction::paste,     EditAction::select,
                                              EditAction::selectAll, EditAction::remove};

// The item's title in the menu ("Copy", ...).
std::string editActionTitle(EditAction action);

}  // namespace ui
