#pragma once

// A scrolling, optionally editable, multi-line text with a selection, insets
// and typing attributes. Typing is simulated at the selection; each accepted
// change tells the delegate and posts "UITextViewTextDidChangeNotification".

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/AttributedString.h"
#include "platform/ui/KeyboardTraits.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextViewDelegate.h"

namespace ui {

struct DataDetectorTypes {
    static constexpr unsigned none = 0;
    static constexpr unsigned phoneNumber = 1 << 0;
    static constexpr unsigned link = 1 << 1;
    static constexpr unsigned address = 1 << 2;
    static constexpr unsigned calendarEvent = 1 << 3;
    static constexpr unsigned all = 0xFFFFFFFF;
};

inline constexpr const char* TextViewTextDidBeginEditingNotification =
    "UITextViewTextDidBeginEditingNotification";
inline constexpr const char* TextViewTextDidChangeNotification =
    "UITextViewTextDidChangeNotification";
inline constexpr const char* TextViewTextDidEndEditingNotification =
    "UITextViewTextDidEndEditingNotification";

class TextView : public ScrollView {
  public:
    using Ptr = std::shared_ptr<TextView>;

    explicit TextView(const graphics::Rect& frame = {});

    std::string text() const;
    // Setting from code asks no delegate; the selection moves to the end.
    virtual void setText(std::string text);
    const std::optional<AttributedString>& attributedText() const { return attributedText_; }
    virtual void setAttributedText(std::optional<AttributedString> text);
    const Font& font() const { return font_; }
    virtual void setFont(const Font& font) { font_ = font; }
    const graphics::Color& textColor() const { return textColor_; }
    void setTextColor(const graphics::Color& color) { textColor_ = color; }
    TextAlignment textAlignment() const { return alignment_; }
    virtual void setTextAlignment(TextAlignment alignment) { alignment_ = alignment; }
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }
    unsigned dataDetectorTypes() const { return dataDetectorTypes_; }
    void setDataDetectorTypes(unsigned types) { dataDetectorTypes_ = types; }
    graphics::EdgeInsets textContainerInset() const { return textContainerInset_; }
    void setTextContainerInset(graphics::EdgeInsets insets) { textContainerInset_ = insets; }
    double lineFragmentPadding() const { return lineFragmentPadding_; }
    // Whether text is laid out in a text container (with its inset and line
    // padding); the older text views have none.
    bool hasTextContainer() const { return hasTextContainer_; }
    void setHasTextContainer(bool has) { hasTextContainer_ = has; }
    void setLineFragmentPadding(double padding) { lineFragmentPadding_ = padding; }
    const TextAttributes& typingAttributes() const { return typingAttributes_; }
    void setTypingAttributes(TextAttributes attributes) {
        typingAttributes_ = std::move(attributes);
    }
    TextRange selectedRange() const { return selectedRange_; }
    void setSelectedRange(TextRange range);
    KeyboardTraits& traits() { return traits_; }
    const View::Ptr& inputAccessoryView() const { return inputAccessoryView_; }
    void setInputAccessoryView(View::Ptr view) { inputAccessoryView_ = std::move(view); }

    std::shared_ptr<TextViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<TextViewDelegate>& delegate) { delegate_ = delegate; }

    bool canBecomeFirstResponder() const override { return editable_ || selectable_; }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;

    // Keyboard simulation (editable views only); answers whether the change was made.
    virtual bool insertText(const std::string& text);
    bool replaceCharacters(TextRange range, const std::string& replacement);
    bool deleteBackward();

    // The size the text needs at the view's width.
    graphics::Size sizeThatFits(graphics::Size size) const override;
    std::string outlineText() const override;
    bool outlinesSubviews() const override { return false; }

  private:
    std::string text_;
    std::optional<AttributedString> attributedText_;
    Font font_ = Font::systemFontOfSize(12);
    graphics::Color textColor_ = graphics::Color::blackColor();
    TextAlignment alignment_ = TextAlignment::natural;
    bool editable_ = true;
    bool selectable_ = true;
    unsigned dataDetectorTypes_ = DataDetectorTypes::none;
    graphics::EdgeInsets textContainerInset_{8, 0, 8, 0};
    double lineFragmentPadding_ = 5;
    bool hasTextContainer_ = true;
    TextAttributes typingAttributes_;
    TextRange selectedRange_;
    KeyboardTraits traits_;
    View::Ptr inputAccessoryView_;
    std::weak_ptr<TextViewDelegate> delegate_;
};

}  // namespace ui
