#include "remote/MoreFromDeveloper/THMoreFromDeveloperCell.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/JSON.h"
#include "platform/graphics/Color.h"
#include "platform/net/URLConnection.h"
#include "platform/ui/Font.h"
#include "remote/MoreFromDeveloper/THMoreFromDeveloperModel.h"
#include "remote/WebImage/UIImageViewWebCache.h"

namespace {

constexpr double kLabelHeight = 20;
constexpr double kIconCornerRadius = 30;

std::optional<std::string> stringEntry(const foundation::Value& record, const char* key) {
    const auto* text = record.get(key).asString();
    return text ? std::optional(*text) : std::nullopt;
}

}  // namespace

THMoreFromDeveloperCell::Ptr THMoreFromDeveloperCell::make(const graphics::Rect& frame) {
    Ptr cell(new THMoreFromDeveloperCell(frame));
    cell->setupCell();
    return cell;
}

THMoreFromDeveloperCell::THMoreFromDeveloperCell(const graphics::Rect& frame)
    : ui::CollectionViewCell(frame),
      appNameIcon_(std::make_shared<ui::ImageView>(nullptr)),
      appNameLabel_(std::make_shared<ui::Label>()) {}

void THMoreFromDeveloperCell::setupCell() {
    const auto size = frame().size;
    setBackgroundColor(graphics::Color::clearColor());
    appNameIcon_->setFrame(graphics::Rect(0, 0, size.width, size.width));
    appNameIcon_->setClipsToBounds(true);
    appNameIcon_->layer().setCornerRadius(kIconCornerRadius);
    appNameLabel_->setFrame(
        graphics::Rect(0, size.height - kLabelHeight, size.width, kLabelHeight));
    appNameLabel_->setFont(ui::Font::systemFontOfSize(14));
    appNameLabel_->setLineBreakMode(ui::LineBreakMode::truncateMiddle);
    if (!appNameIcon_->superview()) {
        addSubview(appNameIcon_);
        addSubview(appNameLabel_);
    }
}

void THMoreFromDeveloperCell::setupWithAppId(const std::string& appId) {
    appNameLabel_->setText(foundation::Bundle::main().localizedString("Loading...", ""));
    std::weak_ptr<THMoreFromDeveloperCell> weak =
        std::static_pointer_cast<THMoreFromDeveloperCell>(shared_from_this());
    net::URLConnection::sendAsynchronousRequest(
        net::URLRequest::withString(
            THMoreFromDeveloperModel::lookupURL(appId, THLookupRequestType::app)),
        foundation::DispatchQueue::main(), [weak](const net::URLConnection::Result& result) {
            auto cell = weak.lock();
            if (!cell) {
                return;
            }
            std::optional<foundation::Value> answer;
            if (!result.error) {
                answer = foundation::JSON::parse(result.data);
            }
            if (answer && answer->isDictionary() && answer->contains("resultCount") &&
                answer->get("results").isArray() && answer->get("results").at(0).isDictionary()) {
                cell->showRecord(answer->get("results").at(0), "emptyIcon.png");
                return;
            }
            cell->appNameIcon_->setImage(graphics::Image::imageNamed("emptyIcon.png"));
            cell->appNameLabel_->setText(
                foundation::Bundle::main().localizedString("Unable to load", ""));
        });
}

void THMoreFromDeveloperCell::setupWithLookUpDictionary(const foundation::Value& record,
                                                        const std::string& placeholderImageName) {
    showRecord(record, placeholderImageName);
}

// Untrusted record: entries that are not text count as absent.
void THMoreFromDeveloperCell::showRecord(const foundation::Value& record,
                                         const std::string& placeholderImageName) {
    const auto artwork = stringEntry(record, "artworkUrl100");
    UIImageViewWebCache::sd_setImageWithURL(
        appNameIcon_, artwork ? foundation::URL::fromString(*artwork) : std::nullopt,
        graphics::Image::imageNamed(placeholderImageName));
    appNameLabel_->setText(stringEntry(record, "trackName").value_or(""));
}
