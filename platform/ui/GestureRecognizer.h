#pragma once

// Turns touches on a view into a gesture with a state (possible, began,
// changed, ended, cancelled, failed) and actions sent on each change. The
// subclasses (tap, long press, pinch, pan, swipe) are driven by synthetic
// touches from TouchSimulator, as a finger would drive them.

#include <functional>
#include <memory>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/Event.h"
#include "platform/ui/Touch.h"

namespace ui {

class GestureRecognizer;
class View;

enum class GestureRecognizerState {
    possible = 0,
    began = 1,
    changed = 2,
    ended = 3,
    cancelled = 4,
    failed = 5
};
inline constexpr GestureRecognizerState GestureRecognizerStateRecognized =
    GestureRecognizerState::ended;

class GestureRecognizerDelegate {
  public:
    virtual ~GestureRecognizerDelegate() = default;
    virtual bool gestureRecognizerShouldBegin(GestureRecognizer& recognizer) { return true; }
    virtual bool shouldRecognizeSimultaneouslyWith(GestureRecognizer& recognizer,
                                                   GestureRecognizer& other) {
        return false;
    }
    virtual bool shouldReceiveTouch(GestureRecognizer& recognizer, const Touch& touch) {
        return true;
    }
};

class GestureRecognizer : public std::enable_shared_from_this<GestureRecognizer> {
  public:
    using Action = std::function<void(GestureRecognizer&)>;
    using Ptr = std::shared_ptr<GestureRecognizer>;

    explicit GestureRecognizer(Action action = nullptr);
    virtual ~GestureRecognizer() = default;

    // Targets; the token removes one again.
    int addTarget(Action action);
    void removeTarget(int token);

    GestureRecognizerState state() const { return state_; }
    bool isEnabled() const { return enabled_; }
    // Turning a recognizer off during its gesture cancels the gesture (the
    // targets hear of it) and resets it.
    void setEnabled(bool enabled);
    std::shared_ptr<View> view() const;
    void setView(View* view);
    std::shared_ptr<GestureRecognizerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GestureRecognizerDelegate>& delegate) {
        delegate_ = delegate;
    }
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }

    std::size_t numberOfTouches() const { return touches_.size(); }
    // Centroid of the touches, in `view`'s coordinates (window for nullptr).
    graphics::Point locationInView(const View* view) const;
    graphics::Point locationOfTouch(std::size_t index, const View* view) const;

    // Touch delivery, from TouchSimulator.
    virtual void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                              const Event& event);
    virtual void touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches,
                              const Event& event);
    virtual void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                              const Event& event);
    virtual void touchesCancelled(const std::vector<std::shared_ptr<Touch>>& touches,
                                  const Event& event);
    // Back to possible, forgetting the touches; subclasses clear their own state.
    virtual void reset();
    // Called when the last touch lifted: a recognizer that ended, failed or
    // was cancelled resets; one still possible fails first.
    void touchSequenceEnded();

  protected:
    // Moves to `state` and sends the actions for began, changed, ended and
    // cancelled. Beginning asks the delegate first; a refusal fails.
    void setState(GestureRecognizerState state);
    const std::vector<std::shared_ptr<Touch>>& touches() const { return touches_; }

  private:
    void sendActions();

    GestureRecognizerState state_ = GestureRecognizerState::possible;
    bool enabled_ = true;
    bool cancelsTouchesInView_ = true;
    std::weak_ptr<View> view_;
    std::weak_ptr<GestureRecognizerDelegate> delegate_;
    std::vector<std::pair<int, Action>> targets_;
    int nextToken_ = 1;
    std::vector<std::shared_ptr<Touch>> touches_;
};

}  // namespace ui
