#include "model/lookups/HTMLTitleScraper.h"

#include <libxml/parser.h>

std::shared_ptr<HTMLTitleScraper> HTMLTitleScraper::make(const std::shared_ptr<Barcode>& barcode) {
    static const xmlSAXHandler handler = [] {
        xmlSAXHandler table{};
        table.startElement = &HTMLTitleScraper::startElement;
        table.endElement = &HTMLTitleScraper::endElement;
        table.characters = &HTMLTitleScraper::characters;
        return table;
    }();
    const auto url = classificationValue(barcode, "URL");
    if (!url) {
        return nullptr;
    }
    auto request = net::URLRequest::withString(*url);
    if (!request.url()) {
        return nullptr;
    }
    auto scraper = std::make_shared<HTMLTitleScraper>(barcode);
    if (!scraper->start(request, handler, "text/html")) {
        return nullptr;
    }
    return scraper;
}

void HTMLTitleScraper::startElement(void* context, const unsigned char* name,
                                    const unsigned char**) {
    auto& self = *static_cast<HTMLTitleScraper*>(context);
    if (self.state_ == 0) {
        if (elementNamed(name, "head")) {
            self.state_ = 1;
            self.title_.clear();
        }
    } else if (self.state_ == 1) {
        if (elementNamed(name, "title")) {
            self.title_.clear();
            self.state_ = 2;
        }
    } else {
        ++self.state_;
    }
}

void HTMLTitleScraper::endElement(void* context, const unsigned char* name) {
    auto& self = *static_cast<HTMLTitleScraper*>(context);
    if (self.state_ == 1) {
        if (elementNamed(name, "head")) {
            self.state_ = 0;
            self.abort();
        }
    } else if (self.state_ == 2) {
        if (!elementNamed(name, "title")) {
            return;
        }
        if (!self.title_.empty()) {
            self.object()->setValue(self.title_, "name");
            self.abort();
        } else {
            self.state_ = 1;
        }
    } else if (self.state_ > 2) {
        --self.state_;
    }
}

void HTMLTitleScraper::characters(void* context, const unsigned char* text, int length) {
    auto& self = *static_cast<HTMLTitleScraper*>(context);
    if (self.state_ >= 2) {
        self.title_.append(reinterpret_cast<const char*>(text), length);
    }
}
