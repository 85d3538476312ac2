#include "results/OpenUrlAction.h"

#include <mutex>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/ProcessState.h"
#include "platform/ui/Application.h"

namespace {

void openWithPlatform(const std::optional<foundation::URL>& url) {
    if (url) {
        ui::Application::shared().openURL(url->absoluteString());
    }
}

OpenUrlAction::OpenURLHook& hook() {
    static auto* installed =
        foundation::ProcessState::withReset(new OpenUrlAction::OpenURLHook(openWithPlatform),
                                            [](auto& state) { state = openWithPlatform; });
    return *installed;
}

std::string absolute(const std::optional<foundation::URL>& url) {
    return url ? url->absoluteString() : std::string();
}

}  // namespace

std::shared_ptr<OpenUrlAction> OpenUrlAction::actionWithURL(std::optional<foundation::URL> URL) {
    return std::make_shared<OpenUrlAction>(std::move(URL));
}

std::string OpenUrlAction::title() const {
    return foundation::format(foundation::localizedString("OpenURLAction action title"),
                              absolute(URL_));
}

std::string OpenUrlAction::alertTitle() const {
    return foundation::localizedString("OpenURLAction alert title");
}

std::string OpenUrlAction::alertMessage() const {
    return foundation::format(foundation::localizedString("OpenURLAction alert message"),
                              absolute(URL_));
}

std::string OpenUrlAction::alertButtonTitle() const {
    return foundation::localizedString("OpenURLAction alert button title");
}

void OpenUrlAction::performActionWithController(
    const std::shared_ptr<ui::ViewController>& controller, bool shouldConfirm) {
    if (!shouldConfirm) {
        openURL();
        return;
    }
    // The alert holds its delegate weakly: whoever shows the result keeps the
    // action alive while the alert is up.
    std::weak_ptr<ui::AlertViewDelegate> delegate =
        std::static_pointer_cast<OpenUrlAction>(weak_from_this().lock());
    ui::AlertView::make("", alertMessage(), delegate,
                        foundation::localizedString("OpenURLAction cancel button title"),
                        {alertButtonTitle()})
        ->show();
}

void OpenUrlAction::openURL() const {
    hook()(URL_);
}

void OpenUrlAction::setOpenURLHook(OpenURLHook replacement) {
    hook() = replacement ? std::move(replacement) : OpenURLHook(openWithPlatform);
}

void OpenUrlAction::alertViewClickedButtonAtIndex(ui::AlertView& alertView, int buttonIndex) {
    if (buttonIndex != alertView.cancelButtonIndex()) {
        openURL();
    }
}
