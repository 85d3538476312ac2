#include "platform/ui/NavigationController.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"

namespace ui {

namespace {

// The navigation controller's own view: lays out the bars and the top
// controller's view whenever it is laid out.
class NavigationView : public View {
  public:
    NavigationView(const graphics::Rect& frame, std::weak_ptr<NavigationController> owner)
        : View(frame), owner_(std::move(owner)) {}
    void layoutSubviews() override {
        if (auto nav = owner_.lock()) {
            nav->layoutBars();
        }
    }

  private:
    std::weak_ptr<NavigationController> owner_;
};

}  // namespace

NavigationController::Ptr NavigationController::withRootViewController(
    const ViewController::Ptr& root) {
    auto nav = std::make_shared<NavigationController>();
    if (root) {
        nav->setViewControllers({root});
    }
    return nav;
}

NavigationController::NavigationController()
    : navigationBar_(std::make_shared<NavigationBar>()), toolbar_(std::make_shared<Toolbar>()) {
    toolbar_->setHidden(true);
}

void NavigationController::loadView() {
    auto v = std::make_shared<NavigationView>(
        Screen::mainScreen().bounds(),
        std::static_pointer_cast<NavigationController>(shared_from_this()));
    v->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleHeight);
    setView(v);
    v->addSubview(navigationBar_);
    v->addSubview(toolbar_);
    if (auto top = topViewController()) {
        v->insertSubview(top->view(), 0);
    }
    layoutBars();
}

ViewController::Ptr NavigationController::visibleViewController() const {
    if (auto presented = presentedViewController()) {
        return presented;
    }
    return topViewController();
}

std::vector<ViewController::Ptr> NavigationController::appearanceChildren() const {
    if (auto top = topViewController()) {
        return {top};
    }
    return {};
}

bool NavigationController::shouldAutorotateToInterfaceOrientation(InterfaceOrientation o) const {
    auto top = topViewController();
    return top ? top->shouldAutorotateToInterfaceOrientation(o)
               : ViewController::shouldAutorotateToInterfaceOrientation(o);
}

int NavigationController::supportedInterfaceOrientations() const {
    auto top = topViewController();
    return top ? top->supportedInterfaceOrientations()
               : ViewController::supportedInterfaceOrientations();
}

bool NavigationController::isOnScreen() const {
    return appearanceState() == AppearanceState::appeared;
}

graphics::Rect NavigationController::contentFrame() const {
    auto b = const_cast<NavigationController*>(this)->view()->bounds();
    double top = 0;
    if (!navigationBarHidden_) {
        top = navigationBar_->frame().maxY();
    }
    double bottom = b.size.height;
    if (!toolbarHidden_) {
        bottom -= Toolbar::kHeight;
    }
    return graphics::Rect(0, top, b.size.width, std::max(0.0, bottom - top));
}

void NavigationController::layoutBars() {
    if (!isViewLoaded()) {
        return;
    }
    auto v = view();
    auto b = v->bounds();
    double statusBar = 0;
    if (!Application::shared().isStatusBarHidden()) {
        double y = v->window() ? v->convertPointToView({0, 0}, nullptr).y : 0;
        statusBar = std::max(0.0, Screen::kStatusBarHeight - y);
    }
    navigationBar_->setFrame(graphics::Rect(0, statusBar, b.size.width, NavigationBar::kHeight));
    navigationBar_->setHidden(navigationBarHidden_);
    toolbar_->setFrame(
        graphics::Rect(0, b.size.height - Toolbar::kHeight, b.size.width, Toolbar::kHeight));
    toolbar_->setHidden(toolbarHidden_);
    if (auto top = topViewController();
        top && top->isViewLoaded() && top->view()->superview() == v) {
        top->view()->setFrame(contentFrame());
    }
}

void NavigationController::syncBars(bool animated) {
    std::vector<std::shared_ptr<NavigationItem>> items;
    for (const auto& vc : stack_) {
        items.push_back(vc->navigationItemPtr());
    }
    navigationBar_->setItems(std::move(items), animated);
    auto top = topViewController();
    toolbar_->setItems(top ? top->toolbarItems() : std::vector<BarButtonItem::Ptr>{}, animated);
}

void NavigationController::transition(const ViewController::Ptr& outgoing,
                                      const ViewController::Ptr& incoming, bool animated) {
    syncBars(animated);
    auto d = delegate();
    if (d && incoming) {
        d->willShowViewController(*this, *incoming, animated);
    }
    bool onScreen = isOnScreen() && outgoing != incoming;
    if (isViewLoaded() && incoming && incoming != outgoing) {
        auto v = view();
        incoming->view()->setFrame(contentFrame());
        incoming->view()->setAutoresizingMask(Autoresizing::flexibleWidth |
                                              Autoresizing::flexibleHeight);
        v->insertSubviewBelow(incoming->view(), navigationBar_);
    }
    if (!onScreen) {
        if (outgoing && outgoing != incoming && outgoing->isViewLoaded()) {
            outgoing->view()->removeFromSuperview();
        }
        if (d && incoming) {
            d->didShowViewController(*this, *incoming, animated);
        }
        return;
    }
    if (outgoing) {
        outgoing->beginAppearanceTransition(false, animated);
    }
    if (incoming) {
        incoming->beginAppearanceTransition(true, animated);
    }
    auto self = std::static_pointer_cast<NavigationController>(shared_from_this());
    foundation::RunLoop::main().performAfter(
        animated ? kTransitionDuration : 0, [self, outgoing, incoming, animated] {
            if (outgoing && outgoing != self->topViewController() && outgoing->isViewLoaded() &&
                outgoing->view()->superview() == self->view()) {
                outgoing->view()->removeFromSuperview();
            }
            if (outgoing) {
                outgoing->endAppearanceTransition();
            }
            if (incoming) {
                incoming->endAppearanceTransition();
            }
            if (auto d = self->delegate(); d && incoming) {
                d->didShowViewController(*self, *incoming, animated);
            }
        });
}

void NavigationController::pushViewController(const ViewController::Ptr& controller,
                                              bool animated) {
    if (!controller || std::find(stack_.begin(), stack_.end(), controller) != stack_.end()) {
        return;
    }
    auto outgoing = topViewController();
    stack_.push_back(controller);
    addChildViewController(controller);
    transition(outgoing, controller, animated);
    controller->didMoveToParentViewController(this);
}

ViewController::Ptr NavigationController::popViewController(bool animated) {
    if (stack_.size() < 2) {
        return nullptr;
    }
    auto popped = stack_.back();
    stack_.pop_back();
    transition(popped, topViewController(), animated);
    popped->willMoveToParentViewController(nullptr);
    popped->removeFromParentViewController();
    return popped;
}

std::vector<ViewController::Ptr> NavigationController::popToViewController(
    const ViewController::Ptr& controller, bool animated) {
    auto it = std::find(stack_.begin(), stack_.end(), controller);
    if (it == stack_.end() || it + 1 == stack_.end()) {
        return {};
    }
    std::vector<ViewController::Ptr> popped(it + 1, stack_.end());
    auto outgoing = stack_.back();
    stack_.erase(it + 1, stack_.end());
    for (const auto& vc : popped) {
        if (vc != outgoing && vc->isViewLoaded()) {
            vc->view()->removeFromSuperview();
        }
    }
    transition(outgoing, topViewController(), animated);
    for (const auto& vc : popped) {
        vc->willMoveToParentViewController(nullptr);
        vc->removeFromParentViewController();
    }
    return popped;
}

std::vector<ViewController::Ptr> NavigationController::popToRootViewController(bool animated) {
    if (stack_.empty()) {
        return {};
    }
    return popToViewController(stack_.front(), animated);
}

void NavigationController::setViewControllers(std::vector<ViewController::Ptr> controllers,
                                              bool animated) {
    auto outgoing = topViewController();
    auto old = stack_;
    stack_.clear();
    for (const auto& vc : controllers) {
        if (vc && std::find(stack_.begin(), stack_.end(), vc) == stack_.end()) {
            stack_.push_back(vc);
        }
    }
    for (const auto& vc : old) {
        if (std::find(stack_.begin(), stack_.end(), vc) == stack_.end()) {
            if (vc != outgoing && vc->isViewLoaded()) {
                vc->view()->removeFromSuperview();
            }
        }
    }
    for (const auto& vc : stack_) {
        if (vc->parentViewController().get() != this) {
            addChildViewController(vc);
            vc->didMoveToParentViewController(this);
        }
    }
    transition(outgoing, topViewController(), animated);
    for (const auto& vc : old) {
        if (std::find(stack_.begin(), stack_.end(), vc) == stack_.end()) {
            vc->removeFromParentViewController();
        }
    }
}

void NavigationController::setNavigationBarHidden(bool hidden, bool) {
    navigationBarHidden_ = hidden;
    layoutBars();
}

void NavigationController::setToolbarHidden(bool hidden, bool) {
    toolbarHidden_ = hidden;
    layoutBars();
}

}  // namespace ui
