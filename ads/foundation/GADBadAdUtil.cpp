#include "ads/foundation/GADBadAdUtil.h"

#include "ads/foundation/GADDictionaryAdditions.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/UserDefaults.h"

namespace {

constexpr const char* kReportAddress = "https://reports.dezuvo.com/s/reportAd";

}  // namespace

const std::shared_ptr<GADBadAdUtil>& GADBadAdUtil::sharedInstance() {
    static const auto* const instance = foundation::ProcessState::withReset(
        new std::shared_ptr<GADBadAdUtil>(std::make_shared<GADBadAdUtil>()),
        [](std::shared_ptr<GADBadAdUtil>& reporter) { reporter->reset(); });
    return *instance;
}

GADBadAdUtil::~GADBadAdUtil() {
    reset();
}

void GADBadAdUtil::reset() {
    if (connection_) {
        connection_->stop();
        connection_->setDelegate({});
        connection_.reset();
    }
}

void GADBadAdUtil::reportBadAd(const std::optional<std::string>& debugHeader) {
    const std::optional<foundation::URL> url = badAdURL();
    if (!url) {
        return;
    }
    const foundation::Data body = jsonData(debugHeader);
    if (connection_) {
        connection_->setDelegate({});
    }
    connection_ = urlConnection();
    connection_->startWithURL(*url, body, "application/json", weak_from_this());
}

foundation::Data GADBadAdUtil::jsonData(const std::optional<std::string>& debugHeader) const {
    const foundation::Dictionary report{
        {"debugHeader", debugHeader ? foundation::Value(*debugHeader) : foundation::Value()}};
    const std::optional<std::string> json = GADJSONAdditions::gad_JSONStringPretty(report, false);
    return json ? foundation::Data(json->begin(), json->end()) : foundation::Data();
}

std::shared_ptr<GADURLConnection> GADBadAdUtil::urlConnection() const {
    return std::make_shared<GADURLConnection>();
}

std::optional<foundation::URL> GADBadAdUtil::badAdURL() const {
    std::optional<std::string> path =
        foundation::UserDefaults::standard().stringForKey("bad_ad_report_path");
    return foundation::URL::fromString(path && !path->empty() ? *path : kReportAddress);
}

std::optional<foundation::Error> GADBadAdUtil::connectionShouldRedirectToURL(
    GADURLConnection&, const foundation::URL&) {
    return std::nullopt;
}

void GADBadAdUtil::connectionLoadDidReceiveRedirectResponse(GADURLConnection&,
                                                            const net::URLResponse&) {}

bool GADBadAdUtil::connectionLoadShouldUseCachedResponse(GADURLConnection&,
                                                         const net::URLResponse&) {
    return false;
}

void GADBadAdUtil::connectionLoadDidReceiveCachedResponse(GADURLConnection&,
                                                          const net::URLResponse&) {}

void GADBadAdUtil::connectionLoadDidFinish(GADURLConnection&, const std::optional<std::string>&,
                                           const std::optional<foundation::URL>&) {}

void GADBadAdUtil::connectionLoadDidFail(GADURLConnection&, const std::optional<foundation::Error>&,
                                         long) {}
