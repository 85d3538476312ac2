#include "platform/web/HTMLTreeBuilder.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <nlohmann/json.hpp>

#include <vector>

#include "platform/foundation/StringUtilities.h"

namespace web {

namespace {

using nlohmann::json;

// The parser's own depth limit is lifted: past it, the parser drops the rest
// of the page; the tree handed on is bounded below instead.
constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                              HTML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_BIG_LINES;

std::string text(const xmlChar* content) {
    return content ? std::string(reinterpret_cast<const char*>(content)) : std::string();
}

// Elements at this depth hold the rest of their subtree flattened in
// document order, as browsers' parsers bound the depth of what they build:
// no walk of the tree goes deeper.
constexpr int kMaxTreeDepth = 512;

json convert(xmlNode* node, int depth);

json children(xmlNode* first, int depth) {
    json list = json::array();
    for (xmlNode* child = first; child != nullptr; child = child->next) {
        json converted = convert(child, depth);
        if (!converted.is_null()) {
            list.push_back(std::move(converted));
        }
    }
    return list;
}

// The nodes under `first` and its siblings in document order, each without
// children.
json flattened(xmlNode* first) {
    json list = json::array();
    std::vector<xmlNode*> stack;
    for (xmlNode* node = first; node != nullptr;) {
        json converted = convert(node, kMaxTreeDepth);
        if (!converted.is_null()) {
            list.push_back(std::move(converted));
        }
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            stack.push_back(node->next);
            node = node->children;
            continue;
        }
        node = node->next;
        while (node == nullptr && !stack.empty()) {
            node = stack.back();
            stack.pop_back();
        }
    }
    return list;
}

json convert(xmlNode* node, int depth) {
    switch (node->type) {
        case XML_ELEMENT_NODE: {
            json attributes = json::array();
            for (xmlAttr* attribute = node->properties; attribute != nullptr;
                 attribute = attribute->next) {
                xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
                attributes.push_back(json::array({text(attribute->name), text(value)}));
                xmlFree(value);
            }
            json content = depth < kMaxTreeDepth - 1    ? children(node->children, depth + 1)
                           : depth == kMaxTreeDepth - 1 ? flattened(node->children)
                                                        : json::array();
            json element = json::array({1, foundation::lowercase(text(node->name)),
                                        std::move(attributes), std::move(content)});
            if (element[1] == "script") {
                element.push_back(xmlGetLineNo(node));
            }
            return element;
        }
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            return json::array({3, text(node->content)});
        case XML_COMMENT_NODE:
            return json::array({8, text(node->content)});
        default:
            return nullptr;
    }
}

xmlDoc* parse(std::string_view html) {
    return htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                          kParseOptions);
}

xmlNode* childNamed(xmlNode* parent, const char* name) {
    for (xmlNode* child = parent ? parent->children : nullptr; child != nullptr;
         child = child->next) {
        if (child->type == XML_ELEMENT_NODE &&
            xmlStrcasecmp(child->name, reinterpret_cast<const xmlChar*>(name)) == 0) {
            return child;
        }
    }
    return nullptr;
}

std::string dump(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

std::string HTMLTreeBuilder::documentTree(std::string_view html) {
    json head = json::array({1, "head", json::array(), json::array()});
    json body = json::array({1, "body", json::array(), json::array()});
    json root = json::array({1, "html", json::array(), json::array()});
    if (xmlDoc* document = html.empty() ? nullptr : parse(html)) {
        if (xmlNode* element = xmlDocGetRootElement(document)) {
            json converted = convert(element, 0);
            if (converted.is_array() && converted[1] == "html") {
                root = std::move(converted);
            } else if (!converted.is_null()) {
                body[3].push_back(std::move(converted));
            }
        }
        xmlFreeDoc(document);
    }
    // Make sure the document has its head and body, in that order.
    bool hasHead = false;
    bool hasBody = false;
    for (const auto& child : root[3]) {
        if (child[0] == 1 && child[1] == "head") {
            hasHead = true;
        }
        if (child[0] == 1 && child[1] == "body") {
            hasBody = true;
        }
    }
    if (!hasHead) {
        root[3].insert(root[3].begin(), head);
    }
    if (!hasBody) {
        root[3].push_back(body);
    }
    return dump(root);
}

std::string HTMLTreeBuilder::fragmentTree(std::string_view html) {
    json nodes = json::array();
    if (!html.empty()) {
        const std::string wrapped = "<html><body>" + std::string(html) + "</body></html>";
        if (xmlDoc* document = parse(wrapped)) {
            xmlNode* root = xmlDocGetRootElement(document);
            xmlNode* body = childNamed(root, "body");
            if (xmlNode* head = childNamed(root, "head")) {
                // Elements the parser moved into the head (title, meta, script
                // before any text) still belong to the fragment.
                for (auto& node : children(head->children, 2)) {
                    nodes.push_back(std::move(node));
                }
            }
            if (body != nullptr) {
                for (auto& node : children(body->children, 2)) {
                    nodes.push_back(std::move(node));
                }
            }
            xmlFreeDoc(document);
        }
    }
    return dump(nodes);
}

std::string HTMLTreeBuilder::toUTF8(std::string_view bytes, std::string_view charset) {
    const std::string name = foundation::lowercase(charset);
    std::string out;
    out.reserve(bytes.size());
    if (name == "iso-8859-1" || name == "latin1" || name == "iso8859-1" || name == "windows-1252" ||
        name == "us-ascii") {
        for (unsigned char c : bytes) {
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else {
                out.push_back(static_cast<char>(0xC0 | (c >> 6)));
                out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            }
        }
        return out;
    }
    // UTF-8, with invalid sequences replaced.
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        i = 3;
    }
    while (i < n) {
        const unsigned char c = p[i];
        size_t length = 0;
        if (c < 0x80) {
            length = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
        }
        bool valid = length > 0 && i + length <= n;
        for (size_t k = 1; valid && k < length; ++k) {
            valid = (p[i + k] & 0xC0) == 0x80;
        }
        if (valid && length == 3) {
            valid = !(c == 0xE0 && p[i + 1] < 0xA0) && !(c == 0xED && p[i + 1] >= 0xA0);
        }
        if (valid && length == 4) {
            valid = !(c == 0xF0 && p[i + 1] < 0x90) && !(c == 0xF4 && p[i + 1] >= 0x90);
        }
        if (valid) {
            out.append(reinterpret_cast<const char*>(p + i), length);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

}  // namespace web
