#include "platform/ui/Activity.h"

namespace ui {

void Activity::activityDidFinish(bool completed) {
    auto finish = std::move(finish_);
    finish_ = nullptr;
    if (finish) {
        finish(completed);
    }
}

}  // namespace ui
