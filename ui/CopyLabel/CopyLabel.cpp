#include "ui/CopyLabel/CopyLabel.h"

#include "platform/ui/LongPressGestureRecognizer.h"
#include "platform/ui/MenuController.h"
#include "platform/ui/Pasteboard.h"

std::shared_ptr<CopyLabel> CopyLabel::make(const graphics::Rect& frame) {
    auto label = std::make_shared<CopyLabel>(frame);
    label->attachTapHandler();
    return label;
}

void CopyLabel::attachTapHandler() {
    setUserInteractionEnabled(true);
    // The label owns its recognizers: the action must not hold it strongly.
    auto recognizer = std::make_shared<ui::LongPressGestureRecognizer>(
        [this](ui::GestureRecognizer& gesture) { handleTap(gesture); });
    addGestureRecognizer(recognizer);
}

void CopyLabel::handleTap(ui::GestureRecognizer&) {
    becomeFirstResponder();
    auto& menu = ui::MenuController::shared();
    menu.setTargetRect(frame(), superview());
    menu.setMenuVisible(true, true);
}

bool CopyLabel::canPerformAction(ui::EditAction action) const {
    return action == ui::EditAction::copy;
}

void CopyLabel::performEditAction(ui::EditAction action) {
    if (action == ui::EditAction::copy) {
        copy();
    }
}

void CopyLabel::copy() {
    ui::Pasteboard::generalPasteboard().setString(text());
}
