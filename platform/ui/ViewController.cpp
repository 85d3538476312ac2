#include "platform/ui/ViewController.h"

#include <algorithm>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TransitionContext.h"
#include "platform/ui/TypeName.h"
#include "platform/ui/Window.h"

namespace ui {

ViewController::ViewController() = default;

std::string ViewController::className() const {
    return typeName(typeid(*this));
}

ViewController::~ViewController() = default;

View::Ptr ViewController::view() {
    if (!view_ && !loadingView_) {
        loadingView_ = true;
        loadView();
        if (!view_) {
            setView(std::make_shared<View>(Screen::mainScreen().bounds()));
        }
        loadingView_ = false;
        viewDidLoad();
    }
    return view_;
}

void ViewController::setView(const View::Ptr& view) {
    if (view_ == view) {
        return;
    }
    if (view_) {
        view_->setViewController({});
    }
    view_ = view;
    if (view_) {
        view_->setViewController(self());
    }
}

void ViewController::loadView() {
    auto v = std::make_shared<View>(Screen::mainScreen().applicationFrame());
    v->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleHeight);
    setView(v);
}

void ViewController::beginAppearanceTransition(bool appearing, bool animated) {
    if (appearing) {
        if (appearance_ == AppearanceState::appearing || appearance_ == AppearanceState::appeared) {
            return;
        }
        view();
        appearance_ = AppearanceState::appearing;
        appearanceAnimated_ = animated;
        viewWillAppear(animated);
    } else {
        if (appearance_ == AppearanceState::disappearing ||
            appearance_ == AppearanceState::disappeared) {
            return;
        }
        appearance_ = AppearanceState::disappearing;
        appearanceAnimated_ = animated;
        viewWillDisappear(animated);
    }
    for (const auto& child : appearanceChildren()) {
        child->beginAppearanceTransition(appearing, animated);
    }
}

void ViewController::endAppearanceTransition() {
    bool animated = appearanceAnimated_;
    bool appearing = appearance_ == AppearanceState::appearing;
    if (appearing) {
        appearance_ = AppearanceState::appeared;
    } else if (appearance_ == AppearanceState::disappearing) {
        appearance_ = AppearanceState::disappeared;
    } else {
        return;
    }
    if (withholdsEnds_) {
        heldEnds_.emplace_back(appearing, animated);
    } else if (appearing) {
        viewDidAppear(animated);
    } else {
        viewDidDisappear(animated);
    }
    for (const auto& child : appearanceChildren()) {
        child->endAppearanceTransition();
    }
}

void ViewController::setWithholdsAppearanceEnds(bool withholds) {
    withholdsEnds_ = withholds;
    if (withholds) {
        return;
    }
    auto held = std::move(heldEnds_);
    heldEnds_.clear();
    for (const auto& [appearing, animated] : held) {
        if (appearing) {
            viewDidAppear(animated);
        } else {
            viewDidDisappear(animated);
        }
    }
}

void ViewController::runAfterTransition(bool animated, Completion step) {
    foundation::RunLoop::main().performAfter(animated ? kTransitionDuration : 0, std::move(step));
}

void ViewController::setTitle(const std::string& title) {
    title_ = title;
    navigationItem().setTitle(title);
}

NavigationItem& ViewController::navigationItem() {
    return *navigationItemPtr();
}

const std::shared_ptr<NavigationItem>& ViewController::navigationItemPtr() {
    if (!navigationItem_) {
        navigationItem_ = std::make_shared<NavigationItem>(title_);
    }
    return navigationItem_;
}

void ViewController::setToolbarItems(std::vector<std::shared_ptr<BarButtonItem>> items,
                                     bool animated) {
    toolbarItems_ = std::move(items);
    if (auto nav = navigationController(); nav && nav->topViewController().get() == this) {
        nav->toolbar()->setItems(toolbarItems_, animated);
    }
}

void ViewController::addChildViewController(const Ptr& child) {
    if (!child || child.get() == this || child->parentViewController().get() == this) {
        return;
    }
    child->removeFromParentViewController();
    child->willMoveToParentViewController(this);
    children_.push_back(child);
    child->parent_ = self();
}

void ViewController::removeFromParentViewController() {
    auto parent = parent_.lock();
    if (!parent) {
        return;
    }
    auto keep = self();
    auto& list = parent->children_;
    list.erase(std::remove(list.begin(), list.end(), keep), list.end());
    parent_.reset();
    didMoveToParentViewController(nullptr);
}

std::shared_ptr<NavigationController> ViewController::navigationController() const {
    for (auto vc = parent_.lock(); vc; vc = vc->parent_.lock()) {
        if (auto nav = std::dynamic_pointer_cast<NavigationController>(vc)) {
            return nav;
        }
    }
    return nullptr;
}

ViewController::Ptr ViewController::rootOfContainment() {
    Ptr vc = self();
    while (auto parent = vc->parent_.lock()) {
        vc = parent;
    }
    return vc;
}

ViewController::Ptr ViewController::presentedViewController() const {
    if (presented_) {
        return presented_;
    }
    auto parent = parent_.lock();
    return parent ? parent->presentedViewController() : nullptr;
}

ViewController::Ptr ViewController::presentingViewController() const {
    if (auto presenter = presenting_.lock()) {
        return presenter;
    }
    auto parent = parent_.lock();
    return parent ? parent->presentingViewController() : nullptr;
}

void ViewController::presentViewController(const Ptr& controller, bool animated,
                                           Completion completion) {
    if (!controller) {
        return;
    }
    auto presenter = rootOfContainment();
    if (presenter->presented_) {
        foundation::Log::write("ui", "Warning: Attempt to present " + controller->className() +
                                         " on " + className() + " which is already presenting " +
                                         presenter->presented_->className());
        return;
    }
    auto window = presenter->isViewLoaded() ? presenter->view_->window() : nullptr;
    if (!window) {
        auto keyWindow = Application::shared().keyWindow();
        auto top = keyWindow ? keyWindow->topViewController() : nullptr;
        if (top && top->rootOfContainment() != presenter) {
            top->presentViewController(controller, animated, std::move(completion));
            return;
        }
    }
    if (!window || controller->parentViewController() || controller->presenting_.lock()) {
        foundation::Log::write("ui", "Warning: Attempt to present " + controller->className() +
                                         " on " + className() +
                                         " whose view is not in the window hierarchy");
        return;
    }
    presenter->presented_ = controller;
    controller->presenting_ = presenter;
    controller->beingPresented_ = true;
    bool covers = controller->presentationStyle_ != ModalPresentationStyle::overFullScreen &&
                  controller->presentationStyle_ != ModalPresentationStyle::overCurrentContext &&
                  controller->presentationStyle_ != ModalPresentationStyle::popover &&
                  controller->presentationStyle_ != ModalPresentationStyle::custom;
    if (covers) {
        presenter->beginAppearanceTransition(false, animated);
    }
    controller->beginAppearanceTransition(true, animated);
    auto presentedView = controller->view();
    presentedView->setFrame(window->bounds());
    presentedView->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleHeight);
    window->addSubview(presentedView);
    auto finish = [presenter, controller, covers, completion](bool completed) {
        controller->beingPresented_ = false;
        controller->transition_.reset();
        if (!completed) {
            // A cancelled presentation leaves things as they were.
            controller->beginAppearanceTransition(false, false);
            if (controller->view_) {
                controller->view_->removeFromSuperview();
            }
            presenter->presented_.reset();
            controller->presenting_.reset();
            controller->endAppearanceTransition();
            if (covers) {
                presenter->beginAppearanceTransition(true, false);
                presenter->endAppearanceTransition();
            }
            return;
        }
        controller->endAppearanceTransition();
        if (covers) {
            // A controller dismissed before its presentation ended leaves
            // the presenter on screen.
            if (presenter->presented_ == controller && !controller->beingDismissed_ &&
                presenter->view_) {
                presenter->view_->removeFromSuperview();
            }
            presenter->endAppearanceTransition();
        }
        if (completion) {
            completion();
        }
    };
    auto delegate = controller->transitioningDelegate();
    auto animator = delegate ? delegate->animationControllerForPresentedController(
                                   *controller, *presenter, *this)
                             : nullptr;
    if (animator) {
        auto interactive = delegate->interactionControllerForPresentation(*animator);
        controller->transition_ = std::make_shared<TransitionContext>(
            window, presenter, controller, animator, interactive != nullptr, finish);
        auto context = controller->transition_;
        if (interactive) {
            interactive->startInteractiveTransition(context);
        } else {
            animator->animateTransition(*context);
        }
        return;
    }
    runAfterTransition(animated, [finish] { finish(true); });
}

void ViewController::dismissViewController(bool animated, Completion completion) {
    auto root = rootOfContainment();
    Ptr presenter;
    if (root->presented_) {
        presenter = root;
    } else if (auto up = root->presenting_.lock()) {
        presenter = up;
    } else {
        return;
    }
    // Everything presented above the presenter goes; the topmost one animates.
    std::vector<Ptr> chain;
    for (auto p = presenter->presented_; p; p = p->presented_) {
        chain.push_back(p);
    }
    auto top = chain.back();
    for (const auto& p : chain) {
        p->beingDismissed_ = true;
    }
    auto window = top->isViewLoaded() ? top->view_->window() : nullptr;
    bool covered = presenter->appearance_ != AppearanceState::appeared;
    top->beginAppearanceTransition(false, animated);
    if (covered) {
        presenter->beginAppearanceTransition(true, animated);
    }
    bool reinserted = false;
    if (covered && window && presenter->view_ && !presenter->view_->superview()) {
        presenter->view_->setFrame(window->bounds());
        window->insertSubview(presenter->view_, 0);
        reinserted = true;
    }
    auto finish = [presenter, chain, top, covered, reinserted, completion](bool completed) {
        top->transition_.reset();
        if (!completed) {
            // A cancelled dismissal keeps the presented controller on screen.
            for (const auto& p : chain) {
                p->beingDismissed_ = false;
            }
            top->beginAppearanceTransition(true, false);
            if (covered) {
                presenter->beginAppearanceTransition(false, false);
            }
            if (reinserted && presenter->view_) {
                presenter->view_->removeFromSuperview();
            }
            top->endAppearanceTransition();
            if (covered) {
                presenter->endAppearanceTransition();
            }
            return;
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            auto& p = *it;
            if (p->view_) {
                p->view_->removeFromSuperview();
            }
            p->beingDismissed_ = false;
            p->presented_.reset();
            p->presenting_.reset();
        }
        presenter->presented_.reset();
        top->endAppearanceTransition();
        if (covered) {
            presenter->endAppearanceTransition();
        }
        if (completion) {
            completion();
        }
    };
    auto delegate = top->transitioningDelegate();
    auto animator = delegate ? delegate->animationControllerForDismissedController(*top) : nullptr;
    if (animator) {
        auto interactive = delegate->interactionControllerForDismissal(*animator);
        top->transition_ = std::make_shared<TransitionContext>(window, top, presenter, animator,
                                                               interactive != nullptr, finish);
        auto context = top->transition_;
        if (interactive) {
            interactive->startInteractiveTransition(context);
        } else {
            animator->animateTransition(*context);
        }
        return;
    }
    runAfterTransition(animated, [finish] { finish(true); });
}

int ViewController::supportedInterfaceOrientations() const {
    return Device::currentDevice().userInterfaceIdiom() == UserInterfaceIdiom::pad
               ? InterfaceOrientationMask::all
               : InterfaceOrientationMask::allButUpsideDown;
}

void ViewController::setEditing(bool editing, bool animated) {
    editing_ = editing;
    if (editButtonItem_) {
        editButtonItem_->setTitle(editing ? "Done" : "Edit");
        editButtonItem_->setStyle(editing ? BarButtonItemStyle::done
                                          : BarButtonItemStyle::bordered);
    }
}

std::shared_ptr<BarButtonItem> ViewController::editButtonItem() {
    if (!editButtonItem_) {
        editButtonItem_ = BarButtonItem::withTitle(
            editing_ ? "Done" : "Edit",
            editing_ ? BarButtonItemStyle::done : BarButtonItemStyle::bordered);
        std::weak_ptr<ViewController> weak = self();
        editButtonItem_->setAction([weak](BarButtonItem&) {
            if (auto vc = weak.lock()) {
                vc->setEditing(!vc->isEditing(), true);
            }
        });
    }
    return editButtonItem_;
}

void ViewController::viewMovedToWindow(Window* window) {
    if (parent_.lock() || presenting_.lock() || (window && window->isHidden())) {
        return;
    }
    if (window) {
        if (appearance_ != AppearanceState::disappeared) {
            return;
        }
        beginAppearanceTransition(true, false);
    } else {
        if (appearance_ != AppearanceState::appeared && appearance_ != AppearanceState::appearing) {
            return;
        }
        beginAppearanceTransition(false, false);
    }
    std::weak_ptr<ViewController> weak = self();
    runAfterTransition(false, [weak] {
        if (auto vc = weak.lock()) {
            vc->endAppearanceTransition();
        }
    });
}

}  // namespace ui
