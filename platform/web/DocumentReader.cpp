#include "platform/web/DocumentReader.h"

#include "platform/foundation/JSON.h"

namespace web {

namespace {

// A document is {url, sheets: [text], root: node}; an element node is
// [1, tag, [[name, value]...], style, index, [children], frameDocument|null,
// canvasId|0],
// a text node [3, text]. Only elements, texts and frames are read.
constexpr std::string_view kScript = R"JS(
(function () {
  function styleOf(e) {
    var text = e.getAttribute('style') || '', o = e.style;
    if (o && typeof o === 'object') {
      if (typeof o.cssText === 'string' && o.cssText) text += ';' + o.cssText;
      Object.keys(o).forEach(function (k) {
        var v = o[k];
        if (k === 'cssText' || (typeof v !== 'string' && typeof v !== 'number') || String(v) === '') return;
        text += ';' + k.replace(/[A-Z]/g, function (c) { return '-' + c.toLowerCase(); }) + ':' + v;
      });
    }
    return text;
  }
  function read(d, depth) {
    var counter = 0, sheets = [];
    function node(n) {
      if (n.nodeType === 3) return [3, String(n.data)];
      if (n.nodeType !== 1) return null;
      var index = counter++, tag = n.localName;
      if (tag === 'style') sheets.push(n.textContent);
      var attributes = (n.attributes || []).map(function (a) { return [String(a.name), String(a.value)]; });
      var children = [];
      n.childNodes.forEach(function (c) { var r = node(c); if (r) children.push(r); });
      var frame = null;
      if ((tag === 'iframe' || tag === 'frame') && depth < 4) {
        var inner = null;
        try { inner = n.contentDocument; } catch (e) { inner = null; }
        if (inner && inner.documentElement) frame = read(inner, depth + 1);
      }
      return [1, tag, attributes, styleOf(n), index, children, frame, n._canvasId || 0];
    }
    var root = d.documentElement ? node(d.documentElement) : null;
    return {url: String(d.URL || ''), sheets: sheets, root: root};
  }
  return JSON.stringify(read(document, 0));
})()
)JS";

std::string stringAt(const foundation::Value& value, std::size_t index) {
    const auto* array = value.asArray();
    if (!array || index >= array->size()) {
        return {};
    }
    const auto* text = (*array)[index].asString();
    return text ? *text : std::string();
}

std::optional<PageDocument> readDocument(const foundation::Value& value, int depth);

std::optional<PageNode> readNode(const foundation::Value& value, int depth) {
    const auto* array = value.asArray();
    if (!array || array->empty() || depth > 512) {
        return std::nullopt;
    }
    PageNode node;
    int kind = static_cast<int>((*array)[0].doubleValue());
    if (kind == 3) {
        node.isText = true;
        node.text = stringAt(value, 1);
        return node;
    }
    if (kind != 1 || array->size() < 6) {
        return std::nullopt;
    }
    node.tag = stringAt(value, 1);
    if (const auto* attributes = (*array)[2].asArray()) {
        for (const auto& pair : *attributes) {
            node.attributes[stringAt(pair, 0)] = stringAt(pair, 1);
        }
    }
    node.style = stringAt(value, 3);
    node.elementIndex = static_cast<int>((*array)[4].doubleValue());
    if (const auto* children = (*array)[5].asArray()) {
        for (const auto& child : *children) {
            if (auto parsed = readNode(child, depth + 1)) {
                node.children.push_back(std::move(*parsed));
            }
        }
    }
    if (array->size() > 6 && (*array)[6].isDictionary()) {
        if (auto frame = readDocument((*array)[6], depth + 1)) {
            node.frame = std::make_shared<PageDocument>(std::move(*frame));
        }
    }
    if (array->size() > 7) {
        node.canvas = static_cast<int>((*array)[7].doubleValue());
    }
    return node;
}

std::optional<PageDocument> readDocument(const foundation::Value& value, int depth) {
    if (!value.isDictionary()) {
        return std::nullopt;
    }
    PageDocument document;
    if (const auto* url = value["url"].asString()) {
        document.url = *url;
    }
    if (const auto* sheets = value["sheets"].asArray()) {
        for (const auto& sheet : *sheets) {
            if (const auto* text = sheet.asString()) {
                document.styleSheets.push_back(*text);
            }
        }
    }
    auto root = readNode(value["root"], depth);
    if (!root) {
        return std::nullopt;
    }
    document.root = std::move(*root);
    return document;
}

}  // namespace

std::string_view DocumentReader::script() {
    return kScript;
}

std::optional<PageDocument> DocumentReader::parse(std::string_view json) {
    auto value = foundation::JSON::parse(json);
    if (!value) {
        return std::nullopt;
    }
    return readDocument(*value, 0);
}

}  // namespace web
