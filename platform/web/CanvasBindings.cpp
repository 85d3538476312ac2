#include "platform/web/CanvasBindings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/crypto/Base64.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/web/CSSValues.h"
#include "platform/web/CanvasPrelude.h"
#include "platform/web/CanvasRenderingContext2D.h"
#include "platform/web/Painter.h"
#include "platform/web/ScriptEngine.h"

namespace web {

namespace {

using foundation::Value;
using Context = CanvasRenderingContext2D;

// The arguments of one operation, after its name and canvas id.
struct Arguments {
    const std::vector<Value>& values;

    std::size_t size() const { return values.size() > 2 ? values.size() - 2 : 0; }
    const Value* at(std::size_t i) const { return i < size() ? &values[i + 2] : nullptr; }
    double number(std::size_t i) const {
        const Value* v = at(i);
        return v && v->isNumber() ? v->doubleValue() : std::numeric_limits<double>::quiet_NaN();
    }
    // Coordinates of pixels, kept where sums with sizes cannot overflow.
    int integer(std::size_t i) const { return static_cast<int>(std::clamp(number(i), -1e9, 1e9)); }
    std::string text(std::size_t i) const {
        const Value* v = at(i);
        const std::string* s = v ? v->asString() : nullptr;
        return s ? *s : std::string();
    }
    bool flag(std::size_t i) const {
        const Value* v = at(i);
        return v && v->boolValue();
    }
    // Whether every number given is finite: calls with others do nothing.
    bool finite() const {
        for (std::size_t i = 0; i < size(); ++i) {
            if (at(i)->isNumber() && !std::isfinite(at(i)->doubleValue())) {
                return false;
            }
        }
        return true;
    }
};

std::string colorText(const graphics::Color& color) {
    const auto c = color.toRgba8();
    char text[64];
    if (c.a == 255) {
        std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    } else {
        std::snprintf(text, sizeof text, "rgba(%d, %d, %d, %g)", c.r, c.g, c.b,
                      std::round(color.alpha() * 1000) / 1000);
    }
    return text;
}

// A style from ["color", text] or ["gradient", x0, y0, x1, y1, offset, colour...].
std::optional<Context::Style> styleOf(const Arguments& args) {
    if (args.text(0) == "color") {
        auto color = CSSValues::color(args.text(1));
        return color ? std::optional<Context::Style>(*color) : std::nullopt;
    }
    Context::LinearGradient gradient;
    gradient.start = {args.number(1), args.number(2)};
    gradient.end = {args.number(3), args.number(4)};
    for (std::size_t i = 5; i + 1 < args.size(); i += 2) {
        if (auto color = CSSValues::color(args.text(i + 1))) {
            gradient.stops.emplace_back(std::clamp(args.number(i), 0.0, 1.0), *color);
        }
    }
    return gradient;
}

using Operation = Value (*)(Context&, const Arguments&);

// An operation calling a method with the first N arguments as numbers.
template <auto Method, std::size_t N>
Operation numbers() {
    return [](Context& c, const Arguments& a) {
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            (c.*Method)(a.number(I)...);
        }
        (std::make_index_sequence<N>());
        return Value();
    };
}

// An operation calling a method with the first argument as text.
template <auto Method>
Operation text() {
    return [](Context& c, const Arguments& a) {
        (c.*Method)(a.text(0));
        return Value();
    };
}

// An operation calling a text method: text, x, y, maximum width.
template <auto Method>
Operation textAt() {
    return [](Context& c, const Arguments& a) {
        (c.*Method)(a.text(0), a.number(1), a.number(2), a.number(3));
        return Value();
    };
}

void setStyle(Context& c, const Arguments& a, bool fill) {
    if (auto style = styleOf(a)) {
        fill ? c.setFillStyle(std::move(*style)) : c.setStrokeStyle(std::move(*style));
    }
}

const std::map<std::string_view, Operation>& operations() {
    static const std::map<std::string_view, Operation> table{
        {"save", numbers<&Context::save, 0>()},
        {"restore", numbers<&Context::restore, 0>()},
        {"translate", numbers<&Context::translate, 2>()},
        {"scale", numbers<&Context::scale, 2>()},
        {"rotate", numbers<&Context::rotate, 1>()},
        {"transform", numbers<&Context::transform, 6>()},
        {"setTransform", numbers<&Context::setTransform, 6>()},
        {"fillStyle", [](Context& c, const Arguments& a) { return setStyle(c, a, true), Value(); }},
        {"strokeStyle",
         [](Context& c, const Arguments& a) { return setStyle(c, a, false), Value(); }},
        {"lineWidth", numbers<&Context::setLineWidth, 1>()},
        {"lineCap", text<&Context::setLineCap>()},
        {"lineJoin", text<&Context::setLineJoin>()},
        {"setLineDash",
         [](Context& c, const Arguments& a) {
             std::vector<double> segments;
             for (std::size_t i = 0; i < a.size(); ++i) {
                 segments.push_back(a.number(i));
             }
             return c.setLineDash(std::move(segments)), Value();
         }},
        {"globalAlpha", numbers<&Context::setGlobalAlpha, 1>()},
        {"font", [](Context& c, const Arguments& a) { return Value(c.setFont(a.text(0))); }},
        {"textAlign", text<&Context::setTextAlign>()},
        {"textBaseline", text<&Context::setTextBaseline>()},
        {"beginPath", numbers<&Context::beginPath, 0>()},
        {"closePath", numbers<&Context::closePath, 0>()},
        {"moveTo", numbers<&Context::moveTo, 2>()},
        {"lineTo", numbers<&Context::lineTo, 2>()},
        {"rect", numbers<&Context::rect, 4>()},
        {"arc",
         [](Context& c, const Arguments& a) {
             return c.arc(a.number(0), a.number(1), a.number(2), a.number(3), a.number(4),
                          a.flag(5)),
                    Value();
         }},
        {"arcTo", numbers<&Context::arcTo, 5>()},
        {"quadraticCurveTo", numbers<&Context::quadraticCurveTo, 4>()},
        {"bezierCurveTo", numbers<&Context::bezierCurveTo, 6>()},
        {"fill", [](Context& c, const Arguments& a) { return c.fill(a.flag(0)), Value(); }},
        {"stroke", numbers<&Context::stroke, 0>()},
        {"clip", [](Context& c, const Arguments& a) { return c.clip(a.flag(0)), Value(); }},
        {"fillRect", numbers<&Context::fillRect, 4>()},
        {"strokeRect", numbers<&Context::strokeRect, 4>()},
        {"clearRect", numbers<&Context::clearRect, 4>()},
        {"fillText", textAt<&Context::fillText>()},
        {"strokeText", textAt<&Context::strokeText>()},
        {"measureText",
         [](Context& c, const Arguments& a) {
             const auto m = c.measureText(a.text(0));
             return Value::dictionary(
                 {{"width", m.width}, {"ascent", m.ascent}, {"descent", m.descent}});
         }},
        {"getImageData",
         [](Context& c, const Arguments& a) {
             return Value(c.getImageData(a.integer(0), a.integer(1), a.integer(2), a.integer(3)));
         }},
        {"putImageData",
         [](Context& c, const Arguments& a) {
             const Value* data = a.at(0);
             if (data == nullptr || !data->isData()) {
                 throw std::invalid_argument("putImageData: the data is not pixels");
             }
             c.putImageData(*data->asData(), a.integer(1), a.integer(2), a.integer(3), a.integer(4),
                            {a.number(5), a.number(6), a.number(7), a.number(8)});
             return Value();
         }},
        {"toDataURL",
         [](Context& c, const Arguments&) {
             auto bitmap = c.bitmap();
             auto png = bitmap ? graphics::PNGCodec::encode(*bitmap) : std::nullopt;
             return Value(png ? "data:image/png;base64," + crypto::Base64::encode(*png)
                              : std::string("data:,"));
         }},
    };
    return table;
}

}  // namespace

CanvasBindings::CanvasBindings(LoadedImages images) : images_(std::move(images)) {}

CanvasBindings::~CanvasBindings() = default;

void CanvasBindings::install(ScriptEngine& engine, int frameId) {
    removeFrame(frameId);
    engine.defineFunction("__nativeCanvas", [this, frameId](const std::vector<Value>& arguments) {
        return call(frameId, arguments);
    });
    engine.evaluate(canvasPrelude(), "about:canvas");
}

void CanvasBindings::removeFrame(int frameId) {
    std::erase_if(canvases_,
                  [frameId](const auto& entry) { return entry.second.frameId == frameId; });
}

graphics::Image::Ptr CanvasBindings::image(int canvasId) const {
    const auto found = canvases_.find(canvasId);
    if (found == canvases_.end()) {
        return nullptr;
    }
    return graphics::Image::make(found->second.context->bitmap());
}

long long CanvasBindings::pixelsInUse() const {
    long long pixels = 0;
    for (const auto& [id, canvas] : canvases_) {
        pixels += static_cast<long long>(canvas.context->width()) * canvas.context->height();
    }
    return pixels;
}

namespace {

// A canvas side from a script: a whole number of pixels; 0 for what is not one.
int side(double value) {
    return value >= 0 && value <= graphics::Bitmap::kMaxSide ? static_cast<int>(value) : 0;
}

bool withinBudget(long long inUse, int width, int height) {
    if (inUse + static_cast<long long>(width) * height <= CanvasBindings::kPixelBudget) {
        return true;
    }
    foundation::Log::write("web", "A canvas of " + std::to_string(width) + "x" +
                                      std::to_string(height) +
                                      " pixels is past the page's canvas memory: it draws nothing");
    return false;
}

}  // namespace

int CanvasBindings::create(int frameId, double width, double height) {
    const int w = side(width), h = side(height);
    if (!withinBudget(pixelsInUse(), w, h)) {
        return 0;
    }
    const int id = nextId_++;
    canvases_[id] = Canvas{frameId, std::make_unique<CanvasRenderingContext2D>(w, h)};
    return id;
}

bool CanvasBindings::resize(Canvas& canvas, double width, double height) {
    const int w = side(width), h = side(height);
    const long long own =
        static_cast<long long>(canvas.context->width()) * canvas.context->height();
    if (!withinBudget(pixelsInUse() - own, w, h)) {
        canvas.context->reset(0, 0);
        return false;
    }
    canvas.context->reset(w, h);
    return true;
}

Value CanvasBindings::drawImage(CanvasRenderingContext2D& context,
                                const std::vector<Value>& arguments) {
    const Arguments a{arguments};
    std::shared_ptr<const graphics::Bitmap> bitmap;
    if (a.text(0) == "canvas") {
        const auto found = canvases_.find(static_cast<int>(a.number(1)));
        if (found != canvases_.end()) {
            bitmap = found->second.context->bitmap();
        }
    } else {
        const std::string url = a.text(1);
        auto image = images_(url);
        if (!image) {
            image = Painter::loadImage(url, a.text(2));
        }
        bitmap = image ? image->uprightBitmap() : nullptr;
    }
    if (!bitmap) {
        return Value();
    }
    const double w = bitmap->width(), h = bitmap->height();
    std::vector<double> n;
    for (std::size_t i = 3; i < a.size(); ++i) {
        n.push_back(a.number(i));
    }
    graphics::Rect source{0, 0, w, h};
    graphics::Rect destination;
    if (n.size() == 2) {
        destination = {n[0], n[1], w, h};
    } else if (n.size() == 4) {
        destination = {n[0], n[1], n[2], n[3]};
    } else if (n.size() == 8) {
        source = graphics::Rect(n[0], n[1], n[2], n[3]).standardized();
        destination = graphics::Rect(n[4], n[5], n[6], n[7]).standardized();
        // Only the part of the source inside the picture is drawn, to the
        // matching part of the destination.
        const auto inside = source.intersection({0, 0, w, h});
        if (inside.isNull() || inside.isEmpty()) {
            return Value();
        }
        const double sx = destination.size.width / source.size.width;
        const double sy = destination.size.height / source.size.height;
        destination = {destination.origin.x + (inside.origin.x - source.origin.x) * sx,
                       destination.origin.y + (inside.origin.y - source.origin.y) * sy,
                       inside.size.width * sx, inside.size.height * sy};
        source = inside;
    } else {
        return Value();
    }
    context.drawImage(*bitmap, source, destination);
    return Value();
}

Value CanvasBindings::call(int frameId, const std::vector<Value>& arguments) {
    const Arguments a{arguments};
    const std::string operation =
        arguments.empty() || !arguments[0].asString() ? std::string() : *arguments[0].asString();
    if (operation == "color") {
        auto color = CSSValues::color(a.text(0));
        return color ? Value(colorText(*color)) : Value();
    }
    if (operation == "create") {
        return Value(create(frameId, a.number(0), a.number(1)));
    }
    const auto found =
        canvases_.find(arguments.size() > 1 ? static_cast<int>(arguments[1].doubleValue()) : 0);
    if (found == canvases_.end() || found->second.frameId != frameId || !a.finite()) {
        return Value();
    }
    CanvasRenderingContext2D& context = *found->second.context;
    if (operation == "resize") {
        return Value(resize(found->second, a.number(0), a.number(1)));
    }
    if (operation == "drawImage") {
        return drawImage(context, arguments);
    }
    const auto& table = operations();
    const auto op = table.find(operation);
    const Value result = op == table.end() ? Value() : op->second(context, a);
    if (context.recover()) {
        foundation::Log::write(
            "web", "A canvas could not draw with " + operation + "; its drawing state starts over");
    }
    return result;
}

}  // namespace web
