#pragma once

// Asked and told by a text field as it is edited. Ranges are in UTF-16 units.

#include <cstddef>
#include <string>

namespace ui {

class TextField;

struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;

    friend bool operator==(const TextRange&, const TextRange&) = default;
};

class TextFieldDelegate {
  public:
    virtual ~TextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(TextField& field) { return true; }
    virtual void textFieldDidBeginEditing(TextField& field) {}
    virtual bool textFieldShouldEndEditing(TextField& field) { return true; }
    virtual void textFieldDidEndEditing(TextField& field) {}
    virtual bool shouldChangeCharactersInRange(TextField& field, TextRange range,
                                               const std::string& replacement) {
        return true;
    }
    virtual bool textFieldShouldClear(TextField& field) { return true; }
    virtual bool textFieldShouldReturn(TextField& field) { return true; }
};

}  // namespace ui
