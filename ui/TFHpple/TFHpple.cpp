#include "ui/TFHpple/TFHpple.h"

#include "ui/TFHpple/TFHppleQuery.h"

TFHpple::TFHpple(foundation::Data data, std::optional<std::string> encoding, bool isXML)
    : data_(std::move(data)), encoding_(std::move(encoding)), isXML_(isXML) {}

TFHpple::TFHpple(foundation::Data data, bool isXML)
    : TFHpple(std::move(data), std::nullopt, isXML) {}

std::shared_ptr<TFHpple> TFHpple::hppleWithData(foundation::Data data,
                                                std::optional<std::string> encoding, bool isXML) {
    return std::make_shared<TFHpple>(std::move(data), std::move(encoding), isXML);
}

std::shared_ptr<TFHpple> TFHpple::hppleWithData(foundation::Data data, bool isXML) {
    return hppleWithData(std::move(data), std::nullopt, isXML);
}

std::shared_ptr<TFHpple> TFHpple::hppleWithHTMLData(foundation::Data data,
                                                    std::optional<std::string> encoding) {
    return hppleWithData(std::move(data), std::move(encoding), false);
}

std::shared_ptr<TFHpple> TFHpple::hppleWithHTMLData(foundation::Data data) {
    return hppleWithData(std::move(data), std::nullopt, false);
}

std::shared_ptr<TFHpple> TFHpple::hppleWithXMLData(foundation::Data data,
                                                   std::optional<std::string> encoding) {
    return hppleWithData(std::move(data), std::move(encoding), true);
}

std::shared_ptr<TFHpple> TFHpple::hppleWithXMLData(foundation::Data data) {
    return hppleWithData(std::move(data), std::nullopt, true);
}

std::vector<std::shared_ptr<TFHppleElement>> TFHpple::searchWithXPathQuery(
    std::string_view query) const {
    std::vector<std::shared_ptr<TFHppleElement>> elements;
    const auto nodes = isXML_ ? TFHppleXMLQuery(data_, query, encoding_)
                              : TFHppleHTMLQuery(data_, query, encoding_);
    if (nodes) {
        for (const foundation::Value& node : *nodes) {
            elements.push_back(TFHppleElement::hppleElementWithNode(node, isXML_, encoding_));
        }
    }
    return elements;
}

std::shared_ptr<TFHppleElement> TFHpple::peekAtSearchWithXPathQuery(std::string_view query) const {
    auto elements = searchWithXPathQuery(query);
    return elements.empty() ? nullptr : elements.front();
}
