#include "ads/foundation/GADHeaderParser.h"

#include <array>
#include <memory>
#include <string>

#include "platform/foundation/DateFormatter.h"
#include "platform/foundation/StringUtilities.h"

namespace {

using Formatters = std::array<std::unique_ptr<foundation::DateFormatter>, 3>;

const Formatters& httpDateFormatters() {
    static const Formatters* const formatters = [] {
        auto* made = new Formatters();
        const char* const patterns[] = {"EEE, dd MMM yyyy HH:mm:ss z", "EEE MMM d HH:mm:ss yyyy",
                                        "EEEE, dd-MMM-yy HH:mm:ss z"};
        for (std::size_t i = 0; i < made->size(); ++i) {
            (*made)[i] = std::make_unique<foundation::DateFormatter>();
            (*made)[i]->setLocale("en_US");
            (*made)[i]->setTimeZone("GMT");
            (*made)[i]->setDateFormat(patterns[i]);
        }
        return made;
    }();
    return *formatters;
}

}  // namespace

namespace GADHeaderParser {

std::optional<foundation::Date> gad_dateFromHttpDateString(std::string_view text) {
    for (const auto& formatter : httpDateFormatters()) {
        if (auto date = formatter->dateFromString(text)) {
            return date;
        }
    }
    return std::nullopt;
}

std::optional<foundation::Date> gad_expirationDate(const net::URLResponse& response) {
    if (response.valueForHTTPHeaderField("Pragma") == "no-cache") {
        return std::nullopt;
    }
    const foundation::Date now = foundation::Date::now();
    std::optional<foundation::Date> base = now;
    if (auto date = response.valueForHTTPHeaderField("Date")) {
        base = gad_dateFromHttpDateString(*date);
    }
    if (!base) {
        return std::nullopt;
    }
    if (auto cacheControl = response.valueForHTTPHeaderField("Cache-Control")) {
        if (cacheControl->find("no-store") != std::string::npos) {
            return std::nullopt;
        }
        constexpr std::string_view maxAge = "max-age=";
        if (const auto at = cacheControl->find(maxAge); at != std::string::npos) {
            if (auto seconds = foundation::scanInteger(
                    std::string_view(*cacheControl).substr(at + maxAge.size()))) {
                if (*seconds < 1) {
                    return std::nullopt;
                }
                return base->addingTimeInterval(static_cast<double>(*seconds));
            }
        }
    }
    const auto expiresField = response.valueForHTTPHeaderField("Expires");
    const auto expires = expiresField ? gad_dateFromHttpDateString(*expiresField) : std::nullopt;
    if (!expires || *expires <= *base) {
        return std::nullopt;
    }
    return now.addingTimeInterval(expires->timeIntervalSinceDate(*base));
}

}  // namespace GADHeaderParser
