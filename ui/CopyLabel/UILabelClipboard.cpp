#include "ui/CopyLabel/UILabelClipboard.h"

#include "platform/ui/Label.h"

namespace UILabelClipboard {

void load() {
    ui::Label::setAllLabelsCanBecomeFirstResponder(true);
}

}  // namespace UILabelClipboard
