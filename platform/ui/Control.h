#pragma once

// A view that sends actions for control events (touch up inside, value
// changed, editing changed, ...) to its targets, with the enabled, selected and
// highlighted states. Synthetic touches drive it as a finger would; tap() is
// the short form of a touch that goes down and up inside.

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/View.h"

namespace ui {

struct ControlEvent {
    static constexpr unsigned touchDown = 1 << 0;
    static constexpr unsigned touchDownRepeat = 1 << 1;
    static constexpr unsigned touchDragInside = 1 << 2;
    static constexpr unsigned touchDragOutside = 1 << 3;
    static constexpr unsigned touchUpInside = 1 << 6;
    static constexpr unsigned touchUpOutside = 1 << 7;
    static constexpr unsigned touchCancel = 1 << 8;
    static constexpr unsigned valueChanged = 1 << 12;
    static constexpr unsigned editingDidBegin = 1 << 16;
    static constexpr unsigned editingChanged = 1 << 17;
    static constexpr unsigned editingDidEnd = 1 << 18;
    static constexpr unsigned editingDidEndOnExit = 1 << 19;
    static constexpr unsigned allTouchEvents = 0x0FFF;
    static constexpr unsigned allEvents = 0xFFFFFFFF;
};

struct ControlState {
    static constexpr unsigned normal = 0;
    static constexpr unsigned highlighted = 1 << 0;
    static constexpr unsigned disabled = 1 << 1;
    static constexpr unsigned selected = 1 << 2;
};

enum class ContentHorizontalAlignment { center = 0, left = 1, right = 2, fill = 3 };
enum class ContentVerticalAlignment { center = 0, top = 1, bottom = 2, fill = 3 };

class Control : public View {
  public:
    using Action = std::function<void(Control&)>;

    explicit Control(const graphics::Rect& frame = {}) : View(frame) {}

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected) { selected_ = selected; }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    unsigned state() const;
    ContentHorizontalAlignment contentHorizontalAlignment() const { return horizontal_; }
    void setContentHorizontalAlignment(ContentHorizontalAlignment a) { horizontal_ = a; }
    ContentVerticalAlignment contentVerticalAlignment() const { return vertical_; }
    void setContentVerticalAlignment(ContentVerticalAlignment a) { vertical_ = a; }

    // addTarget:action:forControlEvents: ; the token removes it again.
    int addTarget(unsigned events, Action action);
    void removeTarget(int token);
    void removeAllTargets() { targets_.clear(); }
    // Events that have targets.
    unsigned allControlEvents() const;
    // Runs the actions of every target registered for any of `events`.
    void sendActionsForControlEvents(unsigned events);

    // A finger going down and up inside: touch down, then touch up inside,
    // when the control is enabled, visible and interactive. Answers whether
    // the touch reached the control.
    virtual bool tap();

    void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesCancelled(const std::vector<std::shared_ptr<Touch>>& touches,
                          const Event& event) override;

  protected:
    // What a completed touch does beyond sending touch up inside (a switch
    // toggles here).
    virtual void didTapInside() {}

  private:
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    ContentHorizontalAlignment horizontal_ = ContentHorizontalAlignment::center;
    ContentVerticalAlignment vertical_ = ContentVerticalAlignment::center;
    struct Target {
        int token;
        unsigned events;
        Action action;
    };
    std::vector<Target> targets_;
    int nextToken_ = 1;
};

}  // namespace ui
