#pragma once

// One message from an ad page: the page navigates to a "gmsg" URL whose path
// names the message and whose query carries its string parameters.

#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

class GADNotification {
  public:
    // The scheme, lower-cased, is "gmsg".
    static bool isNotificationURL(const foundation::URL& url);
    // The message of a gmsg URL: the decoded path without its leading "/"
    // (one trailing "/" dropped) names it; the query, split at "&" and ";",
    // gives the parameters. Pieces that are not one "key=value" or do not
    // decode are dropped; a later key wins. nullopt for another scheme or an
    // empty name.
    static std::optional<GADNotification> withNotificationURL(const foundation::URL& url);
    // nullopt for an empty name.
    static std::optional<GADNotification> withName(std::string name,
                                                   foundation::Dictionary parameters = {});

    const std::string& name() const { return name_; }
    // Every value is a string.
    const foundation::Dictionary& parameters() const { return parameters_; }

    // "<GADNotification: address> name:... parameters:..."
    std::string description() const;

  private:
    GADNotification(std::string name, foundation::Dictionary parameters)
        : name_(std::move(name)), parameters_(std::move(parameters)) {}

    std::string name_;
    foundation::Dictionary parameters_;
};
