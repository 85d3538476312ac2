#pragma once

// Reports a faulty ad: posts {"debugHeader": text} as JSON to the report
// address, which the ad-request page may set in the user defaults. The
// outcome is not examined.

#include <memory>
#include <optional>
#include <string>

#include "ads/foundation/GADURLConnection.h"
#include "ads/foundation/GADURLConnectionDelegate.h"
#include "platform/foundation/Data.h"
#include "platform/foundation/URL.h"

class GADBadAdUtil : public GADURLConnectionDelegate,
                     public std::enable_shared_from_this<GADBadAdUtil> {
  public:
    // The process's reporter, made on first use.
    static const std::shared_ptr<GADBadAdUtil>& sharedInstance();

    ~GADBadAdUtil() override;
    // Stops the latest report's connection and lets it go.
    void reset();

    // Sends the report on a new connection; the previous one loses its
    // delegate and runs on. Nothing without a report address.
    void reportBadAd(const std::optional<std::string>& debugHeader);
    // Compact JSON of {"debugHeader": text or null}; empty when it cannot be
    // written.
    foundation::Data jsonData(const std::optional<std::string>& debugHeader) const;
    std::shared_ptr<GADURLConnection> urlConnection() const;
    // The user default "bad_ad_report_path" when it is not empty, else the
    // vendor's report address.
    std::optional<foundation::URL> badAdURL() const;
    // The connection of the latest report.
    const std::shared_ptr<GADURLConnection>& connection() const { return connection_; }

    // Redirects are followed, nothing is cached, the outcome is ignored.
    std::optional<foundation::Error> connectionShouldRedirectToURL(
        GADURLConnection& connection, const foundation::URL& url) override;
    void connectionLoadDidReceiveRedirectResponse(GADURLConnection& connection,
                                                  const net::URLResponse& response) override;
    bool connectionLoadShouldUseCachedResponse(GADURLConnection& connection,
                                               const net::URLResponse& response) override;
    void connectionLoadDidReceiveCachedResponse(GADURLConnection& connection,
                                                const net::URLResponse& response) override;
    void connectionLoadDidFinish(GADURLConnection& connection,
                                 const std::optional<std::string>& body,
                                 const std::optional<foundation::URL>& baseURL) override;
    void connectionLoadDidFail(GADURLConnection& connection,
                               const std::optional<foundation::Error>& error,
                               long httpStatusCode) override;

  private:
    std::shared_ptr<GADURLConnection> connection_;
};
