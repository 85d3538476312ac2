#include "platform/ui/BasicAnimation.h"

namespace ui {

namespace {

double mix(double a, double b, double p) {
    return a + (b - a) * p;
}

AnimatedValue interpolate(const AnimatedValue& from, const AnimatedValue& to, double p) {
    if (from.index() != to.index()) {
        return p < 1 ? from : to;
    }
    if (auto a = std::get_if<double>(&from)) {
        return mix(*a, std::get<double>(to), p);
    }
    if (auto a = std::get_if<graphics::Point>(&from)) {
        auto b = std::get<graphics::Point>(to);
        return graphics::Point{mix(a->x, b.x, p), mix(a->y, b.y, p)};
    }
    if (auto a = std::get_if<graphics::Size>(&from)) {
        auto b = std::get<graphics::Size>(to);
        return graphics::Size{mix(a->width, b.width, p), mix(a->height, b.height, p)};
    }
    auto a = std::get<graphics::Rect>(from);
    auto b = std::get<graphics::Rect>(to);
    return graphics::Rect(mix(a.origin.x, b.origin.x, p), mix(a.origin.y, b.origin.y, p),
                          mix(a.size.width, b.size.width, p), mix(a.size.height, b.size.height, p));
}

}  // namespace

void BasicAnimation::apply(double t, AnimatedValues& values) const {
    auto model = values.find(keyPath);
    if (model == values.end()) {
        return;
    }
    AnimatedValue from = fromValue.value_or(model->second);
    AnimatedValue to = toValue.value_or(model->second);
    bool fillsBefore = fillMode == FillMode::backwards || fillMode == FillMode::both;
    bool fillsAfter = fillMode == FillMode::forwards || fillMode == FillMode::both;
    if (t < 0) {
        if (fillsBefore) {
            model->second = from;
        }
        return;
    }
    if (t >= duration) {
        if (fillsAfter) {
            model->second = to;
        }
        return;
    }
    model->second = interpolate(from, to, timed(timingFunction, duration > 0 ? t / duration : 1));
}

}  // namespace ui
