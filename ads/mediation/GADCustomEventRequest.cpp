#include "ads/mediation/GADCustomEventRequest.h"

#include "ads/mediation/GADCustomEventExtras.h"
#include "ads/mediation/GADMAdNetworkConnector.h"

GADCustomEventRequest::GADCustomEventRequest(const GADMAdNetworkConnector& connector)
    : userGender_(connector.userGender()),
      userBirthday_(connector.userBirthday()),
      userHasLocation_(connector.userHasLocation()),
      userLatitude_(connector.userLatitude()),
      userLongitude_(connector.userLongitude()),
      userLocationAccuracyInMeters_(connector.userLocationAccuracyInMeters()),
      userLocationDescription_(connector.userLocationDescription()),
      userKeywords_(connector.userKeywords()),
      isTesting_(connector.testMode()) {
    const auto extras = std::dynamic_pointer_cast<GADCustomEventExtras>(connector.networkExtras());
    const auto label = connector.credentials().find("label");
    if (extras && label != connector.credentials().end() && label->second.isString()) {
        additionalParameters_ = extras->extrasForLabel(*label->second.asString());
    }
}
