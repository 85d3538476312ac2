#include "ui/TFHpple/TFHppleQuery.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <climits>
#include <memory>

#include "platform/foundation/NestingLimit.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UTF16.h"

namespace {

// HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING: broken pages are read as well as
// they can be, silently; nothing is fetched from the network. Neither form
// asks for XML_PARSE_HUGE: libxml2 stops building the tree 256 levels deep.
constexpr int htmlOptions = HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;
// Recovery mode, silent. No XML_PARSE_NOENT and no DTD loading: a document
// cannot pull local files or network resources into its text through entities.
constexpr int xmlOptions =
    XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET;

void initializeParser() {
    static const bool initialized = [] {
        xmlInitParser();
        return true;
    }();
    (void)initialized;
}

struct DocumentFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

// A libxml2 string as UTF-8 text; nullopt when absent or not valid UTF-8.
std::optional<std::string> text(const xmlChar* characters) {
    if (characters == nullptr) {
        return std::nullopt;
    }
    std::string value(reinterpret_cast<const char*>(characters));
    if (!foundation::utf16::isValidUTF8(value)) {
        return std::nullopt;
    }
    return value;
}

// Takes over a string that libxml2 allocated, freeing it on every path.
std::optional<std::string> ownedText(xmlChar* characters) {
    std::optional<std::string> value = text(characters);
    xmlFree(characters);
    return value;
}

bool isNamed(const foundation::Value& dictionary, std::string_view name) {
    const std::string* nodeName = dictionary.get("nodeName").asString();
    return nodeName != nullptr && *nodeName == name;
}

// Node types whose children are nodes of their own; the children of the
// other types (declarations of a DTD, the entity behind an entity reference)
// are not.
bool hasNodeChildren(xmlElementType type) {
    switch (type) {
        case XML_ELEMENT_NODE:
        case XML_ATTRIBUTE_NODE:
        case XML_DOCUMENT_NODE:
        case XML_HTML_DOCUMENT_NODE:
        case XML_DOCUMENT_FRAG_NODE:
            return true;
        default:
            return false;
    }
}

void ignoreXPathError(void*, xmlErrorPtr) {}

std::optional<foundation::Array> query(Document document, std::string_view expression) {
    if (!document) {
        return std::nullopt;
    }
    return TFHppleEvaluateXPath(document.get(), expression);
}

const char* encodingName(const std::optional<std::string>& encoding) {
    return encoding ? encoding->c_str() : nullptr;
}

}  // namespace

std::optional<foundation::Array> TFHppleHTMLQuery(const foundation::Data& data,
                                                  std::string_view expression,
                                                  const std::optional<std::string>& encoding) {
    initializeParser();
    if (data.empty() || data.size() > INT_MAX) {
        return std::nullopt;
    }
    return query(Document(htmlReadMemory(reinterpret_cast<const char*>(data.data()),
                                         static_cast<int>(data.size()), "", encodingName(encoding),
                                         htmlOptions)),
                 expression);
}

std::optional<foundation::Array> TFHppleXMLQuery(const foundation::Data& data,
                                                 std::string_view expression,
                                                 const std::optional<std::string>& encoding) {
    initializeParser();
    if (data.empty() || data.size() > INT_MAX) {
        return std::nullopt;
    }
    return query(Document(xmlReadMemory(reinterpret_cast<const char*>(data.data()),
                                        static_cast<int>(data.size()), "", encodingName(encoding),
                                        xmlOptions)),
                 expression);
}

std::optional<foundation::Array> TFHppleEvaluateXPath(xmlDocPtr document,
                                                      std::string_view expression) {
    if (document == nullptr) {
        return std::nullopt;
    }
    xmlXPathContextPtr context = xmlXPathNewContext(document);
    if (context == nullptr) {
        return std::nullopt;
    }
    context->error = ignoreXPathError;
    const std::string utf8(expression);
    xmlXPathObjectPtr result =
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(utf8.c_str()), context);
    std::optional<foundation::Array> dictionaries;
    if (result != nullptr && result->type == XPATH_NODESET && result->nodesetval != nullptr) {
        dictionaries.emplace();
        const xmlNodeSetPtr nodes = result->nodesetval;
        for (int i = 0; i < nodes->nodeNr; ++i) {
            if (auto dictionary = TFHppleNodeDictionary(nodes->nodeTab[i], nullptr, false)) {
                dictionaries->push_back(std::move(*dictionary));
            }
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return dictionaries;
}

std::optional<foundation::Value> TFHppleNodeDictionary(xmlNodePtr node, foundation::Value* parent,
                                                       bool parentIsAttribute, int depth) {
    // Namespace nodes of a node set are not nodes at all (xmlNs).
    if (node == nullptr || node->type == XML_NAMESPACE_DECL ||
        depth > foundation::kMaximumNestingDepth) {
        return std::nullopt;
    }
    foundation::Value dictionary = foundation::Value::dictionary();
    if (auto name = text(node->name)) {
        dictionary.set("nodeName", *name);
    }

    if (auto content = ownedText(xmlNodeGetContent(node))) {
        if (isNamed(dictionary, "text") && parent != nullptr) {
            if (parentIsAttribute) {
                parent->set("nodeContent", foundation::trimWhitespaceAndNewlines(*content));
                return std::nullopt;
            }
            return foundation::Value::dictionary(
                {{"nodeName", "text"}, {"nodeContent", std::move(*content)}});
        }
        dictionary.set("nodeContent", std::move(*content));
    }

    if (node->type == XML_ELEMENT_NODE) {
        foundation::Array attributes;
        for (xmlAttrPtr attribute = node->properties; attribute != nullptr;
             attribute = attribute->next) {
            foundation::Value attributeDictionary = foundation::Value::dictionary();
            if (auto name = text(attribute->name)) {
                attributeDictionary.set("attributeName", *name);
            }
            if (attribute->children != nullptr) {
                if (auto child = TFHppleNodeDictionary(attribute->children, &attributeDictionary,
                                                       true, depth + 1)) {
                    attributeDictionary.set("attributeContent", std::move(*child));
                }
            }
            if (attributeDictionary.count() > 0) {
                attributes.push_back(std::move(attributeDictionary));
            }
        }
        if (!attributes.empty()) {
            dictionary.set("nodeAttributeArray", std::move(attributes));
        }
    }

    if (hasNodeChildren(node->type)) {
        foundation::Array children;
        for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
            if (auto childDictionary =
                    TFHppleNodeDictionary(child, &dictionary, false, depth + 1)) {
                children.push_back(std::move(*childDictionary));
            }
        }
        if (!children.empty()) {
            dictionary.set("nodeChildArray", std::move(children));
        }
    }

    xmlBufferPtr buffer = xmlBufferCreate();
    if (buffer != nullptr) {
        xmlNodeDump(buffer, node->doc, node, 0, 0);
        if (auto raw = text(xmlBufferContent(buffer))) {
            dictionary.set("raw", std::move(*raw));
        }
        xmlBufferFree(buffer);
    }
    return dictionary;
}
