#pragma once

// The "QR Code" screen: the QR code of a text, made once when the view loads,
// shown in an image view and offered to the share sheet.

#include <memory>
#include <string>

#include "platform/ui/ImageView.h"
#include "platform/ui/ViewController.h"

class QRGenViewController : public ui::ViewController {
  public:
    QRGenViewController() = default;

    std::string className() const override { return "QRGenViewController"; }

    // The text to encode; set before the view loads (later changes are not drawn).
    const std::string& qrText() const { return qrText_; }
    void setQrText(std::string text) { qrText_ = std::move(text); }
    const ui::ImageView::Ptr& imageView() const { return imageView_; }
    void setImageView(ui::ImageView::Ptr imageView) { imageView_ = std::move(imageView); }

    // Hands the image shown (none when the code could not be made) to the
    // share sheet, pointing at the action item on a tablet.
    void action1();

    void loadView() override;
    void viewDidLoad() override;

  private:
    ui::ImageView::Ptr imageView_;
    std::string qrText_;
};
