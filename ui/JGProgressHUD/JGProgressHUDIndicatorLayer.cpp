#include "ui/JGProgressHUD/JGProgressHUDIndicatorLayer.h"

#include "platform/foundation/Clock.h"
#include "platform/graphics/ImageContext.h"
#include "platform/ui/Transaction.h"

namespace {

constexpr const char* kProgressKey = "progress";

// Keeps a context current while a layer draws, on every path out.
class CurrentContext {
  public:
    explicit CurrentContext(graphics::BitmapContext& context) { graphics::pushContext(&context); }
    ~CurrentContext() { graphics::popContext(); }
    CurrentContext(const CurrentContext&) = delete;
    CurrentContext& operator=(const CurrentContext&) = delete;
};

}  // namespace

void JGProgressHUDIndicatorLayer::setProgress(float progress) {
    const bool animates =
        !ui::Transaction::disableActions() && ui::Transaction::animationDuration() > 0;
    if (auto action = animates ? actionForKey(kProgressKey) : nullptr) {
        addAnimation(*action, kProgressKey);
        progressAnimationStart_ = foundation::Clock::monotonic();
    } else {
        removeAnimationForKey(kProgressKey);
    }
    progress_ = progress;
    changed(kProgressKey);
}

float JGProgressHUDIndicatorLayer::presentationProgress() const {
    auto animation = animationForKey(kProgressKey);
    if (!animation) {
        return progress_;
    }
    ui::AnimatedValues values{{kProgressKey, static_cast<double>(progress_)}};
    animation->apply(foundation::Clock::monotonic() - progressAnimationStart_, values);
    return static_cast<float>(std::get<double>(values[kProgressKey]));
}

std::shared_ptr<ui::BasicAnimation> JGProgressHUDIndicatorLayer::actionForKey(
    std::string_view key) const {
    if (key != kProgressKey) {
        return nullptr;
    }
    auto animation = std::make_shared<ui::BasicAnimation>(kProgressKey);
    animation->fromValue = static_cast<double>(presentationProgress());
    animation->timingFunction = ui::TimingFunction::easeInEaseOut;
    animation->duration = ui::Transaction::animationDuration();
    return animation;
}

void JGProgressHUDIndicatorLayer::drawInContext(graphics::BitmapContext& context) const {
    CurrentContext current(context);
    context.saveGState();
    draw(context);
    context.restoreGState();
}

void JGProgressHUDIndicatorLayer::changed(std::string_view key) {
    if (displaysKey(key)) {
        setNeedsDisplay();
    }
}
