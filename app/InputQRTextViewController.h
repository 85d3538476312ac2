#pragma once

// The "QR Text" screen: a bordered multi-line text view with a keyboard bar
// whose "Hide" item closes the keyboard, and a button that opens the QR code
// screen for the typed text (an empty text gets a hint instead).

#include <memory>
#include <string>

#include "platform/ui/Button.h"
#include "platform/ui/TextView.h"
#include "platform/ui/TextViewDelegate.h"
#include "platform/ui/ViewController.h"

class InputQRTextViewController : public ui::ViewController, public ui::TextViewDelegate {
  public:
    // The generate button's title.
    static constexpr const char* kGenerateTitle = "Generate QR Code";

    InputQRTextViewController() = default;

    std::string className() const override { return "InputQRTextViewController"; }

    // Makes this the QR creator the scanner's menu opens (unless one is set already).
    static void registerScreen();

    const ui::TextView::Ptr& textView() const { return textView_; }
    void setTextView(ui::TextView::Ptr textView) { textView_ = std::move(textView); }
    const ui::View::Ptr& view2() const { return view2_; }
    void setView2(ui::View::Ptr view) { view2_ = std::move(view); }
    const ui::Button::Ptr& generateButton() const { return generateButton_; }

    // The "Hint" alert for an empty text; otherwise the keyboard closes and
    // the QR code screen for the text is pushed.
    void doGenerateQR();
    // The keyboard bar's "Hide": the text view gives up the keyboard.
    void DoneClick();

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // Every edit is taken, line breaks included.
    bool shouldChangeTextInRange(ui::TextView& view, ui::TextRange range,
                                 const std::string& replacement) override {
        return true;
    }

  private:
    ui::TextView::Ptr textView_;
    ui::View::Ptr view2_;
    ui::Button::Ptr generateButton_;
};
