#include "platform/web/DOMPrelude.h"

namespace web {

namespace {

// The DOM of one frame, run in that frame's own global context. Native hooks
// (defined by the web view for this frame before this runs):
//   __nativeNavigate(frameId, url, type, newWindow)   asks for a navigation of
//                                                      this frame or a child
//   __nativeResolve(url) -> absolute URL against this frame's document, or ""
//   __nativeFrameURL() -> this frame's document URL
//   __nativeSetTimer(id, milliseconds, repeats), __nativeClearTimer(id)
//   __nativeLog(level, text)
//   __nativeEvaluate(code, url, line)                  runs a script of the page
//                                                      (errors name url and line)
//   __nativeParseFragment(html) -> JSON tree of the nodes
//   __nativeLoadScript(url, key)                       a script added later
//   __nativeLoadResource(url, key)                     an image or pixel
//   __nativeCreateFrame() -> the id of a new child frame
//   __nativeCookie() -> the cookies of this document's URL
//   __nativeSetCookie(text)                            one Set-Cookie line
//   __nativeInfo() -> {userAgent, width, height, frameId}
// The web view sets the globals `parent` and `top` of a child frame, and
// `__frameWindows[id]`, the global of each child frame, in its parent.
constexpr std::string_view kPrelude = R"JS(
(function (global) {
'use strict';
var native = {
  navigate: global.__nativeNavigate, resolve: global.__nativeResolve,
  frameURL: global.__nativeFrameURL, setTimer: global.__nativeSetTimer,
  clearTimer: global.__nativeClearTimer, log: global.__nativeLog,
  parseFragment: global.__nativeParseFragment, loadScript: global.__nativeLoadScript,
  createFrame: global.__nativeCreateFrame, info: global.__nativeInfo,
  loadResource: global.__nativeLoadResource, cookie: global.__nativeCookie,
  setCookie: global.__nativeSetCookie, evaluate: global.__nativeEvaluate
};
var info = native.info() || {};
var FRAME = info.frameId || 0;
var NAV_LINK = 0, NAV_OTHER = 5;
var VOID = {area:1, base:1, br:1, col:1, embed:1, hr:1, img:1, input:1, link:1, meta:1, param:1, source:1, track:1, wbr:1};
var RAW = {script:1, style:1};

function escapeText(s) { return String(s).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;'); }
function escapeAttr(s) { return String(s).replace(/&/g, '&amp;').replace(/"/g, '&quot;'); }

// Events
function Event(type, init) {
  init = init || {};
  this.type = String(type); this.bubbles = !!init.bubbles; this.cancelable = !!init.cancelable;
  this.defaultPrevented = false; this.target = null; this.currentTarget = null;
  this.eventPhase = 0; this.timeStamp = Date.now(); this._stop = false;
}
Event.prototype.initEvent = function (type, bubbles, cancelable) {
  this.type = String(type); this.bubbles = !!bubbles; this.cancelable = !!cancelable;
};
Event.prototype.preventDefault = function () { if (this.cancelable) this.defaultPrevented = true; };
Event.prototype.stopPropagation = function () { this._stop = true; };
Event.prototype.stopImmediatePropagation = function () { this._stop = true; this._stopNow = true; };

// Where an error was thrown: its script's URL and line, else the document.
function errorPlace(e) {
  var url = e && typeof e === 'object' && e.sourceURL ? e.sourceURL : here.document.URL;
  return url + (e && typeof e === 'object' && e.line ? ':' + e.line : '');
}
function reportError(e) {
  native.log('error', 'Uncaught ' + String(e) + ' in ' + errorPlace(e) + (e && e.stack ? '\n' + e.stack : ''));
}

var eventTargetMethods = {
  addEventListener: function (type, listener, options) {
    if (!listener) return;
    if (!Object.prototype.hasOwnProperty.call(this, '_listeners')) Object.defineProperty(this, '_listeners', {value: {}, enumerable: false});
    var map = this._listeners;
    var list = map[type] || (map[type] = []);
    if (list.indexOf(listener) < 0) list.push(listener);
  },
  removeEventListener: function (type, listener) {
    var list = Object.prototype.hasOwnProperty.call(this, '_listeners') && this._listeners[type];
    if (list) { var i = list.indexOf(listener); if (i >= 0) list.splice(i, 1); }
  },
  dispatchEvent: function (event) {
    if (!event.target) event.target = this;
    var path = [], node = this;
    while (node) {
      path.push(node);
      if (!event.bubbles) break;
      node = node.parentNode || (node.nodeType === 9 ? node.defaultView : null);
    }
    for (var i = 0; i < path.length && !event._stop; i++) {
      var target = path[i];
      event.currentTarget = target;
      event.eventPhase = i === 0 ? 2 : 3;
      var list = Object.prototype.hasOwnProperty.call(target, '_listeners') && target._listeners[event.type];
      if (list) {
        list = list.slice();
        for (var k = 0; k < list.length && !event._stopNow; k++) {
          try {
            if (typeof list[k] === 'function') list[k].call(target, event);
            else if (list[k] && typeof list[k].handleEvent === 'function') list[k].handleEvent(event);
          } catch (e) { reportError(e); }
        }
      }
      var handler = target['on' + event.type];
      if (typeof handler === 'function') {
        try { if (handler.call(target, event) === false) event.preventDefault(); } catch (e) { reportError(e); }
      }
    }
    event.currentTarget = null;
    return !event.defaultPrevented;
  }
};

// Nodes
function Node() {}
Node.ELEMENT_NODE = 1; Node.TEXT_NODE = 3; Node.COMMENT_NODE = 8; Node.DOCUMENT_NODE = 9; Node.DOCUMENT_FRAGMENT_NODE = 11;
Object.assign(Node.prototype, eventTargetMethods);
function init(node, type, doc) {
  node.nodeType = type; node.parentNode = null; node.childNodes = []; node.ownerDocument = doc || null;
}
Object.defineProperties(Node.prototype, {
  firstChild: {get: function () { return this.childNodes[0] || null; }},
  lastChild: {get: function () { return this.childNodes[this.childNodes.length - 1] || null; }},
  parentElement: {get: function () { return this.parentNode && this.parentNode.nodeType === 1 ? this.parentNode : null; }},
  nextSibling: {get: function () { var p = this.parentNode; if (!p) return null; return p.childNodes[p.childNodes.indexOf(this) + 1] || null; }},
  previousSibling: {get: function () { var p = this.parentNode; if (!p) return null; return p.childNodes[p.childNodes.indexOf(this) - 1] || null; }},
  isConnected: {get: function () { var n = this; while (n.parentNode) n = n.parentNode; return n.nodeType === 9; }},
  textContent: {
    get: function () {
      if (this.nodeType === 3 || this.nodeType === 8) return this.data;
      var out = ''; this.childNodes.forEach(function (c) { if (c.nodeType !== 8) out += c.textContent; }); return out;
    },
    set: function (value) {
      if (this.nodeType === 3 || this.nodeType === 8) { this.data = String(value); return; }
      this._removeAll();
      if (value !== null && value !== undefined && String(value) !== '') this.appendChild(this._doc().createTextNode(String(value)));
    }
  },
  nodeValue: {get: function () { return this.nodeType === 3 || this.nodeType === 8 ? this.data : null; },
              set: function (v) { if (this.nodeType === 3 || this.nodeType === 8) this.data = String(v); }}
});
Node.prototype._doc = function () { return this.nodeType === 9 ? this : this.ownerDocument; };
Node.prototype._removeAll = function () {
  var old = this.childNodes; this.childNodes = [];
  old.forEach(function (c) { c.parentNode = null; });
};
Node.prototype.hasChildNodes = function () { return this.childNodes.length > 0; };
Node.prototype.contains = function (other) { for (var n = other; n; n = n.parentNode) if (n === this) return true; return false; };
Node.prototype.insertBefore = function (child, reference) {
  if (!child || typeof child.nodeType !== 'number') throw new TypeError('insertBefore: not a node');
  if (child.contains(this)) throw new Error('HierarchyRequestError');
  var nodes = child.nodeType === 11 ? child.childNodes.slice() : [child];
  if (child.nodeType === 11) child._removeAll();
  var self = this;
  nodes.forEach(function (n) {
    if (n.parentNode) n.parentNode.removeChild(n);
    var index = reference ? self.childNodes.indexOf(reference) : -1;
    if (index < 0) self.childNodes.push(n); else self.childNodes.splice(index, 0, n);
    n.parentNode = self;
    adopt(n, self._doc());
  });
  if (this.isConnected) nodes.forEach(connected);
  return child;
};
Node.prototype.appendChild = function (child) { return this.insertBefore(child, null); };
Node.prototype.removeChild = function (child) {
  var i = this.childNodes.indexOf(child);
  if (i < 0) throw new Error('NotFoundError');
  this.childNodes.splice(i, 1); child.parentNode = null; return child;
};
Node.prototype.replaceChild = function (newChild, oldChild) {
  this.insertBefore(newChild, oldChild); return this.removeChild(oldChild);
};
Node.prototype.remove = function () { if (this.parentNode) this.parentNode.removeChild(this); };
Node.prototype.cloneNode = function (deep) {
  var doc = this._doc(), copy;
  if (this.nodeType === 3) return doc.createTextNode(this.data);
  if (this.nodeType === 8) return doc.createComment(this.data);
  if (this.nodeType === 11) copy = doc.createDocumentFragment();
  else { copy = doc.createElement(this.localName); this.attributes.forEach(function (a) { copy.setAttribute(a.name, a.value); }); }
  if (deep) this.childNodes.forEach(function (c) { copy.appendChild(c.cloneNode(true)); });
  return copy;
};
function adopt(node, doc) {
  node.ownerDocument = doc;
  node.childNodes.forEach(function (c) { adopt(c, doc); });
}
function walk(node, visit) {
  node.childNodes.forEach(function (c) { if (c.nodeType === 1) { visit(c); } walk(c, visit); });
}

function Text(doc, data) { init(this, 3, doc); this.data = String(data); this.nodeName = '#text'; }
Text.prototype = Object.create(Node.prototype); Text.prototype.constructor = Text;
Object.defineProperty(Text.prototype, 'length', {get: function () { return this.data.length; }});
function Comment(doc, data) { init(this, 8, doc); this.data = String(data); this.nodeName = '#comment'; }
Comment.prototype = Object.create(Node.prototype); Comment.prototype.constructor = Comment;
function DocumentFragment(doc) { init(this, 11, doc); this.nodeName = '#document-fragment'; }
DocumentFragment.prototype = Object.create(Node.prototype); DocumentFragment.prototype.constructor = DocumentFragment;

// Elements
function Element(doc, name) {
  init(this, 1, doc);
  this.localName = String(name).toLowerCase(); this.tagName = this.nodeName = this.localName.toUpperCase();
  this.attributes = [];
}
Element.prototype = Object.create(Node.prototype); Element.prototype.constructor = Element;
Element.prototype.getAttribute = function (name) {
  name = String(name).toLowerCase();
  for (var i = 0; i < this.attributes.length; i++) if (this.attributes[i].name === name) return this.attributes[i].value;
  return null;
};
Element.prototype.hasAttribute = function (name) { return this.getAttribute(name) !== null; };
Element.prototype.setAttribute = function (name, value) {
  name = String(name).toLowerCase(); value = String(value);
  var found = false;
  this.attributes.forEach(function (a) { if (a.name === name) { a.value = value; found = true; } });
  if (!found) this.attributes.push({name: name, value: value});
  attributeChanged(this, name);
};
Element.prototype.removeAttribute = function (name) {
  name = String(name).toLowerCase();
  this.attributes = this.attributes.filter(function (a) { return a.name !== name; });
};
Element.prototype.getElementsByTagName = function (name) {
  name = String(name).toLowerCase(); var out = [];
  walk(this, function (e) { if (name === '*' || e.localName === name) out.push(e); }); return out;
};
Element.prototype.getElementsByClassName = function (names) {
  var wanted = String(names).split(/\s+/).filter(Boolean), out = [];
  walk(this, function (e) { var have = (e.getAttribute('class') || '').split(/\s+/); if (wanted.every(function (w) { return have.indexOf(w) >= 0; })) out.push(e); });
  return out;
};
// Simple selectors: tag, #id, .class, [attr], [attr=value], joined without
// spaces, in groups separated by commas; descendant combinators by spaces.
function matchesSimple(e, selector) {
  var re = /([#.]?[\w-]+|\*|\[[^\]]+\])/g, m, ok = true, any = false;
  while ((m = re.exec(selector)) !== null) {
    any = true; var part = m[1];
    if (part === '*') continue;
    if (part[0] === '#') ok = ok && e.getAttribute('id') === part.slice(1);
    else if (part[0] === '.') ok = ok && (' ' + (e.getAttribute('class') || '') + ' ').replace(/\s+/g, ' ').indexOf(' ' + part.slice(1) + ' ') >= 0;
    else if (part[0] === '[') {
      var body = part.slice(1, -1), eq = body.indexOf('=');
      if (eq < 0) ok = ok && e.hasAttribute(body.trim());
      else ok = ok && e.getAttribute(body.slice(0, eq).trim()) === body.slice(eq + 1).trim().replace(/^["']|["']$/g, '');
    } else ok = ok && e.localName === part.toLowerCase();
  }
  return any && ok;
}
function matches(e, selector) {
  return String(selector).split(',').some(function (group) {
    var parts = group.trim().split(/\s+/);
    if (!matchesSimple(e, parts[parts.length - 1])) return false;
    var node = e.parentNode;
    for (var i = parts.length - 2; i >= 0; i--) {
      while (node && !(node.nodeType === 1 && matchesSimple(node, parts[i]))) node = node.parentNode;
      if (!node) return false;
      node = node.parentNode;
    }
    return true;
  });
}
Node.prototype.querySelectorAll = function (selector) { var out = []; walk(this, function (e) { if (matches(e, selector)) out.push(e); }); return out; };
Node.prototype.querySelector = function (selector) { return this.querySelectorAll(selector)[0] || null; };
Element.prototype.matches = function (selector) { return matches(this, selector); };
Element.prototype.click = function () {
  var event = new Event('click', {bubbles: true, cancelable: true});
  if (this.dispatchEvent(event)) activate(this);
};
Element.prototype.focus = function () {}; Element.prototype.blur = function () {};
function serialize(node) {
  if (node.nodeType === 3) return node.parentNode && RAW[node.parentNode.localName] ? node.data : escapeText(node.data);
  if (node.nodeType === 8) return '<!--' + node.data + '-->';
  if (node.nodeType !== 1) return node.childNodes.map(serialize).join('');
  var out = '<' + node.localName;
  node.attributes.forEach(function (a) { out += ' ' + a.name + '="' + escapeAttr(a.value) + '"'; });
  out += '>';
  if (VOID[node.localName]) return out;
  return out + node.childNodes.map(serialize).join('') + '</' + node.localName + '>';
}
function build(doc, tree) {
  if (tree[0] === 3) return new Text(doc, tree[1]);
  if (tree[0] === 8) return new Comment(doc, tree[1]);
  var e = doc.createElement(tree[1]);
  if (tree[4]) e._line = tree[4];
  tree[2].forEach(function (a) { e.attributes.push({name: a[0], value: a[1]}); });
  tree[3].forEach(function (c) { var n = build(doc, c); n.parentNode = e; e.childNodes.push(n); });
  return e;
}
Object.defineProperties(Element.prototype, {
  innerHTML: {
    get: function () { return this.childNodes.map(serialize).join(''); },
    set: function (html) {
      this._removeAll();
      var doc = this._doc(), self = this;
      JSON.parse(native.parseFragment(String(html === null || html === undefined ? '' : html))).forEach(function (t) {
        var n = build(doc, t);
        markParsed(n);
        self.appendChild(n);
      });
    }
  },
  outerHTML: {get: function () { return serialize(this); }},
  children: {get: function () { return this.childNodes.filter(function (c) { return c.nodeType === 1; }); }},
  firstElementChild: {get: function () { return this.children[0] || null; }},
  childElementCount: {get: function () { return this.children.length; }},
  classList: {get: function () {
    var e = this;
    function list() { return (e.getAttribute('class') || '').split(/\s+/).filter(Boolean); }
    return {
      contains: function (c) { return list().indexOf(c) >= 0; },
      add: function () { var l = list(); for (var i = 0; i < arguments.length; i++) if (l.indexOf(arguments[i]) < 0) l.push(arguments[i]); e.setAttribute('class', l.join(' ')); },
      remove: function () { var drop = Array.prototype.slice.call(arguments); e.setAttribute('class', list().filter(function (c) { return drop.indexOf(c) < 0; }).join(' ')); },
      toggle: function (c) { if (this.contains(c)) { this.remove(c); return false; } this.add(c); return true; },
      get length() { return list().length; }
    };
  }},
  text: {get: function () { return this.textContent; }, set: function (v) { this.textContent = v; }},
  contentDocument: {get: function () { var w = this.contentWindow; return w ? w.document : null; }},
  contentWindow: {get: function () { return (this._frameId && global.__frameWindows && global.__frameWindows[this._frameId]) || null; }}
});
['id', 'name', 'type', 'rel', 'target', 'alt', 'title', 'value', 'content', 'charset', 'width', 'height', 'lang', 'dir'].forEach(function (name) {
  Object.defineProperty(Element.prototype, name, {
    get: function () { var v = this.getAttribute(name); return v === null ? '' : v; },
    set: function (v) { this.setAttribute(name, v); }, configurable: true
  });
});
Object.defineProperty(Element.prototype, 'className', {
  get: function () { return this.getAttribute('class') || ''; }, set: function (v) { this.setAttribute('class', v); }
});
['src', 'href', 'action'].forEach(function (name) {
  Object.defineProperty(Element.prototype, name, {
    get: function () {
      var v = this.getAttribute(name); if (v === null) return '';
      var resolved = native.resolve(v); return resolved || v;
    },
    set: function (v) { this.setAttribute(name, v); }, configurable: true
  });
});
function markParsed(node) {
  if (node.nodeType === 1 && node.localName === 'script') node._started = true;
  node.childNodes.forEach(markParsed);
}

// What insertion and attribute changes start: scripts and frames.
function connected(node) {
  if (node.nodeType !== 1 && node.nodeType !== 9 && node.nodeType !== 11) return;
  if (node.nodeType === 1) {
    if (node.localName === 'script') startScript(node);
    else if (node.localName === 'iframe' || node.localName === 'frame') startFrame(node);
    else if (node.localName === 'img') startImage(node);
  }
  node.childNodes.slice().forEach(connected);
}
function attributeChanged(e, name) {
  // Images load as soon as they have a source, in the document or not.
  if (name === 'src' && e.localName === 'img') { e._loadedSrc = null; startImage(e); return; }
  if (!e.isConnected) return;
  if (name === 'src' && (e.localName === 'iframe' || e.localName === 'frame')) { e._navigated = false; startFrame(e); }
  else if (name === 'src' && e.localName === 'script') startScript(e);
}
var scriptKeys = 0, pendingScripts = {};
function startScript(e) {
  if (e._started) return;
  var src = e.getAttribute('src');
  if (src !== null) {
    e._started = true;
    var key = ++scriptKeys; pendingScripts[key] = e;
    native.loadScript(src, key);
    return;
  }
  if (!e.textContent) return;
  e._started = true;
  var doc = e._doc(), previous = doc.currentScript;
  doc.currentScript = e;
  try { runScriptText(e.textContent, e); } finally { doc.currentScript = previous; }
}
var frameElements = {};
function startFrame(e) {
  if (!e._frameId) {
    e._frameId = native.createFrame();
    frameElements[e._frameId] = e;
  }
  var src = e.getAttribute('src');
  if (src !== null && src !== '' && !e._navigated) {
    e._navigated = true;
    native.navigate(e._frameId, native.resolve(src) || src, NAV_OTHER, false);
  }
}
var resourceKeys = 0, pendingResources = {};
function startImage(e) {
  var src = e.getAttribute('src');
  if (src === null || src === '' || e._loadedSrc === src) return;
  e._loadedSrc = src;
  var key = ++resourceKeys; pendingResources[key] = e;
  native.loadResource(native.resolve(src) || src, key);
}
function activate(e) {
  for (var n = e; n; n = n.parentNode) {
    if (n.nodeType === 1 && n.localName === 'a' && n.hasAttribute('href')) {
      var target = n.getAttribute('target');
      var url = native.resolve(n.getAttribute('href')) || n.getAttribute('href');
      native.navigate(FRAME, url, NAV_LINK, target === '_blank');
      return;
    }
  }
}

// Documents
function Document(frameId, url) {
  init(this, 9, null); this.nodeName = '#document'; this._frameId = frameId;
  this.URL = url || 'about:blank'; this.readyState = 'loading'; this.currentScript = null;
  this.referrer = '';
}
Document.prototype = Object.create(Node.prototype); Document.prototype.constructor = Document;
Document.prototype.createElement = function (name) { return new Element(this, name); };
Document.prototype.createTextNode = function (data) { return new Text(this, data); };
Document.prototype.createComment = function (data) { return new Comment(this, data); };
Document.prototype.createDocumentFragment = function () { return new DocumentFragment(this); };
Document.prototype.createEvent = function () { return new Event(''); };
Document.prototype.getElementById = function (id) {
  var found = null; id = String(id);
  walk(this, function (e) { if (!found && e.getAttribute('id') === id) found = e; }); return found;
};
Document.prototype.getElementsByTagName = Element.prototype.getElementsByTagName;
Document.prototype.getElementsByClassName = Element.prototype.getElementsByClassName;
Document.prototype.write = function () {
  var html = Array.prototype.join.call(arguments, '');
  var target = this.currentScript && this.currentScript.parentNode ? this.currentScript.parentNode : this.body;
  var holder = this.createElement('div'); holder.innerHTML = html;
  while (holder.firstChild) target.insertBefore(holder.firstChild, this.currentScript && this.currentScript.parentNode === target ? this.currentScript.nextSibling : null);
};
Document.prototype.writeln = function () { this.write(Array.prototype.join.call(arguments, '') + '\n'); };
Document.prototype.open = function () {}; Document.prototype.close = function () {};
Document.prototype.hasFocus = function () { return true; };
Object.defineProperties(Document.prototype, {
  documentElement: {get: function () { return this.childNodes.filter(function (c) { return c.nodeType === 1; })[0] || null; }},
  head: {get: function () { return this.getElementsByTagName('head')[0] || null; }},
  body: {get: function () { return this.getElementsByTagName('body')[0] || null; }},
  title: {
    get: function () { var t = this.getElementsByTagName('title')[0]; return t ? t.textContent.replace(/\s+/g, ' ').trim() : ''; },
    set: function (v) {
      var t = this.getElementsByTagName('title')[0];
      if (!t) { t = this.createElement('title'); if (this.head) this.head.appendChild(t); }
      t.textContent = v;
    }
  },
  location: {get: function () { return here.location; }, set: function (v) { here.location.href = v; }},
  defaultView: {get: function () { return global; }},
  cookie: {get: function () { return String(native.cookie() || ''); }, set: function (v) { native.setCookie(String(v)); }},
  forms: {get: function () { return this.getElementsByTagName('form'); }},
  images: {get: function () { return this.getElementsByTagName('img'); }},
  links: {get: function () { return this.querySelectorAll('a[href]'); }},
  scripts: {get: function () { return this.getElementsByTagName('script'); }}
});

// Location
function Location() {}
function parts(href) {
  var m = /^([a-zA-Z][\w+.-]*:)(?:\/\/(?:[^@\/?#]*@)?(\[[^\]]*\]|[^:\/?#]*)(?::(\d+))?)?([^?#]*)(\?[^#]*)?(#.*)?$/.exec(href) || [];
  return {protocol: m[1] || '', hostname: m[2] || '', port: m[3] || '', pathname: m[4] || '', search: m[5] || '', hash: m[6] || ''};
}
Object.defineProperties(Location.prototype, {
  href: {get: function () { return native.frameURL(); },
         set: function (v) { var url = String(v); native.navigate(FRAME, native.resolve(url) || url, NAV_OTHER, false); }},
  protocol: {get: function () { return parts(this.href).protocol; }},
  hostname: {get: function () { return parts(this.href).hostname; }},
  port: {get: function () { return parts(this.href).port; }},
  host: {get: function () { var p = parts(this.href); return p.hostname + (p.port ? ':' + p.port : ''); }},
  pathname: {get: function () { return parts(this.href).pathname; }},
  search: {get: function () { return parts(this.href).search; }},
  hash: {get: function () { return parts(this.href).hash; },
         set: function (v) { var h = String(v); this.href = this.href.replace(/#.*$/, '') + (h[0] === '#' ? h : '#' + h); }},
  origin: {get: function () { var p = parts(this.href); return p.protocol + '//' + this.host; }}
});
Location.prototype.assign = function (url) { this.href = url; };
Location.prototype.replace = function (url) { this.href = url; };
Location.prototype.reload = function () { this.href = this.href; };
Location.prototype.toString = function () { return this.href; };

// This frame: its window is the global object.
var here = {location: new Location(), document: new Document(FRAME, 'about:blank')};
// Runs the code of a script element: errors name the script's URL, or the
// document's and the line the element starts on.
function runScriptText(code, element) {
  var src = element ? element.getAttribute('src') : null;
  if (src !== null) native.evaluate(code, native.resolve(src) || src, 1);
  else native.evaluate(code, here.document.URL, (element && element._line) || 1);
}

// Timers
var timers = {}, timerIds = 0;
function addTimer(fn, delay, args, repeats) {
  var id = ++timerIds;
  timers[id] = {fn: fn, args: args, repeats: repeats};
  native.setTimer(id, Math.max(0, Number(delay) || 0), repeats);
  return id;
}
function clearTimer(id) { if (timers[id]) { delete timers[id]; native.clearTimer(id); } }

// The window
// Called without an object (addEventListener(...) in a page script), they
// act on the window.
Object.keys(eventTargetMethods).forEach(function (name) { global[name] = eventTargetMethods[name].bind(global); });
global.window = global; global.self = global; global.top = global; global.parent = global; global.frames = global;
global.Node = Node; global.Element = Element; global.HTMLElement = Element; global.Text = Text; global.Comment = Comment;
global.Document = Document; global.HTMLDocument = Document; global.DocumentFragment = DocumentFragment; global.Event = Event;
global.CustomEvent = function (type, init) { Event.call(this, type, init); this.detail = init && init.detail !== undefined ? init.detail : null; };
global.CustomEvent.prototype = Object.create(Event.prototype);
global.setTimeout = function (fn, delay) { return addTimer(fn, delay, Array.prototype.slice.call(arguments, 2), false); };
global.setInterval = function (fn, delay) { return addTimer(fn, delay, Array.prototype.slice.call(arguments, 2), true); };
global.clearTimeout = clearTimer; global.clearInterval = clearTimer;
global.requestAnimationFrame = function (fn) { return addTimer(function () { fn(Date.now()); }, 16, [], false); };
global.cancelAnimationFrame = clearTimer;
function logger(level) { return function () { native.log(level, Array.prototype.map.call(arguments, String).join(' ')); }; }
global.console = {log: logger('log'), info: logger('info'), warn: logger('warn'), error: logger('error'), debug: logger('debug')};
global.navigator = {userAgent: info.userAgent || '', language: 'en-US', languages: ['en-US'], platform: 'Linux', onLine: true, cookieEnabled: true};
global.screen = {width: info.width || 0, height: info.height || 0, availWidth: info.width || 0, availHeight: info.height || 0};
global.devicePixelRatio = 1;
global.alert = function (m) { native.log('alert', String(m)); };
global.confirm = function (m) { native.log('confirm', String(m)); return false; };
global.prompt = function (m) { native.log('prompt', String(m)); return null; };
global.open = function (url) { if (url) native.navigate(FRAME, native.resolve(String(url)) || String(url), NAV_OTHER, true); return null; };
global.Image = function (width, height) {
  var e = here.document.createElement('img');
  if (width !== undefined) e.setAttribute('width', width);
  if (height !== undefined) e.setAttribute('height', height);
  return e;
};
function Storage() { var data = {}; return {
  getItem: function (k) { return Object.prototype.hasOwnProperty.call(data, k) ? data[k] : null; },
  setItem: function (k, v) { data[k] = String(v); }, removeItem: function (k) { delete data[k]; },
  clear: function () { data = {}; }, key: function (i) { return Object.keys(data)[i] || null; },
  get length() { return Object.keys(data).length; } }; }
global.localStorage = Storage(); global.sessionStorage = Storage();
Object.defineProperty(global, 'document', {get: function () { return here.document; }, configurable: true});
Object.defineProperty(global, 'location', {get: function () { return here.location; }, set: function (v) { here.location.href = v; }, configurable: true});

// Entry points for the web view.
global.__dom = {
  loadDocument: function (tree, url, referrer) {
    var doc = new Document(FRAME, url);
    doc.referrer = referrer || '';
    var root = build(doc, tree);
    root.parentNode = doc; doc.childNodes.push(root);
    here.document = doc;
    var scripts = [];
    doc.getElementsByTagName('script').forEach(function (s) {
      s._started = true;
      var type = (s.getAttribute('type') || '').toLowerCase();
      if (type && !/^(text|application)\/(x-)?(java|ecma)script$/.test(type) && type !== 'text/jscript') return;
      var key = ++scriptKeys; pendingScripts[key] = s;
      scripts.push({key: key, src: s.getAttribute('src'), text: s.textContent});
    });
    return JSON.stringify(scripts);
  },
  runScript: function (key, code) {
    var doc = here.document;
    doc.currentScript = pendingScripts[key] || null;
    try { runScriptText(code, doc.currentScript); } finally { doc.currentScript = null; }
  },
  scriptDone: function (key, ok) {
    var s = pendingScripts[key]; delete pendingScripts[key];
    if (s && s.isConnected !== undefined) s.dispatchEvent(new Event(ok ? 'load' : 'error'));
  },
  resourceDone: function (key, ok) {
    var e = pendingResources[key]; delete pendingResources[key];
    if (e) e.dispatchEvent(new Event(ok ? 'load' : 'error'));
  },
  documentParsed: function () {
    var doc = here.document;
    doc.readyState = 'interactive';
    doc.dispatchEvent(new Event('DOMContentLoaded', {bubbles: true}));
    connected(doc);
  },
  frameLoaded: function () {
    here.document.readyState = 'complete';
    var event = new Event('load');
    event.target = here.document;
    global.dispatchEvent(event);
    var body = here.document.body;
    if (body && body.getAttribute('onload')) { try { new Function('event', body.getAttribute('onload')).call(global, event); } catch (e) { reportError(e); } }
  },
  childFrameLoaded: function (frameId) {
    var e = frameElements[frameId];
    if (e) e.dispatchEvent(new Event('load'));
  },
  fireTimer: function (id) {
    var t = timers[id]; if (!t) return;
    if (!t.repeats) delete timers[id];
    try { if (typeof t.fn === 'function') t.fn.apply(global, t.args); else (0, eval)(String(t.fn)); } catch (e) { reportError(e); }
  },
  click: function (id) {
    var e = here.document.getElementById(id);
    if (!e) return false;
    e.click(); return true;
  },
  // A finger lifted at a point: touchstart and touchend, then a click unless
  // the page cancelled them.
  tapAt: function (x, y) {
    var e = here.document.elementFromPoint(x, y);
    if (!e) return false;
    var start = new Event('touchstart', {bubbles: true, cancelable: true});
    var end = new Event('touchend', {bubbles: true, cancelable: true});
    e.dispatchEvent(start);
    if (e.dispatchEvent(end) && !start.defaultPrevented) e.click();
    return true;
  },
  title: function () { return here.document.title; }
};
// Inline handlers written as attributes (onclick="...").
var handlerCache = typeof WeakMap === 'function' ? new WeakMap() : null;
['click', 'load', 'error', 'submit', 'change', 'input', 'touchstart', 'touchend'].forEach(function (type) {
  Object.defineProperty(Element.prototype, 'on' + type, {
    get: function () {
      if (Object.prototype.hasOwnProperty.call(this, '_on' + type)) return this['_on' + type];
      var code = this.getAttribute('on' + type); if (code === null) return null;
      var cached = handlerCache && handlerCache.get(this);
      if (cached && cached[type] && cached[type].code === code) return cached[type].fn;
      var fn; try { fn = new Function('event', code); } catch (e) { reportError(e); return null; }
      if (handlerCache) { cached = cached || {}; cached[type] = {code: code, fn: fn}; handlerCache.set(this, cached); }
      return fn;
    },
    set: function (fn) { Object.defineProperty(this, '_on' + type, {value: fn, writable: true, configurable: true, enumerable: false}); },
    configurable: true
  });
});
})(this);
)JS";

}  // namespace

std::string_view domPrelude() {
    return kPrelude;
}

}  // namespace web
