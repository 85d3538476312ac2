#pragma once

// The screen that edits a new calendar event before saving it in a store.
// Saving or cancelling is simulated; a delegate, when there is one, hears the
// outcome.

#include <memory>

#include "platform/services/Event.h"
#include "platform/services/EventStore.h"
#include "platform/ui/ViewController.h"

namespace services {

enum class EventEditViewAction { canceled = 0, saved = 1, deleted = 2 };

class EventEditViewController;

class EventEditViewDelegate {
  public:
    virtual ~EventEditViewDelegate() = default;
    virtual void eventEditViewControllerDidCompleteWithAction(EventEditViewController& controller,
                                                              EventEditViewAction action) = 0;
};

class EventEditViewController : public ui::ViewController {
  public:
    const std::shared_ptr<EventStore>& eventStore() const { return store_; }
    void setEventStore(std::shared_ptr<EventStore> store) { store_ = std::move(store); }
    Event& event() { return event_; }
    void setEvent(Event event) { event_ = std::move(event); }
    std::shared_ptr<EventEditViewDelegate> editViewDelegate() const { return delegate_.lock(); }
    void setEditViewDelegate(const std::weak_ptr<EventEditViewDelegate>& d) { delegate_ = d; }

    // Saves into the store; false when there is none or it refuses.
    bool save();
    void cancel();

  private:
    void complete(EventEditViewAction action);

    std::shared_ptr<EventStore> store_;
    Event event_;
    std::weak_ptr<EventEditViewDelegate> delegate_;
};

}  // namespace services
