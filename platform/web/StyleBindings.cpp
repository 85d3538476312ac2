#include "platform/web/StyleBindings.h"

namespace web {

namespace {

constexpr std::string_view kBindings = R"JS(
(function (global) {
'use strict';
var Element = global.Element;

// Inline style declarations: [name, value, important] in their order.
function parseDeclarations(text) {
  var out = [];
  String(text || '').split(';').forEach(function (d) {
    var i = d.indexOf(':');
    if (i <= 0) return;
    var name = d.slice(0, i).trim().toLowerCase(), value = d.slice(i + 1).trim(), important = false;
    var bang = /\s*!\s*important$/i.exec(value);
    if (bang) { important = true; value = value.slice(0, bang.index); }
    if (name && value) out.push([name, value, important]);
  });
  return out;
}
function serializeDeclarations(list) {
  return list.map(function (d) { return d[0] + ': ' + d[1] + (d[2] ? ' !important' : '') + ';'; }).join(' ');
}
function dashed(name) {
  if (name === 'cssFloat') return 'float';
  return String(name).replace(/[A-Z]/g, function (c) { return '-' + c.toLowerCase(); }).replace(/^(webkit|moz|ms)-/, '-$1-');
}

function CSSStyleDeclaration(element) { Object.defineProperty(this, '_element', {value: element}); }
CSSStyleDeclaration.prototype = {
  constructor: CSSStyleDeclaration,
  _list: function () { return parseDeclarations(this._element.getAttribute('style')); },
  _store: function (list) {
    if (list.length) this._element.setAttribute('style', serializeDeclarations(list));
    else this._element.removeAttribute('style');
  },
  getPropertyValue: function (name) {
    name = String(name).toLowerCase();
    var found = this._list().filter(function (d) { return d[0] === name; }).pop();
    return found ? found[1] : '';
  },
  getPropertyPriority: function (name) {
    name = String(name).toLowerCase();
    var found = this._list().filter(function (d) { return d[0] === name; }).pop();
    return found && found[2] ? 'important' : '';
  },
  setProperty: function (name, value, priority) {
    name = String(name).toLowerCase();
    if (value === null || value === undefined || String(value).trim() === '') { this.removeProperty(name); return; }
    var list = this._list().filter(function (d) { return d[0] !== name; });
    list.push([name, String(value).trim(), String(priority || '').toLowerCase() === 'important']);
    this._store(list);
  },
  removeProperty: function (name) {
    name = String(name).toLowerCase();
    var old = this.getPropertyValue(name), list = this._list();
    var kept = list.filter(function (d) { return d[0] !== name; });
    if (kept.length !== list.length) this._store(kept);
    return old;
  },
  item: function (i) { var d = this._list()[i]; return d ? d[0] : ''; }
};
Object.defineProperties(CSSStyleDeclaration.prototype, {
  cssText: {
    get: function () { return serializeDeclarations(this._list()); },
    set: function (text) { this._store(parseDeclarations(text)); }
  },
  length: {get: function () { return this._list().length; }}
});
// The properties pages set by their script names.
('alignItems background backgroundColor backgroundImage backgroundPosition backgroundRepeat backgroundSize ' +
 'border borderBottom borderColor borderLeft borderRadius borderRight borderStyle borderTop borderWidth bottom ' +
 'boxShadow boxSizing clear clip color cssFloat cursor direction display flex flexDirection flexWrap font ' +
 'fontFamily fontSize fontStyle fontWeight height justifyContent left letterSpacing lineHeight listStyle margin ' +
 'marginBottom marginLeft marginRight marginTop maxHeight maxWidth minHeight minWidth opacity outline overflow ' +
 'overflowX overflowY padding paddingBottom paddingLeft paddingRight paddingTop pointerEvents position right ' +
 'textAlign textDecoration textOverflow textShadow textTransform top transform transformOrigin transition ' +
 'userSelect verticalAlign visibility webkitTransform webkitTransition whiteSpace width wordBreak wordWrap zIndex')
  .split(' ').forEach(function (name) {
    var css = dashed(name);
    Object.defineProperty(CSSStyleDeclaration.prototype, name, {
      get: function () { return this.getPropertyValue(css); },
      set: function (v) { this.setProperty(css, v); }
    });
  });
global.CSSStyleDeclaration = CSSStyleDeclaration;

Object.defineProperty(Element.prototype, 'style', {
  get: function () {
    if (!Object.prototype.hasOwnProperty.call(this, '_style')) Object.defineProperty(this, '_style', {value: new CSSStyleDeclaration(this)});
    return this._style;
  },
  set: function (text) { this.style.cssText = String(text); },
  configurable: true
});

// Rendered text: whitespace collapsed outside preformatted elements, a line
// break around each block and at each <br>, nothing of what is not shown.
var BLOCKS = {address:1, article:1, aside:1, blockquote:1, dd:1, div:1, dl:1, dt:1, fieldset:1, figcaption:1,
  figure:1, footer:1, form:1, h1:1, h2:1, h3:1, h4:1, h5:1, h6:1, header:1, hr:1, li:1, main:1, nav:1, ol:1,
  p:1, pre:1, section:1, table:1, tr:1, ul:1, body:1, html:1, center:1};
var HIDDEN = {script:1, style:1, head:1, title:1, template:1, noscript:1, meta:1, link:1};
function hidden(e) { return HIDDEN[e.localName] || /(^|;)\s*display\s*:\s*none/i.test(e.getAttribute('style') || ''); }
function renderedText(root) {
  var parts = [];
  function breakLine() { if (parts.length && parts[parts.length - 1] !== '\n') parts.push('\n'); }
  function visit(n, pre) {
    if (n.nodeType === 3) {
      var text = pre ? n.data : n.data.replace(/[ \t\r\n\f]+/g, ' ');
      if (!pre && (parts.length === 0 || /[ \n]$/.test(parts[parts.length - 1]))) text = text.replace(/^ /, '');
      if (text) parts.push(text);
      return;
    }
    if (n.nodeType !== 1 || hidden(n)) return;
    if (n.localName === 'br') { parts.push('\n'); return; }
    var block = BLOCKS[n.localName];
    if (block) breakLine();
    var inner = pre || n.localName === 'pre';
    n.childNodes.forEach(function (c) { visit(c, inner); });
    if (block) breakLine();
  }
  root.childNodes.forEach(function (c) { visit(c, root.localName === 'pre'); });
  return parts.join('').replace(/ +\n/g, '\n').replace(/\n +/g, '\n').replace(/^\n+|\n+$/g, '').replace(/ $/, '');
}
Object.defineProperty(Element.prototype, 'innerText', {
  get: function () { return this.isConnected && !hidden(this) ? renderedText(this) : this.textContent; },
  set: function (value) {
    var doc = this.ownerDocument, self = this;
    this.textContent = '';
    String(value === null || value === undefined ? '' : value).split(/\r\n|\r|\n/).forEach(function (line, i) {
      if (i > 0) self.appendChild(doc.createElement('br'));
      if (line) self.appendChild(doc.createTextNode(line));
    });
  },
  configurable: true
});
Object.defineProperty(Element.prototype, 'outerText', Object.getOwnPropertyDescriptor(Element.prototype, 'innerText'));
})(this);
)JS";

}  // namespace

std::string_view StyleBindings::script() {
    return kBindings;
}

}  // namespace web
