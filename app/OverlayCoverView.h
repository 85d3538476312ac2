#pragma once

// The scanner's cover: the layer over the camera that carries the photo-album,
// history, light and menu buttons, and a small figure (tag 999) that turns and
// pulses on a 0.01 s timer while the scanner shows. A view tagged 1001 marks
// where the screen-capture demonstration puts its mask picture.

#include <cstdint>
#include <memory>

#include "platform/foundation/Timer.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"

class OverlayCoverView : public ui::View {
  public:
    using Ptr = std::shared_ptr<OverlayCoverView>;

    static constexpr int kFigureTag = 999;
    static constexpr int kMaskPlaceTag = 1001;
    // The animation's step, single precision as the timer is set up.
    static constexpr float kStepInterval = 0.01f;
    static constexpr int kStepsPerTurn = 200;

    // loadNibNamed:"OverlayCoverView" : the cover with its buttons, pictures,
    // label and tagged views laid out for the main screen, its outlets
    // connected and awakeFromNib sent.
    static Ptr loadFromNib();

    explicit OverlayCoverView(const graphics::Rect& frame);
    // Stops the animation.
    ~OverlayCoverView() override;

    std::string className() const override { return "OverlayCoverView"; }

    // Template icons, hidden pictures and label, and the animation started.
    void awakeFromNib();
    // Starts the repeating step timer and takes one step at once; nothing
    // during the screen-capture demonstration.
    void start();
    // Ends the timer.
    void stop();
    // One step: the figure turns by theta * pi/100 and is scaled by
    // |cos| + 0.5 of that angle; theta moves on modulo 200.
    void move();

    // Outlets: the views are owned by the cover's hierarchy.
    ui::Button::Ptr btnHistory() const { return btnHistory_.lock(); }
    void setBtnHistory(const ui::Button::Ptr& button) { btnHistory_ = button; }
    ui::Button::Ptr btnLight() const { return btnLight_.lock(); }
    void setBtnLight(const ui::Button::Ptr& button) { btnLight_ = button; }
    ui::Button::Ptr btnMenu() const { return btnMenu_.lock(); }
    void setBtnMenu(const ui::Button::Ptr& button) { btnMenu_ = button; }
    ui::Button::Ptr btnAlbum() const { return btnAlbum_.lock(); }
    void setBtnAlbum(const ui::Button::Ptr& button) { btnAlbum_ = button; }
    ui::ImageView::Ptr imageMask() const { return imageMask_.lock(); }
    void setImageMask(const ui::ImageView::Ptr& view) { imageMask_ = view; }
    ui::ImageView::Ptr imageSS() const { return imageSS_.lock(); }
    void setImageSS(const ui::ImageView::Ptr& view) { imageSS_ = view; }
    ui::Label::Ptr labelScanning() const { return labelScanning_.lock(); }
    void setLabelScanning(const ui::Label::Ptr& label) { labelScanning_ = label; }

    const std::shared_ptr<foundation::Timer>& timer() const { return timer_; }
    std::int32_t theta() const { return theta_; }

  private:
    std::weak_ptr<ui::Button> btnHistory_;
    std::weak_ptr<ui::Button> btnLight_;
    std::weak_ptr<ui::Button> btnMenu_;
    std::weak_ptr<ui::Button> btnAlbum_;
    std::weak_ptr<ui::ImageView> imageMask_;
    std::weak_ptr<ui::ImageView> imageSS_;
    std::weak_ptr<ui::Label> labelScanning_;
    std::shared_ptr<foundation::Timer> timer_;
    std::int32_t theta_ = 0;
};
