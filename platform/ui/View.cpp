#include "platform/ui/View.h"

#include <algorithm>

#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/TypeName.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace ui {

View::View(const graphics::Rect& frame) : layer_(std::make_shared<Layer>()) {
    auto r = frame.standardized();
    layer_->setBounds(graphics::Rect(0, 0, r.size.width, r.size.height));
    layer_->setPosition({r.midX(), r.midY()});
}

std::string View::className() const {
    return typeName(typeid(*this));
}

View::~View() {
    for (const auto& recognizer : recognizers_) {
        recognizer->setView(nullptr);
    }
}

graphics::Rect View::frame() const {
    return layer_->frame();
}

foundation::Value View::valueForKey(std::string_view key) const {
    if (key == "hidden") {
        return isHidden();
    }
    if (key == "alpha") {
        return alpha();
    }
    if (key == "center") {
        return graphics::toString(center());
    }
    if (key == "frame") {
        return graphics::toString(frame());
    }
    return {};
}

void View::setFrame(const graphics::Rect& frame) {
    auto old = layer_->bounds().size;
    willChangeValueForKey("frame");
    willChangeValueForKey("center");
    layer_->setFrame(frame);
    didChangeValueForKey("center");
    didChangeValueForKey("frame");
    if (!(layer_->bounds().size == old)) {
        autoresizeSubviews(old);
        setNeedsLayout();
    }
}

graphics::Rect View::bounds() const {
    return layer_->bounds();
}

void View::setBounds(const graphics::Rect& bounds) {
    auto old = layer_->bounds();
    willChangeValueForKey("frame");
    layer_->setBounds(bounds.standardized());
    didChangeValueForKey("frame");
    if (!(bounds.size == old.size)) {
        autoresizeSubviews(old.size);
        setNeedsLayout();
    } else if (!(bounds.origin == old.origin)) {
        setNeedsLayout();
    }
}

graphics::Point View::center() const {
    return layer_->position();
}

void View::setCenter(graphics::Point center) {
    willChangeValueForKey("frame");
    willChangeValueForKey("center");
    layer_->setPosition(center);
    didChangeValueForKey("center");
    didChangeValueForKey("frame");
}

graphics::AffineTransform View::transform() const {
    return layer_->transform().affine();
}

void View::setTransform(const graphics::AffineTransform& transform) {
    layer_->setTransform(Transform3D::makeAffine(transform));
}

double View::alpha() const {
    return layer_->opacity();
}

void View::setAlpha(double alpha) {
    willChangeValueForKey("alpha");
    layer_->setOpacity(alpha);
    didChangeValueForKey("alpha");
}

bool View::isHidden() const {
    return layer_->isHidden();
}

void View::setHidden(bool hidden) {
    willChangeValueForKey("hidden");
    layer_->setHidden(hidden);
    didChangeValueForKey("hidden");
}

std::optional<graphics::Color> View::backgroundColor() const {
    return layer_->backgroundColor();
}

void View::setBackgroundColor(std::optional<graphics::Color> color) {
    layer_->setBackgroundColor(color);
}

bool View::clipsToBounds() const {
    return layer_->masksToBounds();
}

void View::setClipsToBounds(bool clips) {
    layer_->setMasksToBounds(clips);
}

graphics::Color View::tintColor() const {
    if (tintColor_) {
        return *tintColor_;
    }
    if (auto parent = superview()) {
        return parent->tintColor();
    }
    return graphics::Color::rgb(0, 122.0 / 255.0, 1);
}

View::Ptr View::viewWithTag(int tag) {
    if (tag_ == tag) {
        return std::static_pointer_cast<View>(shared_from_this());
    }
    for (const auto& subview : subviews_) {
        if (auto found = subview->viewWithTag(tag)) {
            return found;
        }
    }
    return nullptr;
}

std::shared_ptr<Window> View::window() const {
    for (const View* view = this; view; view = view->superview_.lock().get()) {
        if (auto window = dynamic_cast<const Window*>(view)) {
            return std::static_pointer_cast<Window>(
                std::const_pointer_cast<Responder>(window->shared_from_this()));
        }
    }
    return nullptr;
}

const View* View::root() const {
    const View* view = this;
    while (auto parent = view->superview_.lock()) {
        view = parent.get();
    }
    return view;
}

bool View::isDescendantOfView(const View* view) const {
    for (const View* v = this; v; v = v->superview_.lock().get()) {
        if (v == view) {
            return true;
        }
    }
    return false;
}

void View::notifyWindowChange(Window* oldWindow, Window* newWindow, bool before) {
    if (oldWindow == newWindow) {
        return;
    }
    if (before) {
        willMoveToWindow(newWindow);
    } else {
        didMoveToWindow();
        if (auto controller = viewController()) {
            controller->viewMovedToWindow(newWindow);
        }
    }
    auto children = subviews_;
    for (const auto& subview : children) {
        subview->notifyWindowChange(oldWindow, newWindow, before);
    }
}

void View::insertSubview(const Ptr& view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOfView(view.get())) {
        return;
    }
    auto keep = view;
    if (view->superview_.lock().get() == this) {
        auto it = std::find(subviews_.begin(), subviews_.end(), view);
        auto current = static_cast<std::size_t>(it - subviews_.begin());
        subviews_.erase(it);
        if (index > current) {
            --index;
        }
        subviews_.insert(subviews_.begin() + static_cast<long>(std::min(index, subviews_.size())),
                         view);
        return;
    }
    auto oldWindow = view->window();
    auto newWindow = window();
    view->willMoveToSuperview(this);
    view->notifyWindowChange(oldWindow.get(), newWindow.get(), true);
    if (auto oldParent = view->superview_.lock()) {
        oldParent->willRemoveSubview(view.get());
        auto& list = oldParent->subviews_;
        list.erase(std::remove(list.begin(), list.end(), view), list.end());
    }
    subviews_.insert(subviews_.begin() + static_cast<long>(std::min(index, subviews_.size())),
                     view);
    view->superview_ = std::static_pointer_cast<View>(shared_from_this());
    view->notifyWindowChange(oldWindow.get(), newWindow.get(), false);
    view->didMoveToSuperview();
    didAddSubview(view.get());
    view->setNeedsLayout();
}

void View::addSubview(const Ptr& view) {
    insertSubview(view, subviews_.size());
}

void View::insertSubviewBelow(const Ptr& view, const Ptr& sibling) {
    auto it = std::find(subviews_.begin(), subviews_.end(), sibling);
    insertSubview(view, it == subviews_.end() ? subviews_.size()
                                              : static_cast<std::size_t>(it - subviews_.begin()));
}

void View::insertSubviewAbove(const Ptr& view, const Ptr& sibling) {
    auto it = std::find(subviews_.begin(), subviews_.end(), sibling);
    insertSubview(view, it == subviews_.end()
                            ? subviews_.size()
                            : static_cast<std::size_t>(it - subviews_.begin()) + 1);
}

void View::removeFromSuperview() {
    auto parent = superview_.lock();
    if (!parent) {
        return;
    }
    auto keep = std::static_pointer_cast<View>(shared_from_this());
    auto oldWindow = window();
    parent->willRemoveSubview(this);
    willMoveToSuperview(nullptr);
    notifyWindowChange(oldWindow.get(), nullptr, true);
    if (oldWindow) {
        endEditing(true);
    }
    auto& list = parent->subviews_;
    list.erase(std::remove(list.begin(), list.end(), keep), list.end());
    superview_.reset();
    notifyWindowChange(oldWindow.get(), nullptr, false);
    didMoveToSuperview();
}

void View::bringSubviewToFront(const Ptr& view) {
    auto it = std::find(subviews_.begin(), subviews_.end(), view);
    if (it != subviews_.end()) {
        subviews_.erase(it);
        subviews_.push_back(view);
    }
}

void View::sendSubviewToBack(const Ptr& view) {
    auto it = std::find(subviews_.begin(), subviews_.end(), view);
    if (it != subviews_.end()) {
        subviews_.erase(it);
        subviews_.insert(subviews_.begin(), view);
    }
}

void View::setNeedsLayout() {
    needsLayout_ = true;
    if (auto w = window()) {
        w->scheduleLayout();
    }
}

void View::layoutIfNeeded() {
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    auto children = subviews_;
    for (const auto& subview : children) {
        subview->layoutIfNeeded();
    }
}

void View::sizeToFit() {
    auto size = sizeThatFits(bounds().size);
    auto f = frame();
    setFrame(graphics::Rect(f.origin, size));
}

void View::autoresizeSubviews(graphics::Size oldSize) {
    if (!autoresizesSubviews_) {
        return;
    }
    auto newSize = bounds().size;
    auto children = subviews_;
    for (const auto& subview : children) {
        subview->autoresize(oldSize, newSize);
    }
}

namespace {

// Shares `delta` among the flexible parts of one axis in proportion to their
// current lengths (equally when they are all zero).
void distribute(double delta, bool flexLead, bool flexSize, bool flexTrail, double& lead,
                double& size, double trail) {
    double parts[3] = {flexLead ? lead : 0, flexSize ? size : 0, flexTrail ? trail : 0};
    int count = int(flexLead) + int(flexSize) + int(flexTrail);
    if (count == 0) {
        return;
    }
    double total = parts[0] + parts[1] + parts[2];
    auto share = [&](int i, bool flexible) {
        if (!flexible) {
            return 0.0;
        }
        return total > 0 ? delta * parts[i] / total : delta / count;
    };
    lead += share(0, flexLead);
    size += share(1, flexSize);
}

}  // namespace

void View::autoresize(graphics::Size oldSuper, graphics::Size newSuper) {
    if (autoresizingMask_ == Autoresizing::none) {
        return;
    }
    auto f = frame();
    double x = f.origin.x;
    double w = f.size.width;
    double y = f.origin.y;
    double h = f.size.height;
    int m = autoresizingMask_;
    distribute(newSuper.width - oldSuper.width, m & Autoresizing::flexibleLeftMargin,
               m & Autoresizing::flexibleWidth, m & Autoresizing::flexibleRightMargin, x, w,
               oldSuper.width - f.maxX());
    distribute(newSuper.height - oldSuper.height, m & Autoresizing::flexibleTopMargin,
               m & Autoresizing::flexibleHeight, m & Autoresizing::flexibleBottomMargin, y, h,
               oldSuper.height - f.maxY());
    setFrame(graphics::Rect(x, y, std::max(0.0, w), std::max(0.0, h)));
}

graphics::Point View::toSuperview(graphics::Point p) const {
    auto b = bounds();
    graphics::Point local{p.x - b.midX(), p.y - b.midY()};
    auto t = layer_->transform();
    if (!t.isIdentity()) {
        local = t.affine().apply(local);
    }
    auto c = center();
    return {local.x + c.x, local.y + c.y};
}

graphics::Point View::fromSuperview(graphics::Point p) const {
    auto c = center();
    graphics::Point local{p.x - c.x, p.y - c.y};
    auto t = layer_->transform();
    if (!t.isIdentity()) {
        local = t.affine().invert().apply(local);
    }
    auto b = bounds();
    return {local.x + b.midX(), local.y + b.midY()};
}

graphics::Point View::convertPointToView(graphics::Point point, const View* view) const {
    const View* top = root();
    for (const View* v = this; v != top; v = v->superview_.lock().get()) {
        if (v == view) {
            return point;
        }
        point = v->toSuperview(point);
    }
    if (view == nullptr || view == top) {
        return point;
    }
    return view->convertPointFromView(point, nullptr);
}

graphics::Point View::convertPointFromView(graphics::Point point, const View* view) const {
    if (view) {
        point = view->convertPointToView(point, nullptr);
    }
    std::vector<const View*> chain;
    const View* top = root();
    for (const View* v = this; v != top; v = v->superview_.lock().get()) {
        chain.push_back(v);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        point = (*it)->fromSuperview(point);
    }
    return point;
}

graphics::Rect View::convertRectToView(const graphics::Rect& rect, const View* view) const {
    auto r = rect.standardized();
    graphics::Point corners[4] = {
        r.origin, {r.maxX(), r.minY()}, {r.minX(), r.maxY()}, {r.maxX(), r.maxY()}};
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
        auto p = convertPointToView(corners[i], view);
        minX = i == 0 ? p.x : std::min(minX, p.x);
        minY = i == 0 ? p.y : std::min(minY, p.y);
        maxX = i == 0 ? p.x : std::max(maxX, p.x);
        maxY = i == 0 ? p.y : std::max(maxY, p.y);
    }
    return graphics::Rect(minX, minY, maxX - minX, maxY - minY);
}

graphics::Rect View::convertRectFromView(const graphics::Rect& rect, const View* view) const {
    auto r = rect.standardized();
    graphics::Point corners[4] = {
        r.origin, {r.maxX(), r.minY()}, {r.minX(), r.maxY()}, {r.maxX(), r.maxY()}};
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
        auto p = convertPointFromView(corners[i], view);
        minX = i == 0 ? p.x : std::min(minX, p.x);
        minY = i == 0 ? p.y : std::min(minY, p.y);
        maxX = i == 0 ? p.x : std::max(maxX, p.x);
        maxY = i == 0 ? p.y : std::max(maxY, p.y);
    }
    return graphics::Rect(minX, minY, maxX - minX, maxY - minY);
}

bool View::pointInside(graphics::Point point, const Event*) const {
    return bounds().contains(point);
}

View::Ptr View::snapshotViewAfterScreenUpdates(bool) const {
    auto snapshot = std::make_shared<ImageView>(graphics::Rect({}, bounds().size));
    snapshot->setImage(ScreenRenderer::render(*this, Screen::mainScreen().scale()));
    return snapshot;
}

View::Ptr View::hitTest(graphics::Point point, const Event* event) {
    if (isHidden() || !userInteractionEnabled_ || alpha() < 0.01 || !pointInside(point, event)) {
        return nullptr;
    }
    for (auto it = subviews_.rbegin(); it != subviews_.rend(); ++it) {
        auto local = (*it)->fromSuperview(point);
        if (auto hit = (*it)->hitTest(local, event)) {
            return hit;
        }
    }
    return std::static_pointer_cast<View>(shared_from_this());
}

void View::addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
    if (!recognizer ||
        std::find(recognizers_.begin(), recognizers_.end(), recognizer) != recognizers_.end()) {
        return;
    }
    if (auto old = recognizer->view()) {
        old->removeGestureRecognizer(recognizer);
    }
    recognizers_.push_back(recognizer);
    recognizer->setView(this);
}

void View::removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
    auto it = std::find(recognizers_.begin(), recognizers_.end(), recognizer);
    if (it != recognizers_.end()) {
        recognizers_.erase(it);
        recognizer->setView(nullptr);
    }
}

bool View::endEditing(bool force) {
    auto responder = Responder::firstResponder();
    auto view = std::dynamic_pointer_cast<View>(responder);
    if (!view || !view->isDescendantOfView(this)) {
        return true;
    }
    if (force) {
        view->resignFirstResponder();
        return !view->isFirstResponder();
    }
    return view->resignFirstResponder();
}

}  // namespace ui
