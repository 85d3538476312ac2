#include "remote/OtherApps/RIROtherAppsViewController.h"

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/JSON.h"
#include "platform/graphics/Image.h"
#include "platform/net/URLConnection.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Application.h"
#include "remote/WebImage/UIImageViewWebCache.h"

namespace {

constexpr const char* kCellIdentifier = "CellIdentifier";

// A string entry of an untrusted record; anything else counts as absent.
std::optional<std::string> stringEntry(const foundation::Value& record, const char* key) {
    const auto* text = record.get(key).asString();
    return text ? std::optional(*text) : std::nullopt;
}

}  // namespace

RIROtherAppsViewController::RIROtherAppsViewController(ui::TableViewStyle)
    : ui::TableViewController(ui::TableViewStyle::grouped) {}

std::string RIROtherAppsViewController::displayName(const std::string& trackName) {
    return trackName.substr(0, trackName.find('-'));
}

void RIROtherAppsViewController::viewDidLoad() {
    ui::TableViewController::viewDidLoad();
    setTitle("Our Apps");
    apps_.clear();
    std::weak_ptr<RIROtherAppsViewController> weak =
        std::static_pointer_cast<RIROtherAppsViewController>(shared_from_this());
    net::URLConnection::sendAsynchronousRequest(net::URLRequest::withString(developerURL_),
                                                foundation::DispatchQueue::main(),
                                                [weak](const net::URLConnection::Result& result) {
                                                    if (auto screen = weak.lock()) {
                                                        if (!result.error) {
                                                            screen->takeAnswer(result.data);
                                                        }
                                                    }
                                                });
}

// Untrusted JSON: only an object with an array of objects under "results"
// is read, and only records whose "trackName" is a string are listed.
void RIROtherAppsViewController::takeAnswer(const foundation::Data& data) {
    const auto answer = foundation::JSON::parse(data);
    if (!answer || !answer->isDictionary() || !answer->get("results").isArray()) {
        return;
    }
    const auto& results = answer->get("results");
    for (std::size_t i = 0; i < results.count(); ++i) {
        const auto& record = results.at(i);
        if (record.isDictionary() && stringEntry(record, "trackName")) {
            apps_.push_back(record);
        }
    }
    tableView()->reloadData();
}

int RIROtherAppsViewController::numberOfRowsInSection(ui::TableView&, int) {
    return apps_.empty() ? 1 : static_cast<int>(apps_.size());
}

ui::TableViewCell::Ptr RIROtherAppsViewController::cellForRowAtIndexPath(ui::TableView&,
                                                                         ui::IndexPath indexPath) {
    auto cell =
        std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::subtitle, kCellIdentifier);
    if (apps_.empty()) {
        cell->textLabel()->setText("Loading");
        auto indicator =
            std::make_shared<ui::ActivityIndicatorView>(ui::ActivityIndicatorViewStyle::gray);
        indicator->startAnimating();
        cell->setAccessoryView(indicator);
        return cell;
    }
    const auto& app = apps_.at(static_cast<std::size_t>(indexPath.row));
    cell->textLabel()->setText(displayName(stringEntry(app, "trackName").value_or("")));
    // A record without a price shows an empty detail line.
    cell->detailTextLabel()->setText(stringEntry(app, "formattedPrice").value_or(""));
    const auto icon = stringEntry(app, "artworkUrl60");
    UIImageViewWebCache::sd_setImageWithURL(
        cell->imageView(), icon ? foundation::URL::fromString(*icon) : std::nullopt,
        graphics::Image::imageNamed("placeholder.png"));
    return cell;
}

void RIROtherAppsViewController::didSelectRowAtIndexPath(ui::TableView& table,
                                                         ui::IndexPath indexPath) {
    table.deselectRowAtIndexPath(indexPath, true);
    if (apps_.empty()) {
        return;
    }
    const auto& app = apps_.at(static_cast<std::size_t>(indexPath.row));
    if (const auto store = stringEntry(app, "trackViewUrl")) {
        if (foundation::URL::fromString(*store)) {
            ui::Application::shared().openURL(*store);
        }
    }
}
