#pragma once

// The base of the name lookups: holds the store object to name and loads one
// request for it over a URL connection whose delegate it is. The connection
// keeps the scraper alive until it finishes, fails or is aborted; a failure
// ends the lookup without a name.

#include <memory>
#include <optional>
#include <string>

#include "model/Barcode.h"
#include "platform/net/URLConnection.h"
#include "platform/net/URLConnectionDelegate.h"
#include "platform/net/URLRequest.h"
#include "platform/store/ManagedObject.h"

class Scraper : public net::URLConnectionDelegate, public std::enable_shared_from_this<Scraper> {
  public:
    explicit Scraper(std::shared_ptr<store::ManagedObject> object);
    ~Scraper() override;
    Scraper(const Scraper&) = delete;
    Scraper& operator=(const Scraper&) = delete;

    const std::shared_ptr<store::ManagedObject>& object() const { return object_; }
    // Cancels the connection: the connection tells nothing more and lets go
    // of the scraper.
    virtual void abort();

    void connectionDidFailWithError(net::URLConnection& connection,
                                    const net::URLError& error) override {}

  protected:
    // The code's classification value for `key` (classifying it first when
    // that was not done yet); nullopt when it has none.
    static std::optional<std::string> classificationValue(const std::shared_ptr<Barcode>& barcode,
                                                          const std::string& key);
    // Starts the connection with this scraper as its delegate; false (and
    // the object let go) when no connection can be made.
    bool start(const net::URLRequest& request);

  private:
    std::shared_ptr<store::ManagedObject> object_;
    std::shared_ptr<net::URLConnection> connection_;
};
