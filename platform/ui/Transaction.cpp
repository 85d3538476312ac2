#include "platform/ui/Transaction.h"

namespace ui {

std::vector<Transaction::Settings>& Transaction::stack() {
    static std::vector<Settings> settings;
    return settings;
}

Transaction::Settings& Transaction::top() {
    static Settings outside;
    return stack().empty() ? outside : stack().back();
}

void Transaction::begin() {
    stack().push_back(stack().empty() ? Settings{} : stack().back());
}

void Transaction::commit() {
    if (!stack().empty()) {
        stack().pop_back();
    }
}

int Transaction::depth() {
    return static_cast<int>(stack().size());
}

bool Transaction::disableActions() {
    return top().disableActions;
}

void Transaction::setDisableActions(bool disable) {
    top().disableActions = disable;
}

double Transaction::animationDuration() {
    return top().duration;
}

void Transaction::setAnimationDuration(double duration) {
    top().duration = duration;
}

TimingFunction Transaction::animationTimingFunction() {
    return top().timing;
}

void Transaction::setAnimationTimingFunction(TimingFunction function) {
    top().timing = function;
}

}  // namespace ui
