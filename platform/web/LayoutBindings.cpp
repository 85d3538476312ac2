#include "platform/web/LayoutBindings.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/web/DocumentReader.h"
#include "platform/web/PageGeometry.h"
#include "platform/web/Painter.h"
#include "platform/web/ScriptEngine.h"
#include "platform/web/WebView.h"

namespace web {

namespace {

// Native hooks: __nativeLayout(documentJSON, width, height) -> the
// geometry (see PageGeometry) of the document laid out in that viewport,
// kept for __nativeElementAt(x, y) -> the index of the element drawn
// topmost there, or -1. A layout is made only when the DOM, a style or the
// window changed since the last one (`cache` is dropped then).
constexpr std::string_view kBindings = R"JS(
(function (global, readDocument) {
'use strict';
var native = {layout: global.__nativeLayout, elementAt: global.__nativeElementAt, info: global.__nativeInfo};
var Element = global.Element, Node = global.Node, Text = global.Text, Document = global.Document;
var cache = null, scroll = {x: 0, y: 0};
function invalidate() { cache = null; }

// What changes the layout drops it.
function invalidating(owner, name) {
  var f = owner[name];
  owner[name] = function () { cache = null; return f.apply(this, arguments); };
}
invalidating(Node.prototype, 'insertBefore');
invalidating(Node.prototype, 'removeChild');
invalidating(Node.prototype, '_removeAll');
invalidating(Element.prototype, 'setAttribute');
invalidating(Element.prototype, 'removeAttribute');
invalidating(global.__dom, 'loadDocument');
invalidating(global.__dom, 'resourceDone');
Object.defineProperty(Text.prototype, 'data', {
  get: function () { return this._data; },
  set: function (v) { Object.defineProperty(this, '_data', {value: String(v), writable: true, configurable: true}); cache = null; },
  configurable: true
});

function frameElementOf(id) {
  var frames = global.document.querySelectorAll('iframe, frame');
  for (var i = 0; i < frames.length; i++) if (frames[i]._frameId === id) return frames[i];
  return null;
}
// The window's size: the view's for the main frame, the inside of its
// element's box for a frame (none while that has no box).
function windowSize() {
  var info = native.info() || {};
  if (!info.frameId) return {width: info.width || 0, height: info.height || 0};
  try {
    var size = global.parent.__layout.frameSize(info.frameId);
    if (size) return size;
  } catch (e) {}
  return {width: 0, height: 0};
}

function layout() {
  if (cache) return cache;
  var elements = [], size = windowSize();
  var answer = native.layout(readDocument(global.document, elements), size.width, size.height);
  var geometry = answer ? JSON.parse(answer) : {width: 0, height: 0, elements: []};
  var entries = new Map();
  elements.forEach(function (e, i) { if (geometry.elements[i]) entries.set(e, geometry.elements[i]); });
  cache = {elements: elements, entries: entries, width: geometry.width, height: geometry.height, size: size};
  return cache;
}
function entryOf(e) { return layout().entries.get(e) || null; }
// [x, y, width, height, border top, right, bottom, left, extent right,
// extent bottom, own box] or null.
function boxOf(e) { var entry = entryOf(e); return entry && entry.box ? entry.box : null; }
function isRoot(e) { var d = e.ownerDocument; return d && (e === d.documentElement || e === d.body); }

function DOMRect(x, y, width, height) {
  this.x = this.left = x; this.y = this.top = y; this.width = width; this.height = height;
  this.right = x + width; this.bottom = y + height;
}
DOMRect.prototype.toJSON = function () {
  return {x: this.x, y: this.y, width: this.width, height: this.height, top: this.top, right: this.right, bottom: this.bottom, left: this.left};
};
global.DOMRect = DOMRect;

Element.prototype.getBoundingClientRect = function () {
  var b = boxOf(this);
  return b ? new DOMRect(b[0] - scroll.x, b[1] - scroll.y, b[2], b[3]) : new DOMRect(0, 0, 0, 0);
};
Element.prototype.getClientRects = function () { return boxOf(this) ? [this.getBoundingClientRect()] : []; };
function clientWidth(e) {
  if (e === e.ownerDocument.documentElement) return layout().size.width;
  var b = boxOf(e); return b && b[10] ? Math.round(b[2] - b[5] - b[7]) : 0;
}
function clientHeight(e) {
  if (e === e.ownerDocument.documentElement) return layout().size.height;
  var b = boxOf(e); return b && b[10] ? Math.round(b[3] - b[4] - b[6]) : 0;
}
function offsetParent(e) {
  var entry = entryOf(e);
  if (!entry || !entry.box || isRoot(e) || entry.style.position === 'fixed') return null;
  for (var n = e.parentNode; n && n.nodeType === 1; n = n.parentNode) {
    var style = (entryOf(n) || {style: {}}).style;
    if (n === n.ownerDocument.body || style.position !== 'static') return n;
  }
  return null;
}
function offset(e, axis) {
  var b = boxOf(e);
  if (!b) return 0;
  var parent = offsetParent(e), p = parent && !isRoot(parent) ? boxOf(parent) : null;
  return Math.round(axis ? b[1] - (p ? p[1] + p[4] : 0) : b[0] - (p ? p[0] + p[7] : 0));
}
function scrollSize(e, axis) {
  if (isRoot(e)) return Math.round(Math.max(axis ? layout().height : layout().width, axis ? clientHeight(e) : clientWidth(e)));
  var b = boxOf(e);
  if (!b) return 0;
  var client = axis ? clientHeight(e) : clientWidth(e);
  return Math.round(Math.max(client, axis ? b[9] - b[1] - b[4] - b[6] : b[8] - b[0] - b[7] - b[5]));
}
Object.defineProperties(Element.prototype, {
  clientWidth: {get: function () { return clientWidth(this); }, configurable: true},
  clientHeight: {get: function () { return clientHeight(this); }, configurable: true},
  clientLeft: {get: function () { var b = boxOf(this); return b ? b[7] : 0; }, configurable: true},
  clientTop: {get: function () { var b = boxOf(this); return b ? b[4] : 0; }, configurable: true},
  offsetWidth: {get: function () { var b = boxOf(this); return b ? Math.round(b[2]) : 0; }, configurable: true},
  offsetHeight: {get: function () { var b = boxOf(this); return b ? Math.round(b[3]) : 0; }, configurable: true},
  offsetLeft: {get: function () { return offset(this, 0); }, configurable: true},
  offsetTop: {get: function () { return offset(this, 1); }, configurable: true},
  offsetParent: {get: function () { return offsetParent(this); }, configurable: true},
  scrollWidth: {get: function () { return scrollSize(this, 0); }, configurable: true},
  scrollHeight: {get: function () { return scrollSize(this, 1); }, configurable: true},
  scrollLeft: {get: function () { return isRoot(this) ? scroll.x : 0; },
               set: function (v) { if (isRoot(this)) scrollToPoint(v, scroll.y); }, configurable: true},
  scrollTop: {get: function () { return isRoot(this) ? scroll.y : 0; },
              set: function (v) { if (isRoot(this)) scrollToPoint(scroll.x, v); }, configurable: true}
});

// Computed styles: the values the painter works with.
function camel(name) { return name.replace(/-([a-z])/g, function (m, c) { return c.toUpperCase(); }); }
global.getComputedStyle = function (e) {
  var entry = e && e.nodeType === 1 ? entryOf(e) : null, values = entry ? entry.style : {};
  var style = {
    getPropertyValue: function (name) { var v = values[String(name).toLowerCase()]; return v === undefined ? '' : v; },
    length: Object.keys(values).length,
    item: function (i) { return Object.keys(values)[i] || ''; }
  };
  Object.keys(values).forEach(function (name) { style[camel(name)] = values[name]; });
  return style;
};

Document.prototype.elementFromPoint = function (x, y) {
  var c = layout();
  x = Number(x); y = Number(y);
  if (!(x >= 0 && y >= 0 && x < c.size.width && y < c.size.height)) return null;
  var index = native.elementAt(x + scroll.x, y + scroll.y);
  return (index >= 0 && c.elements[index]) || this.body || this.documentElement;
};

// The window: its size, its scroll position.
['innerWidth', 'outerWidth'].forEach(function (name) {
  Object.defineProperty(global, name, {get: function () { return windowSize().width; }, set: function () {}, configurable: true});
});
['innerHeight', 'outerHeight'].forEach(function (name) {
  Object.defineProperty(global, name, {get: function () { return windowSize().height; }, set: function () {}, configurable: true});
});
function scrollToPoint(x, y) {
  var c = layout();
  x = Math.max(0, Math.min(Number(x) || 0, c.width - c.size.width));
  y = Math.max(0, Math.min(Number(y) || 0, c.height - c.size.height));
  if (x === scroll.x && y === scroll.y) return;
  scroll.x = x; scroll.y = y;
  global.setTimeout(function () { global.document.dispatchEvent(new global.Event('scroll', {bubbles: true})); }, 0);
}
function scrollArguments(args, base) {
  var a = args[0];
  if (a && typeof a === 'object') return [a.left === undefined ? base.x : base.x + Number(a.left), a.top === undefined ? base.y : base.y + Number(a.top)];
  return [base.x + Number(args[0] || 0), base.y + Number(args[1] || 0)];
}
global.scrollTo = global.scroll = function () { var p = scrollArguments(arguments, {x: 0, y: 0}); scrollToPoint(p[0], p[1]); };
global.scrollBy = function () { var p = scrollArguments(arguments, scroll); scrollToPoint(p[0], p[1]); };
['scrollX', 'pageXOffset'].forEach(function (name) {
  Object.defineProperty(global, name, {get: function () { return scroll.x; }, configurable: true});
});
['scrollY', 'pageYOffset'].forEach(function (name) {
  Object.defineProperty(global, name, {get: function () { return scroll.y; }, configurable: true});
});

global.__layout = {
  // The inside of a child frame's element, or null.
  frameSize: function (frameId) {
    var e = frameElementOf(frameId);
    return e && boxOf(e) ? {width: clientWidth(e), height: clientHeight(e)} : null;
  },
  // The view changed its size.
  resized: function () {
    cache = null;
    global.dispatchEvent(new global.Event('resize'));
  }
};
})
)JS";

}  // namespace

void LayoutBindings::install(ScriptEngine& engine, WebView& view) {
    auto kept = std::make_shared<std::optional<LayoutBox>>();
    engine.defineFunction("__nativeLayout", [&view,
                                             kept](const std::vector<foundation::Value>& args) {
        kept->reset();
        auto document = args.empty() ? std::nullopt : DocumentReader::parse(args[0].stringValue());
        if (!document || args.size() < 3) {
            return foundation::Value();
        }
        *kept = Painter::layoutDocument(
            view, *document,
            {std::max(0.0, args[1].doubleValue()), std::max(0.0, args[2].doubleValue())});
        return foundation::Value(PageGeometry::describe(*document, **kept));
    });
    engine.defineFunction("__nativeElementAt", [kept](const std::vector<foundation::Value>& args) {
        if (!*kept || args.size() < 2) {
            return foundation::Value(-1);
        }
        return foundation::Value(
            PageGeometry::elementAt(**kept, {args[0].doubleValue(), args[1].doubleValue()}));
    });
    engine.evaluate(
        std::string(kBindings) + "(this, " + std::string(DocumentReader::function()) + ")",
        "about:layout");
}

}  // namespace web
