// The opener's mail and text composers: "mailto:" and "sms:" links read into
// recipients, subject and body, shown once the screen presenting them has
// appeared.

#include <cstring>

#include "ads/foundation/GADURLAdditions.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADOpenerScreens.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/ui/Application.h"

namespace {

// The address part of a composer link and its query with lower-cased keys.
struct ComposerLink {
    std::string address;
    foundation::Dictionary parameters;

    // The link less its first prefixLength characters (the prefix itself is
    // not compared); the address ends at the first "?".
    ComposerLink(const foundation::URL& url, std::size_t prefixLength) {
        const std::string text = url.absoluteString();
        const std::string rest = text.size() > prefixLength ? text.substr(prefixLength) : "";
        const auto question = rest.find('?');
        address = rest.substr(0, question);
        if (question != std::string::npos) {
            parameters =
                GADNSURLUtilities::gad_dictionaryFromQueryParametersAndConvertKeysToLowercase(url,
                                                                                              true);
        }
    }

    const std::string* parameter(const char* key) const {
        const auto found = parameters.find(key);
        return found == parameters.end() ? nullptr : found->second.asString();
    }
};

}  // namespace

void GADOpener::openEmailComposer(const foundation::URL& url) {
    if (!shouldPerformOpenAction() || !checkStateWithParameter(true)) {
        return;
    }
    const ComposerLink link(url, std::strlen("mailto:"));
    if (auto composer = services::MailComposeViewController::make()) {
        composer->setMailComposeDelegate(weak_from_this());
        composer->setToRecipients({link.address});
        if (const auto* cc = link.parameter("cc")) {
            composer->setCcRecipients(foundation::components(*cc, ","));
        }
        if (const auto* bcc = link.parameter("bcc")) {
            composer->setBccRecipients(foundation::components(*bcc, ","));
        }
        if (const auto* subject = link.parameter("subject")) {
            composer->setSubject(*subject);
        }
        if (const auto* body = link.parameter("body")) {
            composer->setMessageBody(*body, false);
        }
        composer->setModalTransitionStyle(ui::ModalTransitionStyle::coverVertical);
        presentComposerController(composer);
    }
    didOpenExternalApp();
}

void GADOpener::openSmsComposer(const foundation::URL& url) {
    if (!shouldPerformOpenAction() || !checkStateWithParameter(true) ||
        !services::MessageComposeViewController::canSendText()) {
        return;
    }
    const ComposerLink link(url, std::strlen("sms:"));
    auto composer = std::make_shared<services::MessageComposeViewController>();
    composer->setMessageComposeDelegate(weak_from_this());
    composer->setRecipients(foundation::components(link.address, ","));
    if (const auto* body = link.parameter("body")) {
        composer->setBody(*body);
    }
    composer->setModalTransitionStyle(ui::ModalTransitionStyle::coverVertical);
    presentComposerController(composer);
    didOpenExternalApp();
}

void GADOpener::presentComposerController(const std::shared_ptr<ui::ViewController>& composer) {
    if (!shouldPerformOpenAction() || !composer) {
        return;
    }
    tryPresentingComposer(composer, 0);
}

void GADOpener::tryPresentingComposer(const std::shared_ptr<ui::ViewController>& composer,
                                      int retries) {
    const auto controller = viewController();
    if (!controller) {
        return;
    }
    const auto made = screens();
    if (!made || !made->isFullScreenAdController(*controller) || made->hasAppeared(*controller)) {
        controller->presentViewController(composer, true);
        auto& application = ui::Application::shared();
        if (application.isStatusBarHidden()) {
            application.setStatusBarHidden(true);
        }
        return;
    }
    if (retries == kComposerMaxRetries) {
        foundation::Log::write("ads",
                               "Gave up showing a composer over an ad screen that did not "
                               "appear");
        return;
    }
    std::weak_ptr<GADOpener> weakSelf = weak_from_this();
    foundation::RunLoop::main().performAfter(kComposerRetryInterval, [weakSelf, composer, retries] {
        if (auto self = weakSelf.lock()) {
            self->tryPresentingComposer(composer, retries + 1);
        }
    });
}

void GADOpener::mailComposeControllerDidFinish(services::MailComposeViewController&,
                                               services::MailComposeResult,
                                               const std::optional<foundation::Error>&) {
    dismissPresentedController();
}

void GADOpener::messageComposeViewControllerDidFinish(services::MessageComposeViewController&,
                                                      services::MessageComposeResult) {
    dismissPresentedController();
}
