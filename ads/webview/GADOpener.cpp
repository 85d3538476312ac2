#include "ads/webview/GADOpener.h"

#include "platform/foundation/Log.h"
#include "platform/ui/Application.h"

bool GADOpener::openApp(const foundation::URL& url) {
    return ui::Application::shared().openURL(url.absoluteString());
}

bool GADOpener::openEmailComposer(const foundation::URL& url) {
    return openApp(url);
}

bool GADOpener::openSmsComposer(const foundation::URL& url) {
    return openApp(url);
}

bool GADOpener::openBrowserToURL(const foundation::URL& url, int) {
    return openApp(url);
}

void GADOpener::openPublisherToolbar(const std::optional<std::string>& adUnitID,
                                     const std::string& html) {
    foundation::Log::write("ads", "Publisher toolbar for ad unit " + adUnitID.value_or("(none)") +
                                      " over " + std::to_string(html.size()) +
                                      " bytes of ad HTML is not available");
}
