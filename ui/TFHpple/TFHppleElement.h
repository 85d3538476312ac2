#pragma once

// One node matched by an XPath query, held as its node dictionary (a snapshot
// that needs no parsed document), with accessors for its tag name, text,
// attributes and children, and XPath queries inside its own markup.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Value.h"

class TFHppleElement : public std::enable_shared_from_this<TFHppleElement> {
  public:
    TFHppleElement(foundation::Value node, bool isXML, std::optional<std::string> encoding);
    static std::shared_ptr<TFHppleElement> hppleElementWithNode(
        foundation::Value node, bool isXML, std::optional<std::string> encoding);

    const foundation::Value& node() const { return node_; }
    bool isXML() const { return isXML_; }
    const std::optional<std::string>& encoding() const { return encoding_; }

    // The node's markup ("raw"), its text with that of all descendants
    // ("nodeContent") and its name ("nodeName", "text" for text nodes).
    std::optional<std::string> raw() const;
    std::optional<std::string> content() const;
    std::optional<std::string> tagName() const;

    // New elements for the child dictionaries, in order, each with this
    // element as its parent.
    std::vector<std::shared_ptr<TFHppleElement>> children() const;
    std::shared_ptr<TFHppleElement> firstChild() const;
    bool hasChildren() const;

    // Attribute name to value, for every attribute that has a text value.
    std::map<std::string, std::string> attributes() const;
    std::optional<std::string> objectForKey(std::string_view name) const;
    std::optional<std::string> operator[](std::string_view name) const {
        return objectForKey(name);
    }

    bool isTextNode() const;
    std::vector<std::shared_ptr<TFHppleElement>> childrenWithTagName(
        std::string_view tagName) const;
    std::shared_ptr<TFHppleElement> firstChildWithTagName(std::string_view tagName) const;
    std::vector<std::shared_ptr<TFHppleElement>> childrenWithClassName(
        std::string_view className) const;
    std::shared_ptr<TFHppleElement> firstChildWithClassName(std::string_view className) const;
    std::shared_ptr<TFHppleElement> firstTextChild() const;
    // The content of the first text child.
    std::optional<std::string> text() const;

    // Runs the query over this element's own markup, parsed as a document of
    // its own (HTML or XML as the element came from).
    std::vector<std::shared_ptr<TFHppleElement>> searchWithXPathQuery(std::string_view query) const;

    // The node dictionary's description.
    std::string description() const;

    // The element this one was reached from by `children`; not kept alive.
    std::shared_ptr<TFHppleElement> parent() const { return parent_.lock(); }
    void setParent(std::weak_ptr<TFHppleElement> parent) { parent_ = std::move(parent); }

  private:
    std::optional<std::string> stringFor(std::string_view key) const;

    foundation::Value node_;
    bool isXML_;
    std::optional<std::string> encoding_;
    std::weak_ptr<TFHppleElement> parent_;
};
