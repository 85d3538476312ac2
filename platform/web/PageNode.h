#pragma once

// A node of a page as the painter reads it: an element (its tag, attributes,
// inline style declarations and children) or a text. Elements carry their
// index in their document's element order, so a box can be traced back to
// its element; a frame element carries the document shown in it.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace web {

struct PageDocument;

struct PageNode {
    bool isText = false;
    // Text nodes: the text. Elements: the lower-case tag.
    std::string text;
    std::string tag;
    std::map<std::string, std::string> attributes;
    // The style attribute and what scripts set on the style object.
    std::string style;
    // Position among the document's elements in document order.
    int elementIndex = -1;
    std::vector<PageNode> children;
    // The document of a frame element, when it has one.
    std::shared_ptr<PageDocument> frame;
    // A canvas element's drawing, when a script made one (see CanvasBindings).
    int canvas = 0;

    std::string attribute(const std::string& name) const {
        auto it = attributes.find(name);
        return it == attributes.end() ? std::string() : it->second;
    }
};

struct PageDocument {
    // The document URL, against which image URLs resolve.
    std::string url;
    // The text of its style elements, in document order.
    std::vector<std::string> styleSheets;
    PageNode root;
};

}  // namespace web
