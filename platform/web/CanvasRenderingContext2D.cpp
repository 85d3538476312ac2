#include "platform/web/CanvasRenderingContext2D.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "platform/graphics/CairoPixels.h"
#include "platform/graphics/FontRuns.h"
#include "platform/web/CSSValues.h"

namespace web {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Larger text is refused: glyphs are rasterised at their size.
constexpr double kMaxFontSize = 1000;
// Radii past this would make arcs of millions of segments.
constexpr double kMaxRadius = 1e6;
// The names of cairo's line caps and joins, in the order of its enumerations.
constexpr std::string_view kLineCaps[] = {"butt", "round", "square"};
constexpr std::string_view kLineJoins[] = {"miter", "round", "bevel"};

// The family, size and weight of a CSS font shorthand:
// [style] [variant] [weight] size[/line-height] family[, family...].
std::optional<graphics::Font> parseFont(const std::string& text) {
    std::istringstream words(CSSValues::lowercase(text));
    std::string word;
    graphics::Font font{"DejaVu Sans", 10, false};
    while (words >> word) {
        const bool digits = word.find_first_not_of("0123456789") == std::string::npos;
        if (word == "bold" || word == "bolder" || (digits && std::stoi(word.substr(0, 4)) >= 600)) {
            font.bold = true;
            continue;
        }
        if (digits || !(std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '.')) {
            continue;
        }
        auto length = CSSValues::length(word.substr(0, word.find('/')));
        if (!length) {
            return std::nullopt;
        }
        double size = 0;
        if (length->unit == CSSLength::Unit::px) {
            size = length->value;
        } else if (length->unit == CSSLength::Unit::em || length->unit == CSSLength::Unit::rem) {
            size = length->value * 10;
        } else {
            return std::nullopt;
        }
        if (!(size > 0 && size <= kMaxFontSize)) {
            return std::nullopt;
        }
        font.pointSize = size;
        std::string family;
        std::getline(words, family, ',');
        family = CSSValues::trim(family);
        if (family.find("mono") != std::string::npos || family == "courier" ||
            family == "\"courier new\"") {
            font.family = "DejaVu Sans Mono";
        } else if (family == "serif" || family.find("times") != std::string::npos ||
                   family == "georgia") {
            font.family = "DejaVu Serif";
        }
        return font;
    }
    return std::nullopt;
}

// Advances are kept unrounded, so text measures in proportion to its size.
void selectFont(cairo_t* cr, const graphics::Font& font) {
    static cairo_font_options_t* const options = [] {
        cairo_font_options_t* made = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(made, CAIRO_HINT_METRICS_OFF);
        return made;
    }();
    cairo_set_font_options(cr, options);
    cairo_select_font_face(cr, font.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.pointSize);
}

// Whether cairo draws with the matrix: its determinant finite and not 0.
bool invertible(const cairo_matrix_t& m) {
    const double determinant = m.xx * m.yy - m.yx * m.xy;
    return std::isfinite(determinant) && determinant != 0;
}

}  // namespace

CanvasRenderingContext2D::CanvasRenderingContext2D(int width, int height) {
    reset(width, height);
}

CanvasRenderingContext2D::~CanvasRenderingContext2D() {
    reset(0, 0);
}

void CanvasRenderingContext2D::reset(int width, int height) {
    if (cr_ != nullptr) {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
        cr_ = nullptr;
        surface_ = nullptr;
    }
    state_ = State();
    saved_.clear();
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    if (width_ == 0 || height_ == 0 || !graphics::Bitmap::sizeAllowed(width_, height_)) {
        width_ = height_ = 0;
        return;
    }
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_);
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        reset(0, 0);
    }
}

void CanvasRenderingContext2D::save() {
    saved_.push_back(state_);
    if (cr_ != nullptr) {
        cairo_save(cr_);
    }
}

void CanvasRenderingContext2D::restore() {
    if (saved_.empty()) {
        return;
    }
    state_ = std::move(saved_.back());
    saved_.pop_back();
    if (cr_ != nullptr) {
        cairo_restore(cr_);
    }
}

void CanvasRenderingContext2D::applyMatrix(const cairo_matrix_t& matrix) {
    state_.matrix = matrix;
    state_.singular = !invertible(matrix);
    if (cr_ != nullptr && !state_.singular) {
        cairo_set_matrix(cr_, &matrix);
    }
}

bool CanvasRenderingContext2D::invertibleScaled(double sx, double sy) const {
    cairo_matrix_t matrix = state_.matrix;
    cairo_matrix_scale(&matrix, sx, sy);
    return invertible(matrix);
}

bool CanvasRenderingContext2D::recover() {
    if (cr_ == nullptr || cairo_status(cr_) == CAIRO_STATUS_SUCCESS) {
        return false;
    }
    cairo_destroy(cr_);
    cr_ = cairo_create(surface_);
    state_ = State();
    saved_.clear();
    return true;
}

void CanvasRenderingContext2D::transform(double a, double b, double c, double d, double e,
                                         double f) {
    cairo_matrix_t by{a, b, c, d, e, f};
    cairo_matrix_t result;
    cairo_matrix_multiply(&result, &by, &state_.matrix);
    applyMatrix(result);
}

void CanvasRenderingContext2D::setTransform(double a, double b, double c, double d, double e,
                                            double f) {
    applyMatrix({a, b, c, d, e, f});
}

void CanvasRenderingContext2D::translate(double x, double y) {
    transform(1, 0, 0, 1, x, y);
}

void CanvasRenderingContext2D::scale(double x, double y) {
    transform(x, 0, 0, y, 0, 0);
}

void CanvasRenderingContext2D::rotate(double angle) {
    transform(std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 0, 0);
}

void CanvasRenderingContext2D::setLineWidth(double width) {
    if (width > 0 && cr_ != nullptr) {
        cairo_set_line_width(cr_, width);
    }
}

void CanvasRenderingContext2D::setLineCap(const std::string& cap) {
    const auto found = std::find(std::begin(kLineCaps), std::end(kLineCaps), cap);
    if (cr_ != nullptr && found != std::end(kLineCaps)) {
        cairo_set_line_cap(cr_, static_cast<cairo_line_cap_t>(found - std::begin(kLineCaps)));
    }
}

void CanvasRenderingContext2D::setLineJoin(const std::string& join) {
    const auto found = std::find(std::begin(kLineJoins), std::end(kLineJoins), join);
    if (cr_ != nullptr && found != std::end(kLineJoins)) {
        cairo_set_line_join(cr_, static_cast<cairo_line_join_t>(found - std::begin(kLineJoins)));
    }
}

void CanvasRenderingContext2D::setLineDash(std::vector<double> segments) {
    if (cr_ == nullptr ||
        std::any_of(segments.begin(), segments.end(), [](double s) { return !(s >= 0); })) {
        return;
    }
    if (segments.size() % 2 == 1) {
        segments.insert(segments.end(), segments.begin(), segments.end());
    }
    const bool blank =
        std::all_of(segments.begin(), segments.end(), [](double s) { return s == 0; });
    cairo_set_dash(cr_, blank ? nullptr : segments.data(),
                   blank ? 0 : static_cast<int>(segments.size()), 0);
}

void CanvasRenderingContext2D::setGlobalAlpha(double alpha) {
    if (alpha >= 0 && alpha <= 1) {
        state_.globalAlpha = alpha;
    }
}

bool CanvasRenderingContext2D::setFont(const std::string& font) {
    auto parsed = parseFont(font);
    if (parsed) {
        state_.font = *parsed;
    }
    return parsed.has_value();
}

void CanvasRenderingContext2D::beginPath() {
    if (cr_ != nullptr) {
        cairo_new_path(cr_);
    }
}

void CanvasRenderingContext2D::moveTo(double x, double y) {
    if (drawable()) {
        cairo_move_to(cr_, x, y);
    }
}

void CanvasRenderingContext2D::lineTo(double x, double y) {
    if (drawable()) {
        cairo_line_to(cr_, x, y);
    }
}

void CanvasRenderingContext2D::closePath() {
    if (drawable()) {
        cairo_close_path(cr_);
    }
}

void CanvasRenderingContext2D::rect(double x, double y, double width, double height) {
    if (drawable()) {
        cairo_rectangle(cr_, x, y, width, height);
    }
}

void CanvasRenderingContext2D::arc(double x, double y, double radius, double startAngle,
                                   double endAngle, bool anticlockwise) {
    if (radius < 0) {
        throw std::invalid_argument("IndexSizeError: The radius provided is negative.");
    }
    if (!drawable()) {
        return;
    }
    radius = std::min(radius, kMaxRadius);
    // The turn from the start to the end angle in the drawing direction: a
    // full circle at 2π or more, else less than one turn.
    double sweep = anticlockwise ? startAngle - endAngle : endAngle - startAngle;
    if (sweep >= kTwoPi) {
        sweep = kTwoPi;
    } else {
        sweep = std::fmod(sweep, kTwoPi);
        if (sweep < 0) {
            sweep += kTwoPi;
        }
    }
    if (anticlockwise) {
        cairo_arc_negative(cr_, x, y, radius, startAngle, startAngle - sweep);
    } else {
        cairo_arc(cr_, x, y, radius, startAngle, startAngle + sweep);
    }
}

void CanvasRenderingContext2D::arcTo(double x1, double y1, double x2, double y2, double radius) {
    if (radius < 0) {
        throw std::invalid_argument("IndexSizeError: The radius provided is negative.");
    }
    if (!drawable()) {
        return;
    }
    if (!cairo_has_current_point(cr_)) {
        cairo_move_to(cr_, x1, y1);
    }
    double x0 = 0;
    double y0 = 0;
    cairo_get_current_point(cr_, &x0, &y0);
    const double ax = x0 - x1, ay = y0 - y1, bx = x2 - x1, by = y2 - y1;
    const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    const double cross = ax * by - ay * bx;
    if (radius == 0 || la == 0 || lb == 0 || std::abs(cross) < 1e-9 * la * lb) {
        cairo_line_to(cr_, x1, y1);
        return;
    }
    radius = std::min(radius, kMaxRadius);
    const double angle = std::acos(std::clamp((ax * bx + ay * by) / (la * lb), -1.0, 1.0));
    const double along = radius / std::tan(angle / 2);
    const double t1x = x1 + ax / la * along, t1y = y1 + ay / la * along;
    const double t2x = x1 + bx / lb * along, t2y = y1 + by / lb * along;
    const double mx = ax / la + bx / lb, my = ay / la + by / lb;
    const double toCentre = radius / std::sin(angle / 2) / std::hypot(mx, my);
    const double cx = x1 + mx * toCentre, cy = y1 + my * toCentre;
    const double start = std::atan2(t1y - cy, t1x - cx);
    const double end = std::atan2(t2y - cy, t2x - cx);
    cairo_line_to(cr_, t1x, t1y);
    if (cross < 0) {
        cairo_arc(cr_, cx, cy, radius, start, end);
    } else {
        cairo_arc_negative(cr_, cx, cy, radius, start, end);
    }
}

void CanvasRenderingContext2D::quadraticCurveTo(double cpx, double cpy, double x, double y) {
    if (!drawable()) {
        return;
    }
    if (!cairo_has_current_point(cr_)) {
        cairo_move_to(cr_, cpx, cpy);
    }
    double x0 = 0;
    double y0 = 0;
    cairo_get_current_point(cr_, &x0, &y0);
    cairo_curve_to(cr_, x0 + 2.0 / 3 * (cpx - x0), y0 + 2.0 / 3 * (cpy - y0),
                   x + 2.0 / 3 * (cpx - x), y + 2.0 / 3 * (cpy - y), x, y);
}

void CanvasRenderingContext2D::bezierCurveTo(double cp1x, double cp1y, double cp2x, double cp2y,
                                             double x, double y) {
    if (!drawable()) {
        return;
    }
    if (!cairo_has_current_point(cr_)) {
        cairo_move_to(cr_, cp1x, cp1y);
    }
    cairo_curve_to(cr_, cp1x, cp1y, cp2x, cp2y, x, y);
}

void CanvasRenderingContext2D::setSource(const Style& style) {
    if (const auto* color = std::get_if<graphics::Color>(&style)) {
        const auto c = color->toRgba8();
        cairo_set_source_rgba(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0,
                              c.a / 255.0 * state_.globalAlpha);
        return;
    }
    const auto& gradient = std::get<LinearGradient>(style);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(gradient.start.x, gradient.start.y,
                                                           gradient.end.x, gradient.end.y);
    auto stops = gradient.stops;
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [offset, color] : stops) {
        const auto c = color.toRgba8();
        cairo_pattern_add_color_stop_rgba(pattern, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0,
                                          c.a / 255.0 * state_.globalAlpha);
    }
    if (stops.empty() ||
        (gradient.start.x == gradient.end.x && gradient.start.y == gradient.end.y)) {
        // Paints nothing, as a gradient without extent or stops does.
        cairo_pattern_destroy(pattern);
        cairo_set_source_rgba(cr_, 0, 0, 0, 0);
        return;
    }
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cr_, pattern);
    cairo_pattern_destroy(pattern);
}

template <typename Draw>
void CanvasRenderingContext2D::withOwnPath(Draw&& draw) {
    cairo_path_t* kept = cairo_copy_path(cr_);
    cairo_new_path(cr_);
    draw();
    cairo_new_path(cr_);
    if (kept->status == CAIRO_STATUS_SUCCESS) {
        cairo_append_path(cr_, kept);
    }
    cairo_path_destroy(kept);
}

void CanvasRenderingContext2D::fill(bool evenOdd) {
    if (!drawable()) {
        return;
    }
    setSource(state_.fill);
    cairo_set_fill_rule(cr_, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_fill_preserve(cr_);
}

void CanvasRenderingContext2D::stroke() {
    if (!drawable()) {
        return;
    }
    setSource(state_.stroke);
    cairo_stroke_preserve(cr_);
}

void CanvasRenderingContext2D::clip(bool evenOdd) {
    if (!drawable()) {
        return;
    }
    cairo_set_fill_rule(cr_, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_clip_preserve(cr_);
}

void CanvasRenderingContext2D::fillRect(double x, double y, double width, double height) {
    if (!drawable()) {
        return;
    }
    withOwnPath([&] {
        cairo_rectangle(cr_, x, y, width, height);
        setSource(state_.fill);
        cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr_);
    });
}

void CanvasRenderingContext2D::strokeRect(double x, double y, double width, double height) {
    if (!drawable()) {
        return;
    }
    withOwnPath([&] {
        cairo_rectangle(cr_, x, y, width, height);
        setSource(state_.stroke);
        cairo_stroke(cr_);
    });
}

void CanvasRenderingContext2D::clearRect(double x, double y, double width, double height) {
    if (!drawable()) {
        return;
    }
    withOwnPath([&] {
        cairo_save(cr_);
        cairo_rectangle(cr_, x, y, width, height);
        cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
        cairo_fill(cr_);
        cairo_restore(cr_);
    });
}

void CanvasRenderingContext2D::drawText(const std::string& text, double x, double y,
                                        double maxWidth, bool strokeIt) {
    if (!drawable() || text.empty()) {
        return;
    }
    std::string line = text;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    const auto metrics = measureText(line);
    const double squeeze = maxWidth > 0 && metrics.width > maxWidth ? maxWidth / metrics.width : 1;
    if (!invertibleScaled(squeeze, 1)) {
        return;
    }
    const auto& align = state_.textAlign;
    double start = 0;
    if (align == "center") {
        start = -metrics.width / 2;
    } else if (align == "right" || align == "end") {
        start = -metrics.width;
    }
    const auto& baseline = state_.textBaseline;
    double shift = 0;
    if (baseline == "top" || baseline == "hanging") {
        shift = metrics.ascent;
    } else if (baseline == "middle") {
        shift = (metrics.ascent - metrics.descent) / 2;
    } else if (baseline == "bottom" || baseline == "ideographic") {
        shift = -metrics.descent;
    }
    withOwnPath([&] {
        cairo_save(cr_);
        cairo_translate(cr_, x, y + shift);
        cairo_scale(cr_, squeeze, 1);
        double pen = start;
        for (const auto& run : graphics::FontRuns::split(line, state_.font)) {
            selectFont(cr_, run.font);
            cairo_move_to(cr_, pen, 0);
            cairo_text_path(cr_, run.text.c_str());
            cairo_text_extents_t extents;
            cairo_text_extents(cr_, run.text.c_str(), &extents);
            pen += extents.x_advance;
        }
        cairo_restore(cr_);
        if (strokeIt) {
            setSource(state_.stroke);
            cairo_stroke(cr_);
        } else {
            setSource(state_.fill);
            cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
            cairo_fill(cr_);
        }
    });
}

void CanvasRenderingContext2D::fillText(const std::string& text, double x, double y,
                                        double maxWidth) {
    drawText(text, x, y, maxWidth, false);
}

void CanvasRenderingContext2D::strokeText(const std::string& text, double x, double y,
                                          double maxWidth) {
    drawText(text, x, y, maxWidth, true);
}

CanvasRenderingContext2D::TextMetrics CanvasRenderingContext2D::measureText(
    const std::string& text) const {
    TextMetrics metrics;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    selectFont(cr, state_.font);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    metrics.ascent = font.ascent;
    metrics.descent = font.descent;
    for (const auto& run : graphics::FontRuns::split(text, state_.font)) {
        selectFont(cr, run.font);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, run.text.c_str(), &extents);
        metrics.width += extents.x_advance;
    }
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return metrics;
}

void CanvasRenderingContext2D::drawImage(const graphics::Bitmap& bitmap,
                                         const graphics::Rect& source,
                                         const graphics::Rect& destination) {
    const double sx = destination.size.width / source.size.width;
    const double sy = destination.size.height / source.size.height;
    if (!drawable() || source.isEmpty() || !invertibleScaled(sx, sy)) {
        return;
    }
    cairo_surface_t* image = graphics::surfaceFromBitmap(bitmap);
    if (image == nullptr) {
        return;
    }
    withOwnPath([&] {
        cairo_save(cr_);
        cairo_rectangle(cr_, destination.origin.x, destination.origin.y, destination.size.width,
                        destination.size.height);
        cairo_clip(cr_);
        cairo_translate(cr_, destination.origin.x, destination.origin.y);
        cairo_scale(cr_, sx, sy);
        cairo_set_source_surface(cr_, image, -source.origin.x, -source.origin.y);
        cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
        cairo_paint_with_alpha(cr_, state_.globalAlpha);
        cairo_restore(cr_);
    });
    cairo_surface_destroy(image);
}

std::vector<std::uint8_t> CanvasRenderingContext2D::getImageData(int x, int y, int width,
                                                                 int height) const {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("IndexSizeError: The source width or height is 0.");
    }
    if (!graphics::Bitmap::sizeAllowed(width, height)) {
        throw std::range_error("The image data is too large.");
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height * 4, 0);
    if (cr_ == nullptr) {
        return out;
    }
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int row = std::max(0, -y); row < height && y + row < height_; ++row) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(data + (y + row) * stride);
        for (int column = std::max(0, -x); column < width && x + column < width_; ++column) {
            graphics::writeStraightPixel(
                in[x + column], &out[(static_cast<std::size_t>(row) * width + column) * 4]);
        }
    }
    return out;
}

void CanvasRenderingContext2D::putImageData(const std::vector<std::uint8_t>& data, int width,
                                            int height, int dx, int dy, graphics::Rect dirty) {
    if (width <= 0 || height <= 0 ||
        data.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        throw std::invalid_argument("The image data does not match its size.");
    }
    if (cr_ == nullptr) {
        return;
    }
    dirty = dirty.standardized().intersection(
        {0, 0, static_cast<double>(width), static_cast<double>(height)});
    if (dirty.isNull() || dirty.isEmpty()) {
        return;
    }
    cairo_surface_flush(surface_);
    unsigned char* pixels = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const int left = static_cast<int>(std::floor(dirty.minX()));
    const int top = static_cast<int>(std::floor(dirty.minY()));
    const int right = static_cast<int>(std::ceil(dirty.maxX()));
    const int bottom = static_cast<int>(std::ceil(dirty.maxY()));
    for (int row = std::max(top, -dy); row < bottom && dy + row < height_; ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(pixels + (dy + row) * stride);
        for (int column = std::max(left, -dx); column < right && dx + column < width_; ++column) {
            out[dx + column] = graphics::premultipliedPixel(
                &data[(static_cast<std::size_t>(row) * width + column) * 4]);
        }
    }
    cairo_surface_mark_dirty(surface_);
}

std::shared_ptr<graphics::Bitmap> CanvasRenderingContext2D::bitmap() const {
    if (cr_ == nullptr) {
        return nullptr;
    }
    auto bitmap = graphics::Bitmap::make(width_, height_);
    const auto pixels = getImageData(0, 0, width_, height_);
    std::copy(pixels.begin(), pixels.end(), bitmap->data());
    return bitmap;
}

}  // namespace web
