#include "ads/webview/GADMRAIDCalendarProperties.h"

#include "platform/foundation/DateFormatter.h"

namespace {

std::optional<foundation::Date> dateFromText(const foundation::Value& value) {
    static const foundation::DateFormatter* const formatter = [] {
        auto* made = new foundation::DateFormatter();
        made->setLocale("en_US_POSIX");
        made->setDateFormat("yyyy-MM-dd'T'HH:mm:ssZZZZZ");
        return made;
    }();
    const std::string* text = value.asString();
    return text ? formatter->dateFromString(*text) : std::nullopt;
}

}  // namespace

std::shared_ptr<GADMRAIDCalendarProperties> GADMRAIDCalendarProperties::make(
    const foundation::Dictionary& dictionary) {
    for (const char* key : {"start", "end", "summary", "description", "location"}) {
        if (dictionary.find(key) == dictionary.end()) {
            return nullptr;
        }
    }
    const foundation::Value values(dictionary);
    auto properties = std::make_shared<GADMRAIDCalendarProperties>();
    properties->startTime_ = dateFromText(values["start"]);
    properties->endTime_ = dateFromText(values["end"]);
    properties->summary_ = values["summary"].stringValue();
    properties->eventDescription_ = values["description"].stringValue();
    properties->location_ = values["location"].stringValue();
    return properties;
}
