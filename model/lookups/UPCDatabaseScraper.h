#pragma once

// Names a code from a product database: sends the XML-RPC call "lookupEAN"
// with the code's GTIN-13 and reads the struct of the answer member by
// member. A "found" member that is not the boolean 1 ends the lookup; a
// "description" string becomes the code's name and ends it.

#include <memory>
#include <optional>
#include <string>

#include "model/Barcode.h"
#include "model/lookups/XMLScraper.h"

class UPCDatabaseScraper : public XMLScraper {
  public:
    // Where the product database answers ("/rpc" of its host).
    static const std::string& defaultDatabaseURL();

    // nullptr when the code has no GTIN-13 or no request can be made.
    static std::shared_ptr<UPCDatabaseScraper> make(
        const std::shared_ptr<Barcode>& barcode,
        const std::string& databaseURL = defaultDatabaseURL());
    // The POST of "lookupEAN" for the GTIN-13 to the database.
    static net::URLRequest lookupRequest(const std::string& gtin13, const std::string& databaseURL);

    using XMLScraper::XMLScraper;

  private:
    static void startElement(void* context, const unsigned char* name, const unsigned char**);
    static void endElement(void* context, const unsigned char* name);
    static void characters(void* context, const unsigned char* text, int length);
    void judgeMember();

    int state_ = 0;
    std::optional<std::string> memberName_;
    std::optional<std::string> memberType_;
    std::optional<std::string> memberValue_;
};
