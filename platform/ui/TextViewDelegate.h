#pragma once

// Asked and told by a text view as it is edited. Ranges are in UTF-16 units.

#include <string>

#include "platform/ui/TextFieldDelegate.h"

namespace ui {

class TextView;

class TextViewDelegate {
  public:
    virtual ~TextViewDelegate() = default;
    virtual bool textViewShouldBeginEditing(TextView& view) { return true; }
    virtual void textViewDidBeginEditing(TextView& view) {}
    virtual bool textViewShouldEndEditing(TextView& view) { return true; }
    virtual void textViewDidEndEditing(TextView& view) {}
    virtual bool shouldChangeTextInRange(TextView& view, TextRange range,
                                         const std::string& replacement) {
        return true;
    }
    virtual void textViewDidChange(TextView& view) {}
    virtual void textViewDidChangeSelection(TextView& view) {}
};

}  // namespace ui
