#include "platform/ui/Outline.h"

#include <sstream>

#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/PopoverController.h"
#include "platform/ui/Window.h"

namespace ui {

namespace {

void indentLines(std::ostringstream& out, const std::string& text, int depth) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << line << "\n";
    }
}

void walk(std::ostringstream& out, const View& view, int depth) {
    if (view.isHidden() || view.alpha() < 0.01) {
        return;
    }
    std::string text = view.outlineText();
    if (auto controller = view.viewController()) {
        if (auto alert = std::dynamic_pointer_cast<AlertController>(controller)) {
            text = alert->outlineText();
        } else if (auto sheet = std::dynamic_pointer_cast<ActivityViewController>(controller)) {
            text = sheet->outlineText();
        }
    }
    int childDepth = depth;
    if (!text.empty()) {
        indentLines(out, text, depth);
        childDepth = depth + 1;
    }
    if (!view.outlinesSubviews()) {
        return;
    }
    for (const auto& subview : view.subviews()) {
        walk(out, *subview, childDepth);
    }
}

}  // namespace

std::string Outline::describeView(const View& view) {
    std::ostringstream out;
    walk(out, view, 0);
    return out.str();
}

std::string Outline::describe(const Window& window) {
    std::ostringstream out;
    auto top = window.topViewController();
    out << "Screen";
    if (top) {
        out << " " << top->className();
        if (!top->title().empty()) {
            out << " \"" << top->title() << "\"";
        }
    }
    out << "\n";
    for (const auto& subview : window.subviews()) {
        walk(out, *subview, 1);
    }
    for (const auto& popover : PopoverController::visiblePopovers()) {
        out << "  [Popover]\n";
        if (auto content = popover->contentViewController(); content && content->isViewLoaded()) {
            walk(out, *content->view(), 2);
        }
    }
    for (const auto& alert : AlertCenter::shared().visibleAlerts()) {
        out << "  " << alert->outlineText() << "\n";
    }
    return out.str();
}

}  // namespace ui
