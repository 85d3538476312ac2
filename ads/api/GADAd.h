#pragma once

// One ad a slot fetches and shows: where its content comes from, the
// orientations it supports and the statistics that travel with it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ads/foundation/GADStatisticDictionary.h"

class GADAd {
  public:
    GADAd();
    virtual ~GADAd() = default;

    const std::optional<std::string>& adURL() const { return adURL_; }
    void setAdURL(std::optional<std::string> url) { adURL_ = std::move(url); }
    // 1 any, 2 portrait, 3 landscape.
    std::int64_t supportedOrientations() const { return supportedOrientations_; }
    void setSupportedOrientations(std::int64_t orientations) {
        supportedOrientations_ = orientations;
    }
    // Time stamps and counters of this ad ("treq", "tfetch", "slotid", ...);
    // changes made with a notice wait to be sent with the next request.
    const std::shared_ptr<GADStatisticDictionary>& statistics() const { return statistics_; }
    // 0 unclassified, 1 HTML, 2 mediation, 3 native, 4 custom rendering.
    std::int64_t responseType() const { return responseType_; }
    void setResponseType(std::int64_t type) { responseType_ = type; }

  private:
    std::optional<std::string> adURL_;
    std::int64_t supportedOrientations_ = 1;
    std::shared_ptr<GADStatisticDictionary> statistics_;
    std::int64_t responseType_ = 0;
};
