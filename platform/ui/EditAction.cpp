#include "platform/ui/EditAction.h"

namespace ui {

std::string editActionTitle(EditAction action) {
    switch (action) {
        case EditAction::cut:
            return "Cut";
        case EditAction::copy:
            return "Copy";
        case EditAction::paste:
            return "Paste";
        case EditAction::select:
            return "Select";
        case EditAction::selectAll:
            return "Select All";
        case EditAction::remove:
            return "Delete";
    }
    return "";
}

}  // namespace ui
