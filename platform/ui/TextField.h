#pragma once

// A one-line text input with a placeholder, a clear button and a delegate that
// is asked before editing begins and ends and before every change. Typing,
// deleting, clearing and the return key are simulated as the keyboard would
// send them; each accepted change sends editing changed and posts
// "UITextFieldTextDidChangeNotification".

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Control.h"
#include "platform/ui/Font.h"
#include "platform/ui/KeyboardTraits.h"
#include "platform/ui/LineBreakMode.h"
#include "platform/ui/TextFieldDelegate.h"

namespace ui {

enum class TextBorderStyle { none = 0, line = 1, bezel = 2, roundedRect = 3 };
enum class TextFieldViewMode { never = 0, whileEditing = 1, unlessEditing = 2, always = 3 };

inline constexpr const char* TextFieldTextDidBeginEditingNotification =
    "UITextFieldTextDidBeginEditingNotification";
inline constexpr const char* TextFieldTextDidChangeNotification =
    "UITextFieldTextDidChangeNotification";
inline constexpr const char* TextFieldTextDidEndEditingNotification =
    "UITextFieldTextDidEndEditingNotification";

class TextField : public Control {
  public:
    using Ptr = std::shared_ptr<TextField>;

    explicit TextField(const graphics::Rect& frame = {});

    const std::string& text() const { return text_; }
    // Setting from code asks no delegate and sends no action.
    void setText(std::string text) { text_ = std::move(text); }
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(std::string placeholder) { placeholder_ = std::move(placeholder); }
    const Font& font() const { return font_; }
    void setFont(const Font& font) { font_ = font; }
    const graphics::Color& textColor() const { return textColor_; }
    void setTextColor(const graphics::Color& color) { textColor_ = color; }
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment) { alignment_ = alignment; }
    TextBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(TextBorderStyle style) { borderStyle_ = style; }
    TextFieldViewMode clearButtonMode() const { return clearButtonMode_; }
    void setClearButtonMode(TextFieldViewMode mode) { clearButtonMode_ = mode; }
    bool clearsOnBeginEditing() const { return clearsOnBeginEditing_; }
    void setClearsOnBeginEditing(bool clears) { clearsOnBeginEditing_ = clears; }
    KeyboardTraits& traits() { return traits_; }
    const KeyboardTraits& traits() const { return traits_; }
    const View::Ptr& inputAccessoryView() const { return inputAccessoryView_; }
    void setInputAccessoryView(View::Ptr view) { inputAccessoryView_ = std::move(view); }
    const View::Ptr& leftView() const { return leftView_; }
    void setLeftView(View::Ptr view) { leftView_ = std::move(view); }
    const View::Ptr& rightView() const { return rightView_; }
    void setRightView(View::Ptr view) { rightView_ = std::move(view); }

    std::shared_ptr<TextFieldDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<TextFieldDelegate>& delegate) { delegate_ = delegate; }
    bool isEditing() const { return isFirstResponder(); }

    bool canBecomeFirstResponder() const override { return isEnabled(); }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    // Keyboard simulation; each needs the field to be editing (a tap starts
    // it) and answers whether the change was made.
    // Types `text` at the end, as one change the delegate may refuse.
    bool typeText(const std::string& text);
    // Replaces a UTF-16 range, as pasting over a selection does.
    bool replaceCharacters(TextRange range, const std::string& replacement);
    // Deletes the last character.
    bool deleteBackward();
    // The clear button.
    bool clear();
    // The return key: asks the delegate, then sends editing did end on exit.
    bool pressReturn();

    bool tap() override;
    std::string outlineText() const override;

  private:
    void changed();

    std::string text_;
    std::string placeholder_;
    Font font_ = Font::systemFontOfSize(17);
    graphics::Color textColor_ = graphics::Color::blackColor();
    TextAlignment alignment_ = TextAlignment::natural;
    TextBorderStyle borderStyle_ = TextBorderStyle::none;
    TextFieldViewMode clearButtonMode_ = TextFieldViewMode::never;
    bool clearsOnBeginEditing_ = false;
    KeyboardTraits traits_;
    View::Ptr inputAccessoryView_;
    View::Ptr leftView_;
    View::Ptr rightView_;
    std::weak_ptr<TextFieldDelegate> delegate_;
};

}  // namespace ui
