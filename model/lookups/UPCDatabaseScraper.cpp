#include "model/lookups/UPCDatabaseScraper.h"

#include <libxml/parser.h>

#include "platform/foundation/Format.h"

namespace {

void append(std::optional<std::string>& to, const unsigned char* text, int length) {
    to = to.value_or(std::string()) + std::string(reinterpret_cast<const char*>(text), length);
}

}  // namespace

const std::string& UPCDatabaseScraper::defaultDatabaseURL() {
    static const auto* url = new std::string("http://www.productdatabase.example/rpc");
    return *url;
}

net::URLRequest UPCDatabaseScraper::lookupRequest(const std::string& gtin13,
                                                  const std::string& databaseURL) {
    auto request = net::URLRequest::withString(databaseURL);
    request.setHTTPMethod("POST");
    request.setValue("text/xml", "Content-Type");
    const std::string body = foundation::format(
        "<methodCall><methodName>lookupEAN</methodName><params><param><value><string>%s</string>"
        "</value></param></params></methodCall>",
        gtin13.c_str());
    request.setHTTPBody(foundation::Data(body.begin(), body.end()));
    return request;
}

std::shared_ptr<UPCDatabaseScraper> UPCDatabaseScraper::make(
    const std::shared_ptr<Barcode>& barcode, const std::string& databaseURL) {
    static const xmlSAXHandler handler = [] {
        xmlSAXHandler table{};
        table.startElement = &UPCDatabaseScraper::startElement;
        table.endElement = &UPCDatabaseScraper::endElement;
        table.characters = &UPCDatabaseScraper::characters;
        return table;
    }();
    const auto gtin13 = classificationValue(barcode, "GTIN-13");
    if (!gtin13) {
        return nullptr;
    }
    auto request = lookupRequest(*gtin13, databaseURL);
    auto scraper = std::make_shared<UPCDatabaseScraper>(barcode);
    if (!scraper->start(request, handler, "text/xml")) {
        return nullptr;
    }
    return scraper;
}

void UPCDatabaseScraper::startElement(void* context, const unsigned char* name,
                                      const unsigned char**) {
    auto& self = *static_cast<UPCDatabaseScraper*>(context);
    switch (self.state_) {
        case 0:
            if (elementNamed(name, "member")) {
                self.state_ = 1;
                self.memberName_.reset();
                self.memberType_.reset();
                self.memberValue_.reset();
            }
            break;
        case 1:
            if (elementNamed(name, "name")) {
                self.state_ = 2;
                self.memberName_.reset();
            } else if (elementNamed(name, "value")) {
                self.state_ = 3;
                self.memberType_.reset();
                self.memberValue_.reset();
            }
            break;
        case 2:
            break;
        case 3:
            self.memberType_ = reinterpret_cast<const char*>(name);
            self.state_ = 4;
            break;
        default:
            ++self.state_;
            break;
    }
}

void UPCDatabaseScraper::endElement(void* context, const unsigned char* name) {
    auto& self = *static_cast<UPCDatabaseScraper*>(context);
    switch (self.state_) {
        case 0:
            break;
        case 1:
            if (elementNamed(name, "member")) {
                self.state_ = 0;
                self.judgeMember();
            }
            break;
        case 2:
            if (elementNamed(name, "name")) {
                self.state_ = 1;
            }
            break;
        case 3:
            if (elementNamed(name, "value")) {
                self.state_ = 1;
            }
            break;
        default:
            --self.state_;
            break;
    }
}

void UPCDatabaseScraper::characters(void* context, const unsigned char* text, int length) {
    auto& self = *static_cast<UPCDatabaseScraper*>(context);
    if (self.state_ == 2) {
        append(self.memberName_, text, length);
    } else if (self.state_ == 4) {
        append(self.memberValue_, text, length);
    }
}

void UPCDatabaseScraper::judgeMember() {
    if (!memberName_ || !memberType_ || !memberValue_) {
        return;
    }
    if (*memberName_ == "found") {
        if (*memberType_ != "boolean" || *memberValue_ != "1") {
            abort();
        }
    } else if (*memberName_ == "description" && *memberType_ == "string") {
        object()->setValue(*memberValue_, "name");
        abort();
    }
}
