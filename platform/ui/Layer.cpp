#include "platform/ui/Layer.h"

#include <algorithm>

#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"

namespace ui {

Layer::~Layer() {
    for (auto& running : animations_) {
        if (running.end) {
            running.end->invalidate();
        }
    }
}

graphics::Rect Layer::frame() const {
    double w = bounds_.size.width;
    double h = bounds_.size.height;
    graphics::Rect local(-anchorPoint_.x * w, -anchorPoint_.y * h, w, h);
    graphics::Rect moved = transform_.isIdentity() ? local : transform_.affine().apply(local);
    return moved.offsetBy(position_.x, position_.y);
}

void Layer::setFrame(const graphics::Rect& frame) {
    auto r = frame.standardized();
    position_ = {r.origin.x + anchorPoint_.x * r.size.width,
                 r.origin.y + anchorPoint_.y * r.size.height};
    if (transform_.isIdentity()) {
        bounds_.size = r.size;
    }
}

void Layer::addSublayer(const std::shared_ptr<Layer>& layer) {
    insertSublayer(layer, sublayers_.size());
}

void Layer::insertSublayer(const std::shared_ptr<Layer>& layer, std::size_t index) {
    if (!layer || layer.get() == this) {
        return;
    }
    auto keep = layer;
    layer->removeFromSuperlayer();
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + static_cast<long>(index), layer);
    layer->superlayer_ = weak_from_this();
}

void Layer::removeFromSuperlayer() {
    auto parent = superlayer_.lock();
    superlayer_.reset();
    if (!parent) {
        return;
    }
    auto& list = parent->sublayers_;
    list.erase(
        std::remove_if(list.begin(), list.end(), [this](const auto& l) { return l.get() == this; }),
        list.end());
}

void Layer::addAnimation(const Animation& animation, const std::string& key) {
    removeAnimationForKey(key);
    Running running{key, animation.copy(), foundation::Clock::monotonic() + animation.beginTime,
                    nullptr};
    std::weak_ptr<Layer> weak = weak_from_this();
    running.end = foundation::RunLoop::main().performAfter(animation.beginTime + animation.duration,
                                                           [weak, key] {
                                                               if (auto layer = weak.lock()) {
                                                                   layer->finish(key);
                                                               }
                                                           });
    animations_.push_back(std::move(running));
}

void Layer::finish(const std::string& key) {
    auto it = std::find_if(animations_.begin(), animations_.end(),
                           [&](const Running& r) { return r.key == key; });
    if (it == animations_.end()) {
        return;
    }
    auto animation = it->animation;
    if (animation->removedOnCompletion) {
        animations_.erase(it);
    } else {
        it->end.reset();
    }
    if (animation->didStop) {
        animation->didStop(true);
    }
}

std::shared_ptr<const Animation> Layer::animationForKey(const std::string& key) const {
    for (const auto& running : animations_) {
        if (running.key == key) {
            return running.animation;
        }
    }
    return nullptr;
}

std::vector<std::string> Layer::animationKeys() const {
    std::vector<std::string> keys;
    for (const auto& running : animations_) {
        keys.push_back(running.key);
    }
    return keys;
}

void Layer::removeAnimationForKey(const std::string& key) {
    auto it = std::find_if(animations_.begin(), animations_.end(),
                           [&](const Running& r) { return r.key == key; });
    if (it == animations_.end()) {
        return;
    }
    auto running = std::move(*it);
    animations_.erase(it);
    if (running.end && running.end->isValid()) {
        running.end->invalidate();
        if (running.animation->didStop) {
            auto didStop = running.animation->didStop;
            foundation::RunLoop::main().perform([didStop] { didStop(false); });
        }
    }
}

void Layer::removeAllAnimations() {
    for (const auto& key : animationKeys()) {
        removeAnimationForKey(key);
    }
}

void Layer::copyValuesTo(Layer& copy) const {
    copy.bounds_ = bounds_;
    copy.position_ = position_;
    copy.anchorPoint_ = anchorPoint_;
    copy.transform_ = transform_;
    copy.opacity_ = opacity_;
    copy.hidden_ = hidden_;
    copy.masksToBounds_ = masksToBounds_;
    copy.cornerRadius_ = cornerRadius_;
    copy.borderWidth_ = borderWidth_;
    copy.borderColor_ = borderColor_;
    copy.backgroundColor_ = backgroundColor_;
    copy.contentsScale_ = contentsScale_;
    copy.contents_ = contents_;
    copy.name_ = name_;
}

std::shared_ptr<Layer> Layer::presentationLayer() const {
    auto copy = std::make_shared<Layer>();
    copyValuesTo(*copy);
    AnimatedValues values{{"opacity", opacity_},
                          {"position", position_},
                          {"bounds", bounds_},
                          {"bounds.size", bounds_.size}};
    double now = foundation::Clock::monotonic();
    for (const auto& running : animations_) {
        bool over = now - running.start >= running.animation->duration;
        if (over && running.animation->removedOnCompletion && !running.end) {
            continue;
        }
        running.animation->apply(now - running.start, values);
    }
    copy->opacity_ = std::get<double>(values["opacity"]);
    copy->position_ = std::get<graphics::Point>(values["position"]);
    copy->bounds_ = std::get<graphics::Rect>(values["bounds"]);
    copy->bounds_.size = std::get<graphics::Size>(values["bounds.size"]) == bounds_.size
                             ? copy->bounds_.size
                             : std::get<graphics::Size>(values["bounds.size"]);
    return copy;
}

}  // namespace ui
