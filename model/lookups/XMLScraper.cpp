#include "model/lookups/XMLScraper.h"

#include <libxml/HTMLparser.h>
#include <libxml/entities.h>
#include <libxml/parser.h>

XMLScraper::~XMLScraper() {
    if (parser_) {
        if (parser_->myDoc) {
            xmlFreeDoc(parser_->myDoc);
        }
        if (parser_->html) {
            htmlFreeParserCtxt(parser_);
        } else {
            xmlFreeParserCtxt(parser_);
        }
    }
}

namespace {

// Only the five predefined entities are known: a reply's own declarations
// are never looked up, so no entity text or file ever reaches the callbacks.
xmlEntityPtr predefinedEntity(void*, const xmlChar* name) {
    return xmlGetPredefinedEntity(name);
}

}  // namespace

bool XMLScraper::elementNamed(const unsigned char* name, const char* expected) {
    return xmlStrcasecmp(name, reinterpret_cast<const xmlChar*>(expected)) == 0;
}

bool XMLScraper::start(const net::URLRequest& request, const xmlSAXHandler& handler,
                       const std::string& mimeType) {
    const std::string fileName = request.url() ? request.url()->absoluteString() : std::string();
    // The parser copies the table.
    xmlSAXHandler table = handler;
    table.getEntity = &predefinedEntity;
    if (mimeType == "text/html") {
        parser_ = htmlCreatePushParserCtxt(&table, this, nullptr, 0, fileName.c_str(),
                                           XML_CHAR_ENCODING_NONE);
        if (parser_) {
            htmlCtxtUseOptions(parser_, kParserOptions);
        }
    } else {
        parser_ = xmlCreatePushParserCtxt(&table, this, nullptr, 0, fileName.c_str());
        if (parser_) {
            xmlCtxtUseOptions(parser_, kParserOptions);
        }
    }
    if (!parser_) {
        return false;
    }
    return Scraper::start(request);
}

void XMLScraper::abort() {
    if (parser_ && !aborted_) {
        xmlStopParser(parser_);
    }
    aborted_ = true;
    Scraper::abort();
}

void XMLScraper::connectionDidReceiveData(net::URLConnection&, const foundation::Data& data) {
    if (aborted_ || data.empty()) {
        return;
    }
    // A callback may abort, which lets the connection drop its hold on us.
    auto keep = shared_from_this();
    const int error = parser_->html
                          ? htmlParseChunk(parser_, reinterpret_cast<const char*>(data.data()),
                                           static_cast<int>(data.size()), 0)
                          : xmlParseChunk(parser_, reinterpret_cast<const char*>(data.data()),
                                          static_cast<int>(data.size()), 0);
    if (error != 0 && !aborted_) {
        abort();
    }
}

void XMLScraper::connectionDidFinishLoading(net::URLConnection&) {
    if (aborted_) {
        return;
    }
    auto keep = shared_from_this();
    if (parser_->html) {
        htmlParseChunk(parser_, nullptr, 0, 1);
    } else {
        xmlParseChunk(parser_, nullptr, 0, 1);
    }
}
