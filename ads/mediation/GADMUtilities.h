#pragma once

// The mediation pings (no fill, impression, click): their built-in
// "@keyword@" templates on the ping host, and the filling of a template with
// the values of one ping.

#include <optional>
#include <string>

#include "platform/foundation/URL.h"

class GADMUtilities {
  public:
    static std::string noFillTemplate();
    static std::string clickTemplate();
    static std::string impressionTemplate();
    // "http://" and the ping host; tests point it at a loopback server.
    static const std::string& pingBaseURL();
    static void setPingBaseURL(std::string baseURL);

    // The keywords replaced in a fixed order by their values, taken
    // literally; a missing value leaves its keyword in place. nullopt for an
    // empty or unparsable result.
    static std::optional<foundation::URL> mediationURLFrom(
        const std::string& templateText, const std::optional<std::string>& adLocationID,
        bool adNetworkRefresh, const std::optional<std::string>& allocationID,
        const std::optional<std::string>& adNetworkID, const std::optional<std::string>& qData,
        const std::optional<std::string>& sessionID,
        const std::optional<std::string>& sequenceNumber,
        const std::optional<std::string>& exitCodes, const std::optional<std::string>& durations);
};
