#include "platform/ui/Window.h"

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"

namespace ui {

Window::Ptr Window::make() {
    return std::make_shared<Window>(Screen::mainScreen().bounds());
}

Window::Window(const graphics::Rect& frame) : View(frame) {
    View::setHidden(true);
}

void Window::setRootViewController(const ViewController::Ptr& controller) {
    if (root_ == controller) {
        return;
    }
    if (root_ && root_->isViewLoaded()) {
        root_->view()->removeFromSuperview();
    }
    root_ = controller;
    if (root_) {
        auto rootView = root_->view();
        rootView->setFrame(bounds());
        rootView->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleHeight);
        insertSubview(rootView, 0);
    }
}

void Window::makeKeyAndVisible() {
    makeKeyWindow();
    setHidden(false);
}

void Window::makeKeyWindow() {
    Application::shared().setKeyWindow(std::static_pointer_cast<Window>(shared_from_this()));
}

bool Window::isKeyWindow() const {
    return Application::shared().keyWindow().get() == this;
}

void Window::setHidden(bool hidden) {
    if (hidden == isHidden()) {
        return;
    }
    View::setHidden(hidden);
    Application::shared().registerWindow(std::static_pointer_cast<Window>(shared_from_this()));
    // Controllers whose views sit in the window appear and disappear with it.
    for (const auto& subview : subviews()) {
        if (auto controller = subview->viewController()) {
            controller->viewMovedToWindow(hidden ? nullptr : this);
        }
    }
}

ViewController::Ptr Window::frontController() const {
    auto vc = root_;
    while (vc && vc->presentedViewController()) {
        vc = vc->presentedViewController();
    }
    return vc;
}

ViewController::Ptr Window::topViewController() const {
    auto vc = frontController();
    while (auto nav = std::dynamic_pointer_cast<NavigationController>(vc)) {
        auto top = nav->topViewController();
        if (!top) {
            break;
        }
        vc = top;
    }
    return vc;
}

bool Window::rotateToInterfaceOrientation(InterfaceOrientation orientation, double duration) {
    auto top = frontController();
    if (!top) {
        return false;
    }
    auto from = top->interfaceOrientation();
    bool allowed =
        (top->supportedInterfaceOrientations() & InterfaceOrientationMask::of(orientation)) &&
        top->shouldAutorotate() && top->shouldAutorotateToInterfaceOrientation(orientation);
    if (!allowed || from == orientation) {
        return false;
    }
    std::vector<ViewController::Ptr> chain;
    for (auto vc = root_; vc; vc = vc->presentedViewController()) {
        chain.push_back(vc);
        for (const auto& child : vc->appearanceChildren()) {
            chain.push_back(child);
        }
        if (vc->presentedViewController() == vc) {
            break;
        }
    }
    for (const auto& vc : chain) {
        vc->willRotateToInterfaceOrientation(orientation, duration);
    }
    for (const auto& vc : chain) {
        vc->setInterfaceOrientation(orientation);
    }
    Application::shared().setStatusBarOrientation(orientation);
    auto size = Screen::mainScreen().bounds().size;
    bool wide = isLandscape(orientation);
    graphics::Rect turned(
        0, 0, wide ? std::max(size.width, size.height) : std::min(size.width, size.height),
        wide ? std::min(size.width, size.height) : std::max(size.width, size.height));
    for (const auto& subview : subviews()) {
        if (subview->viewController()) {
            subview->setFrame(turned);
        }
    }
    for (const auto& vc : chain) {
        vc->willAnimateRotationToInterfaceOrientation(orientation, duration);
    }
    foundation::RunLoop::main().performAfter(duration, [chain, from] {
        for (const auto& vc : chain) {
            vc->didRotateFromInterfaceOrientation(from);
        }
    });
    return true;
}

void Window::scheduleLayout() {
    if (layoutScheduled_) {
        return;
    }
    layoutScheduled_ = true;
    std::weak_ptr<Responder> weak = weak_from_this();
    foundation::RunLoop::main().perform([weak] {
        if (auto self = std::static_pointer_cast<Window>(weak.lock())) {
            self->layoutScheduled_ = false;
            self->layoutIfNeeded();
        }
    });
}

graphics::Rect Window::convertRectToScreen(const graphics::Rect& rect) const {
    auto f = frame();
    return rect.offsetBy(f.origin.x, f.origin.y);
}

graphics::Rect Window::convertRectFromScreen(const graphics::Rect& rect) const {
    auto f = frame();
    return rect.offsetBy(-f.origin.x, -f.origin.y);
}

}  // namespace ui
