#include "ui/TFHpple/TFHppleElement.h"

#include "ui/TFHpple/TFHppleQuery.h"

TFHppleElement::TFHppleElement(foundation::Value node, bool isXML,
                               std::optional<std::string> encoding)
    : node_(std::move(node)), isXML_(isXML), encoding_(std::move(encoding)) {}

std::shared_ptr<TFHppleElement> TFHppleElement::hppleElementWithNode(
    foundation::Value node, bool isXML, std::optional<std::string> encoding) {
    return std::make_shared<TFHppleElement>(std::move(node), isXML, std::move(encoding));
}

std::optional<std::string> TFHppleElement::stringFor(std::string_view key) const {
    if (const std::string* value = node_.get(key).asString()) {
        return *value;
    }
    return std::nullopt;
}

std::optional<std::string> TFHppleElement::raw() const {
    return stringFor("raw");
}

std::optional<std::string> TFHppleElement::content() const {
    return stringFor("nodeContent");
}

std::optional<std::string> TFHppleElement::tagName() const {
    return stringFor("nodeName");
}

std::vector<std::shared_ptr<TFHppleElement>> TFHppleElement::children() const {
    std::vector<std::shared_ptr<TFHppleElement>> elements;
    const foundation::Array* childNodes = node_.get("nodeChildArray").asArray();
    if (childNodes == nullptr) {
        return elements;
    }
    // Children hold their parent weakly; an element that nobody shares has
    // children without a parent.
    const std::weak_ptr<TFHppleElement> self =
        std::const_pointer_cast<TFHppleElement>(weak_from_this().lock());
    for (const foundation::Value& child : *childNodes) {
        auto element = hppleElementWithNode(child, isXML_, encoding_);
        element->setParent(self);
        elements.push_back(std::move(element));
    }
    return elements;
}

std::shared_ptr<TFHppleElement> TFHppleElement::firstChild() const {
    auto all = children();
    return all.empty() ? nullptr : all.front();
}

bool TFHppleElement::hasChildren() const {
    return node_.contains("nodeChildArray");
}

std::map<std::string, std::string> TFHppleElement::attributes() const {
    std::map<std::string, std::string> byName;
    const foundation::Array* attributeNodes = node_.get("nodeAttributeArray").asArray();
    if (attributeNodes == nullptr) {
        return byName;
    }
    for (const foundation::Value& attribute : *attributeNodes) {
        const std::string* name = attribute.get("attributeName").asString();
        const std::string* value = attribute.get("nodeContent").asString();
        if (name != nullptr && value != nullptr) {
            byName[*name] = *value;
        }
    }
    return byName;
}

std::optional<std::string> TFHppleElement::objectForKey(std::string_view name) const {
    const auto all = attributes();
    const auto found = all.find(std::string(name));
    if (found == all.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool TFHppleElement::isTextNode() const {
    return tagName() == "text" && content().has_value();
}

std::vector<std::shared_ptr<TFHppleElement>> TFHppleElement::childrenWithTagName(
    std::string_view tagName) const {
    std::vector<std::shared_ptr<TFHppleElement>> matching;
    for (auto& child : children()) {
        if (child->tagName() == tagName) {
            matching.push_back(child);
        }
    }
    return matching;
}

std::shared_ptr<TFHppleElement> TFHppleElement::firstChildWithTagName(
    std::string_view tagName) const {
    for (auto& child : children()) {
        if (child->tagName() == tagName) {
            return child;
        }
    }
    return nullptr;
}

std::vector<std::shared_ptr<TFHppleElement>> TFHppleElement::childrenWithClassName(
    std::string_view className) const {
    std::vector<std::shared_ptr<TFHppleElement>> matching;
    for (auto& child : children()) {
        if (child->objectForKey("class") == className) {
            matching.push_back(child);
        }
    }
    return matching;
}

std::shared_ptr<TFHppleElement> TFHppleElement::firstChildWithClassName(
    std::string_view className) const {
    for (auto& child : children()) {
        if (child->objectForKey("class") == className) {
            return child;
        }
    }
    return nullptr;
}

std::shared_ptr<TFHppleElement> TFHppleElement::firstTextChild() const {
    for (auto& child : children()) {
        if (child->isTextNode()) {
            return child;
        }
    }
    return firstChildWithTagName("text");
}

std::optional<std::string> TFHppleElement::text() const {
    auto child = firstTextChild();
    return child ? child->content() : std::nullopt;
}

std::vector<std::shared_ptr<TFHppleElement>> TFHppleElement::searchWithXPathQuery(
    std::string_view query) const {
    std::vector<std::shared_ptr<TFHppleElement>> elements;
    const auto markup = raw();
    if (!markup) {
        return elements;
    }
    // The markup was written out as UTF-8, whatever the page's own encoding.
    const foundation::Data data = foundation::dataFromString(*markup);
    const std::optional<std::string> utf8 = "UTF-8";
    const auto nodes =
        isXML_ ? TFHppleXMLQuery(data, query, utf8) : TFHppleHTMLQuery(data, query, utf8);
    if (nodes) {
        for (const foundation::Value& node : *nodes) {
            elements.push_back(hppleElementWithNode(node, isXML_, encoding_));
        }
    }
    return elements;
}

std::string TFHppleElement::description() const {
    return node_.description();
}
