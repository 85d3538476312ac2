#include "ui/TUSafariActivity/TUSafariActivity.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/StringsTable.h"
#include "platform/ui/Application.h"

namespace {

constexpr const char* kTitleKey = "Open in Safari";

}  // namespace

std::string TUSafariActivity::activityTitle() const {
    std::string title = kTitleKey;
    const auto path = foundation::Bundle::main().pathForResource("TUSafariActivity", "strings",
                                                                 "TUSafariActivity.bundle");
    if (path) {
        const auto data = foundation::FileManager::defaultManager().contentsAtPath(*path);
        if (auto table = foundation::StringsTable::parse(data.value_or(foundation::Data{}))) {
            title = table->lookup(kTitleKey).value_or(title);
        }
    }
    return foundation::Bundle::main().localizedString(kTitleKey, title);
}

graphics::Image::Ptr TUSafariActivity::activityImage() const {
    return graphics::Image::imageNamed("TUSafariActivity.bundle/safari.png");
}

bool TUSafariActivity::canPerformWithActivityItems(const std::vector<ui::ActivityItem>& items) {
    for (const auto& item : items) {
        if (const auto* url = std::get_if<ui::ActivityURL>(&item)) {
            if (ui::Application::shared().canOpenURL(url->url)) {
                return true;
            }
        }
    }
    return false;
}

void TUSafariActivity::prepareWithActivityItems(const std::vector<ui::ActivityItem>& items) {
    for (const auto& item : items) {
        if (const auto* url = std::get_if<ui::ActivityURL>(&item)) {
            url_ = url->url;
        }
    }
}

void TUSafariActivity::performActivity() {
    const bool opened = url_ && ui::Application::shared().openURL(*url_);
    activityDidFinish(opened);
}
