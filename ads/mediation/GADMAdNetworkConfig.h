#pragma once

// One ad network of a mediation response: its ID, the credentials and extras
// its adapter is given, its impression pings and the adapter class chosen
// from the names the response lists.

#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADRequestError.h"
#include "platform/foundation/Value.h"

class GADMAdNetworkAdapterClass;

class GADMAdNetworkConfig {
  public:
    // initWithDictionary:error: the entry, or nullptr with a code 7 error when
    // "id" is missing or neither text nor number. An entry whose adapter
    // search failed comes back together with a code 8 error.
    static std::shared_ptr<GADMAdNetworkConfig> make(const foundation::Dictionary& dictionary,
                                                     std::optional<GADRequestError>& error);

    const std::string& networkID() const { return networkID_; }
    // "pubid" of the credentials.
    std::optional<std::string> publisherID() const;
    const std::optional<foundation::Dictionary>& credentials() const { return credentials_; }
    const std::optional<foundation::Dictionary>& extras() const { return extras_; }
    const std::optional<foundation::Dictionary>& ad() const { return ad_; }
    const std::optional<foundation::Array>& adapterList() const { return adapterList_; }
    const std::shared_ptr<const GADMAdNetworkAdapterClass>& adapterClass() const {
        return adapterClass_;
    }
    const std::optional<std::string>& allocationID() const { return allocationID_; }
    const std::optional<foundation::Array>& impressionURLs() const { return impressionURLs_; }

    // "networkID:%@ adapter:%@ data:%@" with the publisher ID, or the
    // credentials when there is none.
    std::string description() const;

  private:
    std::optional<GADRequestError> findAdapterClass();

    std::string networkID_;
    std::optional<foundation::Dictionary> credentials_;
    std::optional<foundation::Dictionary> extras_;
    std::optional<foundation::Dictionary> ad_;
    std::optional<foundation::Array> adapterList_;
    std::shared_ptr<const GADMAdNetworkAdapterClass> adapterClass_;
    std::optional<std::string> allocationID_;
    std::optional<foundation::Array> impressionURLs_;
};
