#include "ads/mediation/GADClickTrackerCollectionMediation.h"

#include "ads/foundation/GADApplication.h"
#include "ads/mediation/GADMUtilities.h"

namespace GADClickTrackerCollectionMediation {

void trackMediationURLsFromTemplates(
    GADClickTrackerCollection& collection, const std::optional<foundation::Array>& templates,
    const std::optional<std::string>& defaultTemplate, const std::optional<std::string>& networkID,
    const std::optional<std::string>& allocationID, const std::optional<std::string>& qData,
    const std::optional<std::string>& appKey, bool refresh,
    const std::optional<std::string>& durations, const std::optional<std::string>& exitCodes) {
    foundation::Array list;
    if (templates) {
        list = *templates;
    } else if (defaultTemplate) {
        list.emplace_back(*defaultTemplate);
    }
    GADApplication& application = GADApplication::sharedApplication();
    const std::string sessionID = application.currentSession().sessionIDAsString();
    for (const foundation::Value& item : list) {
        const std::string* templateText = item.asString();
        if (!templateText) {
            continue;
        }
        collection.trackURL(GADMUtilities::mediationURLFrom(
            *templateText, appKey, refresh, allocationID, networkID, qData.value_or(""), sessionID,
            application.nextSequenceNumberAsString(), exitCodes, durations));
    }
}

}  // namespace GADClickTrackerCollectionMediation
