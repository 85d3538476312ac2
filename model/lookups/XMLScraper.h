#pragma once

// A lookup whose answer is streamed into a libxml2 push parser as it
// arrives; the subclass's SAX callbacks pick the name out. Pages are parsed
// with the HTML parser, everything else with the XML parser. Network input
// is never trusted: entities are not substituted, no DTD or external entity
// is loaded and the parser touches no network, so a reply cannot pull a
// local file or a remote document into the name.

#include <string>

#include "model/lookups/Scraper.h"

struct _xmlParserCtxt;
struct _xmlSAXHandler;

class XMLScraper : public Scraper {
  public:
    // recover, no warnings, no blank nodes, no network access, merge CDATA.
    static constexpr int kParserOptions = 1 | 64 | 256 | 2048 | 16384;

    using Scraper::Scraper;
    ~XMLScraper() override;

    // Stops the parser, then cancels the connection.
    void abort() override;

    void connectionDidReceiveData(net::URLConnection& connection,
                                  const foundation::Data& data) override;
    void connectionDidFinishLoading(net::URLConnection& connection) override;

  protected:
    // Element names compare without regard to case.
    static bool elementNamed(const unsigned char* name, const char* expected);
    // Makes the parser for the MIME type with `handler` calling back with
    // this scraper as user data, then starts the request; false when the
    // parser or the connection cannot be made.
    bool start(const net::URLRequest& request, const _xmlSAXHandler& handler,
               const std::string& mimeType);

  private:
    _xmlParserCtxt* parser_ = nullptr;
    bool aborted_ = false;
};
