#pragma once

// Names a code that holds a URL after the page's title: loads the page and
// reads the text of the title inside its head. A head that ends without a
// title ends the lookup unnamed.

#include <memory>
#include <string>

#include "model/Barcode.h"
#include "model/lookups/XMLScraper.h"

class HTMLTitleScraper : public XMLScraper {
  public:
    // nullptr when the code has no "URL" value that makes a URL.
    static std::shared_ptr<HTMLTitleScraper> make(const std::shared_ptr<Barcode>& barcode);

    using XMLScraper::XMLScraper;

  private:
    static void startElement(void* context, const unsigned char* name, const unsigned char**);
    static void endElement(void* context, const unsigned char* name);
    static void characters(void* context, const unsigned char* text, int length);

    int state_ = 0;
    std::string title_;
};
