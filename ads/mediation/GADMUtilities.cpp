#include "ads/mediation/GADMUtilities.h"

#include <utility>

#include "ads/api/GADRequest.h"
#include "ads/foundation/GADTemplateAdditions.h"
#include "platform/foundation/ProcessState.h"

namespace {

constexpr const char* kDefaultPingBaseURL = "http://pings.dezuvo.com";

std::string& pingBase() {
    static std::string* const base = [] {
        auto* made = new std::string(kDefaultPingBaseURL);
        foundation::ProcessState::addReset([made] { *made = kDefaultPingBaseURL; });
        return made;
    }();
    return *base;
}

}  // namespace

const std::string& GADMUtilities::pingBaseURL() {
    return pingBase();
}

void GADMUtilities::setPingBaseURL(std::string baseURL) {
    pingBase() = std::move(baseURL);
}

std::string GADMUtilities::noFillTemplate() {
    return pingBaseURL() +
           "/nofill?ad_loc=@gw_adlocid@&qdata=@gw_qdata@&js=@gw_sdkver@&session_id=@gw_sessid@"
           "&seq_num=@gw_seqnum@&aec=@gw_aec@&adt=@gw_adt@";
}

std::string GADMUtilities::clickTemplate() {
    return pingBaseURL() +
           "/clk?ad_loc=@gw_adlocid@&qdata=@gw_qdata@&ad_network_id=@gw_adnetid@&js=@gw_sdkver@"
           "&session_id=@gw_sessid@&seq_num=@gw_seqnum@&nr=@gw_adnetrefresh@";
}

std::string GADMUtilities::impressionTemplate() {
    return pingBaseURL() +
           "/imp?ad_loc=@gw_adlocid@&qdata=@gw_qdata@&ad_network_id=@gw_adnetid@&js=@gw_sdkver@"
           "&session_id=@gw_sessid@&seq_num=@gw_seqnum@&nr=@gw_adnetrefresh@&adt=@gw_adt@"
           "&aec=@gw_aec@";
}

std::optional<foundation::URL> GADMUtilities::mediationURLFrom(
    const std::string& templateText, const std::optional<std::string>& adLocationID,
    bool adNetworkRefresh, const std::optional<std::string>& allocationID,
    const std::optional<std::string>& adNetworkID, const std::optional<std::string>& qData,
    const std::optional<std::string>& sessionID, const std::optional<std::string>& sequenceNumber,
    const std::optional<std::string>& exitCodes, const std::optional<std::string>& durations) {
    using GADReplaceContentAdditions::gad_replaceAtQuotedKeywordPattern;
    std::string text = templateText;
    const std::pair<const char*, std::optional<std::string>> values[] = {
        {"gw_adlocid", adLocationID},
        {"gw_qdata", qData},
        {"gw_sdkver", GADRequest::sdkVersion()},
        {"gw_sessid", sessionID},
        {"gw_seqnum", sequenceNumber},
        {"gw_devid", std::string()},
        {"gw_adnetrefresh", std::string(adNetworkRefresh ? "1" : "0")},
        {"gw_adnetid", adNetworkID},
        {"gw_allocid", allocationID},
        {"gw_aec", exitCodes},
        {"gw_adt", durations},
    };
    for (const auto& [keyword, value] : values) {
        gad_replaceAtQuotedKeywordPattern(text, std::string(keyword), value);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    return foundation::URL::fromString(text);
}
