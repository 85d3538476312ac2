#include "app/TextViewController.h"

void TextViewController::loadView() {
    setView(std::make_shared<ui::TextView>());
}

std::shared_ptr<ui::TextView> TextViewController::textView() {
    return std::dynamic_pointer_cast<ui::TextView>(view());
}

bool TextViewController::shouldAutorotateToInterfaceOrientation(
    ui::InterfaceOrientation orientation) const {
    return orientation != ui::InterfaceOrientation::portraitUpsideDown;
}
