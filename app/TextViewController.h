#pragma once

// A bare screen whose view is a text view (the detail screen shows a code's
// whole data in it).

#include <memory>

#include "platform/ui/TextView.h"
#include "platform/ui/ViewController.h"

class TextViewController : public ui::ViewController {
  public:
    std::string className() const override { return "TextViewController"; }
    void loadView() override;
    std::shared_ptr<ui::TextView> textView();
    bool shouldAutorotateToInterfaceOrientation(
        ui::InterfaceOrientation orientation) const override;
};
