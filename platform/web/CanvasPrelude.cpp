#include "platform/web/CanvasPrelude.h"

namespace web {

namespace {

// __nativeCanvas(operation, canvasId, arguments...): see CanvasBindings.
// The context keeps the state scripts read back (styles, line width, font,
// ...) next to the native one, each saved and restored with the other.
constexpr std::string_view kPrelude = R"JS(
(function (global) {
'use strict';
var native = global.__nativeCanvas, Element = global.Element;
var slice = Array.prototype.slice, apply = Function.prototype.apply;
function call() { return apply.call(native, null, arguments); }
function oneOf(list) { return function (v) { v = String(v); return list.indexOf(v) >= 0 ? v : undefined; }; }
function positive(v) { v = Number(v); return isFinite(v) && v > 0 ? v : undefined; }

// Canvas elements: width and height default to 300 by 150, and setting
// either clears the bitmap.
function dimension(e, name) {
  var m = /^\s*(\d+)\s*$/.exec(e.getAttribute(name) || '');
  return m ? Number(m[1]) : (name === 'width' ? 300 : 150);
}
['width', 'height'].forEach(function (name) {
  var plain = Object.getOwnPropertyDescriptor(Element.prototype, name);
  Object.defineProperty(Element.prototype, name, {
    get: function () { return this.localName === 'canvas' ? dimension(this, name) : plain.get.call(this); },
    set: function (v) {
      if (this.localName !== 'canvas') { plain.set.call(this, v); return; }
      v = Math.floor(Number(v));
      this.setAttribute(name, String(v >= 0 ? v : (name === 'width' ? 300 : 150)));
    },
    configurable: true
  });
});
['setAttribute', 'removeAttribute'].forEach(function (method) {
  var plain = Element.prototype[method];
  Element.prototype[method] = function (name) {
    plain.apply(this, arguments);
    var n = String(name).toLowerCase();
    if (this._context && (n === 'width' || n === 'height')) this._context._reset();
  };
});
Element.prototype.getContext = function (type) {
  if (this.localName !== 'canvas') return undefined;
  if (String(type) !== '2d') return null;
  if (!this._context) {
    var id = call('create', 0, this.width, this.height);
    if (!id) return null;
    Object.defineProperty(this, '_context', {value: new CanvasRenderingContext2D(this, id)});
    Object.defineProperty(this, '_canvasId', {value: id});
  }
  return this._context;
};
Element.prototype.toDataURL = function () {
  if (this.localName !== 'canvas') return undefined;
  return this._context ? call('toDataURL', this._context._id) : 'data:,';
};

function CanvasGradient(x0, y0, x1, y1) {
  Object.defineProperty(this, '_line', {value: [x0, y0, x1, y1]});
  Object.defineProperty(this, '_stops', {value: []});
}
CanvasGradient.prototype.addColorStop = function (offset, color) {
  offset = Number(offset);
  if (!(offset >= 0 && offset <= 1)) throw new RangeError('IndexSizeError: the offset is outside 0 to 1');
  var c = call('color', 0, String(color));
  if (!c) throw new SyntaxError('SyntaxError: "' + color + '" is not a colour');
  this._stops.push(offset, c);
};

function ImageData(a, b, c) {
  var data, width, height;
  if (a instanceof Uint8ClampedArray) {
    data = a; width = b >>> 0;
    height = c === undefined ? (width ? data.length / 4 / width : 0) : c >>> 0;
    if (!width || !height || data.length !== width * height * 4) throw new RangeError('IndexSizeError: the data does not match the size');
  } else {
    width = a >>> 0; height = b >>> 0;
    if (!width || !height) throw new RangeError('IndexSizeError: the width or height is 0');
    data = new Uint8ClampedArray(width * height * 4);
  }
  Object.defineProperties(this, {
    width: {value: width, enumerable: true}, height: {value: height, enumerable: true}, data: {value: data, enumerable: true}
  });
}

function initialState() {
  return {fillStyle: '#000000', strokeStyle: '#000000', lineWidth: 1, globalAlpha: 1, lineCap: 'butt', lineJoin: 'miter',
          font: '10px sans-serif', textAlign: 'start', textBaseline: 'alphabetic', lineDash: []};
}
function CanvasRenderingContext2D(canvas, id) {
  Object.defineProperty(this, '_id', {value: id});
  Object.defineProperty(this, 'canvas', {value: canvas, enumerable: true});
  Object.defineProperty(this, '_state', {value: initialState(), writable: true});
  Object.defineProperty(this, '_stack', {value: [], writable: true});
}
var P = CanvasRenderingContext2D.prototype;
P._call = function (operation) { return apply.call(native, null, [operation, this._id].concat(slice.call(arguments, 1))); };
P._reset = function () {
  this._state = initialState(); this._stack = [];
  this._call('resize', this.canvas.width, this.canvas.height);
};
// A gradient is sent as it stands each time it paints: stops added after it
// became the style count.
P._sync = function (name) {
  var style = this._state[name];
  if (style instanceof CanvasGradient) this._call.apply(this, [name, 'gradient'].concat(style._line, style._stops));
};

['fillStyle', 'strokeStyle'].forEach(function (name) {
  Object.defineProperty(P, name, {
    get: function () { return this._state[name]; },
    set: function (v) {
      if (v instanceof CanvasGradient) { this._state[name] = v; return; }
      var c = call('color', 0, String(v));
      if (c) { this._state[name] = c; this._call(name, 'color', c); }
    }
  });
});
function property(name, accept) {
  Object.defineProperty(P, name, {
    get: function () { return this._state[name]; },
    set: function (v) { v = accept(v); if (v !== undefined) { this._state[name] = v; this._call(name, v); } }
  });
}
property('lineWidth', positive);
property('globalAlpha', function (v) { v = Number(v); return v >= 0 && v <= 1 ? v : undefined; });
property('lineCap', oneOf(['butt', 'round', 'square']));
property('lineJoin', oneOf(['miter', 'round', 'bevel']));
property('textAlign', oneOf(['start', 'end', 'left', 'right', 'center']));
property('textBaseline', oneOf(['top', 'hanging', 'middle', 'alphabetic', 'ideographic', 'bottom']));
Object.defineProperty(P, 'font', {
  get: function () { return this._state.font; },
  set: function (v) { v = String(v); if (this._call('font', v)) this._state.font = v; }
});

['beginPath', 'closePath', 'moveTo', 'lineTo', 'rect', 'arcTo', 'quadraticCurveTo', 'bezierCurveTo',
 'clearRect', 'translate', 'scale', 'rotate', 'transform'].forEach(function (name) {
  P[name] = function () { this._call.apply(this, [name].concat(slice.call(arguments).map(Number))); };
});
P.arc = function (x, y, radius, startAngle, endAngle, anticlockwise) {
  this._call('arc', +x, +y, +radius, +startAngle, +endAngle, !!anticlockwise);
};
P.fill = function (rule) { this._sync('fillStyle'); this._call('fill', rule === 'evenodd'); };
P.stroke = function () { this._sync('strokeStyle'); this._call('stroke'); };
P.clip = function (rule) { this._call('clip', rule === 'evenodd'); };
P.fillRect = function (x, y, w, h) { this._sync('fillStyle'); this._call('fillRect', +x, +y, +w, +h); };
P.strokeRect = function (x, y, w, h) { this._sync('strokeStyle'); this._call('strokeRect', +x, +y, +w, +h); };
function text(context, name, style, args) {
  var maxWidth = args[3];
  if (maxWidth !== undefined && !(Number(maxWidth) > 0)) return;
  context._sync(style);
  context._call(name, String(args[0]), +args[1], +args[2], maxWidth === undefined ? 0 : +maxWidth);
}
P.fillText = function () { text(this, 'fillText', 'fillStyle', arguments); };
P.strokeText = function () { text(this, 'strokeText', 'strokeStyle', arguments); };
P.measureText = function (text) {
  var m = this._call('measureText', String(text));
  return {width: m.width, actualBoundingBoxLeft: 0, actualBoundingBoxRight: m.width,
          actualBoundingBoxAscent: m.ascent, actualBoundingBoxDescent: m.descent,
          fontBoundingBoxAscent: m.ascent, fontBoundingBoxDescent: m.descent};
};
P.setLineDash = function (segments) {
  var list = slice.call(segments || []).map(Number);
  if (list.some(function (s) { return !isFinite(s) || s < 0; })) return;
  this._state.lineDash = list;
  this._call.apply(this, ['setLineDash'].concat(list));
};
P.getLineDash = function () { return this._state.lineDash.slice(); };
P.setTransform = function (a, b, c, d, e, f) {
  if (arguments.length <= 1) {
    var m = a || {};
    return this._call('setTransform', m.a === undefined ? 1 : +m.a, +m.b || 0, +m.c || 0, m.d === undefined ? 1 : +m.d, +m.e || 0, +m.f || 0);
  }
  this._call('setTransform', +a, +b, +c, +d, +e, +f);
};
P.resetTransform = function () { this._call('setTransform', 1, 0, 0, 1, 0, 0); };
P.save = function () {
  var copy = {};
  for (var k in this._state) copy[k] = this._state[k];
  this._stack.push(copy);
  this._call('save');
};
P.restore = function () {
  if (!this._stack.length) return;
  this._state = this._stack.pop();
  this._call('restore');
};
P.createLinearGradient = function (x0, y0, x1, y1) {
  var line = [x0, y0, x1, y1].map(Number);
  if (!line.every(isFinite)) throw new TypeError('createLinearGradient: the coordinates must be finite');
  return new CanvasGradient(line[0], line[1], line[2], line[3]);
};
P.drawImage = function (image) {
  var numbers = slice.call(arguments, 1).map(Number);
  if (numbers.length !== 2 && numbers.length !== 4 && numbers.length !== 8) throw new TypeError('drawImage: 3, 5 or 9 arguments');
  if (image && image.localName === 'canvas') {
    if (image._context) this._call.apply(this, ['drawImage', 'canvas', image._context._id, ''].concat(numbers));
  } else if (image && image.localName === 'img') {
    if (image.src) this._call.apply(this, ['drawImage', 'image', image.src, global.document.URL].concat(numbers));
  } else {
    throw new TypeError('drawImage: the source is not an image or a canvas');
  }
};
P.createImageData = function (a, b) {
  return a instanceof ImageData ? new ImageData(a.width, a.height) : new ImageData(Math.abs(Math.floor(a)), Math.abs(Math.floor(b)));
};
P.getImageData = function (x, y, w, h) {
  var r = [x, y, w, h].map(function (v) { return Math.floor(Number(v)); });
  if (!r.every(isFinite)) throw new TypeError('getImageData: the rectangle must be finite');
  if (r[2] < 0) { r[0] += r[2]; r[2] = -r[2]; }
  if (r[3] < 0) { r[1] += r[3]; r[3] = -r[3]; }
  if (!r[2] || !r[3]) throw new RangeError('IndexSizeError: the width or height is 0');
  return new ImageData(this._call('getImageData', r[0], r[1], r[2], r[3]), r[2], r[3]);
};
P.putImageData = function (imageData, dx, dy, dirtyX, dirtyY, dirtyWidth, dirtyHeight) {
  if (!(imageData instanceof ImageData)) throw new TypeError('putImageData: not image data');
  var dirty = arguments.length >= 7 ? [dirtyX, dirtyY, dirtyWidth, dirtyHeight].map(Number) : [0, 0, imageData.width, imageData.height];
  this._call.apply(this, ['putImageData', imageData.data, imageData.width, imageData.height, Math.floor(+dx), Math.floor(+dy)].concat(dirty));
};

global.HTMLCanvasElement = global.HTMLCanvasElement || Element;
global.CanvasRenderingContext2D = CanvasRenderingContext2D;
global.CanvasGradient = CanvasGradient;
global.ImageData = ImageData;
})(this);
)JS";

}  // namespace

std::string_view canvasPrelude() {
    return kPrelude;
}

}  // namespace web
