#include "platform/web/ComputedStyle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <tuple>

namespace web {

namespace {

const std::set<std::string> kBlocks{
    "html",   "body",  "div",     "p",          "h1",      "h2",      "h3",      "h4",
    "h5",     "h6",    "ul",      "ol",         "li",      "section", "article", "header",
    "footer", "nav",   "main",    "aside",      "form",    "table",   "tr",      "tbody",
    "thead",  "tfoot", "center",  "blockquote", "pre",     "hr",      "figure",  "dl",
    "dt",     "dd",    "address", "fieldset",   "caption", "td",      "th",      "figcaption"};
const std::set<std::string> kHidden{"head",   "script", "style",    "title",    "meta",
                                    "link",   "base",   "template", "noscript", "param",
                                    "source", "track",  "audio"};
const std::set<std::string> kAtomic{"img",      "iframe", "frame", "input", "button", "select",
                                    "textarea", "canvas", "video", "embed", "object"};

// The browser's own sheet, for what tags look like before the page styles them.
const StyleSheet& defaults() {
    static const StyleSheet sheet = StyleSheet::parse(R"CSS(
body { margin: 8px }
p, blockquote, ul, ol, dl, figure { margin: 1em 0 }
h1 { font-size: 2em; margin: 0.67em 0; font-weight: bold }
h2 { font-size: 1.5em; margin: 0.83em 0; font-weight: bold }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold }
h4 { margin: 1.33em 0; font-weight: bold }
h5 { font-size: 0.83em; margin: 1.67em 0; font-weight: bold }
h6 { font-size: 0.67em; margin: 2.33em 0; font-weight: bold }
b, strong, th { font-weight: bold }
ul, ol { padding-left: 40px }
center { text-align: center }
small { font-size: 0.83em }
big { font-size: 1.17em }
a { color: #0000ee }
hr { border: 1px solid gray; margin: 0.5em 0 }
pre { white-space: pre }
td, th { padding: 1px }
)CSS",
                                                      -100000);
    return sheet;
}

std::vector<std::string> words(const std::string& value) {
    std::vector<std::string> out;
    std::string current;
    int parens = 0;
    for (char c : value) {
        if (c == '(') {
            ++parens;
        } else if (c == ')') {
            --parens;
        }
        if (parens == 0 && (c == ' ' || c == '\t' || c == '\n')) {
            if (!current.empty()) {
                out.push_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        out.push_back(current);
    }
    return out;
}

// Four sides from one to four values, as margin and padding shorthands give them.
void setSides(CSSLength sides[4], const std::string& value) {
    std::vector<CSSLength> lengths;
    for (const auto& word : words(value)) {
        if (auto length = CSSValues::length(word)) {
            lengths.push_back(*length);
        } else {
            return;
        }
    }
    if (lengths.empty() || lengths.size() > 4) {
        return;
    }
    const std::size_t n = lengths.size();
    sides[0] = lengths[0];
    sides[1] = lengths[n > 1 ? 1 : 0];
    sides[2] = lengths[n > 2 ? 2 : 0];
    sides[3] = lengths[n > 3 ? 3 : (n > 1 ? 1 : 0)];
}

double borderWidth(const std::string& word) {
    std::string w = CSSValues::lowercase(word);
    if (w == "thin") {
        return 1;
    }
    if (w == "medium") {
        return 3;
    }
    if (w == "thick") {
        return 5;
    }
    auto length = CSSValues::length(w);
    return length && length->unit == CSSLength::Unit::px ? std::max(0.0, length->value) : -1;
}

// "1px solid red": width, style and colour in any order.
void setBorder(ComputedStyle& style, const std::string& value, int side) {
    double width = 3;
    bool none = false;
    std::optional<graphics::Color> color;
    for (const auto& word : words(value)) {
        std::string w = CSSValues::lowercase(word);
        if (w == "none" || w == "hidden") {
            none = true;
        } else if (double px = borderWidth(w); px >= 0) {
            width = px;
        } else if (auto c = CSSValues::color(w)) {
            color = c;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (side < 0 || side == i) {
            style.border[i] = none ? 0 : width;
        }
    }
    if (color) {
        style.borderColor = *color;
    }
}

double fontSizeOf(const std::string& value, double parent, graphics::Size viewport) {
    static const std::vector<std::pair<std::string, double>> kKeywords{
        {"xx-small", 9}, {"x-small", 10},  {"small", 13},      {"medium", 16},  {"large", 18},
        {"x-large", 24}, {"xx-large", 32}, {"smaller", -0.83}, {"larger", -1.2}};
    std::string v = CSSValues::lowercase(CSSValues::trim(value));
    for (const auto& [name, size] : kKeywords) {
        if (v == name) {
            return size < 0 ? -size * parent : size;
        }
    }
    auto length = CSSValues::length(v);
    if (!length || length->isAuto()) {
        return parent;
    }
    auto px = length->resolve(parent, parent, viewport);
    return px && *px > 0 ? std::min(*px, 1000.0) : parent;
}

void apply(ComputedStyle& style, const StyleDeclaration& d, const ComputedStyle& parent,
           graphics::Size viewport) {
    const std::string& p = d.property;
    const std::string v = CSSValues::lowercase(d.value);
    if (p == "display") {
        if (v == "none") {
            style.display = Display::none;
        } else if (v == "inline") {
            style.display = Display::inlineLevel;
        } else if (v == "inline-block" || v == "inline-flex" || v == "inline-table") {
            style.display = Display::inlineBlock;
        } else {
            style.display = Display::block;
        }
    } else if (p == "visibility") {
        style.visible = v != "hidden" && v != "collapse";
    } else if (p == "position") {
        style.position = v == "relative"   ? Position::relative
                         : v == "absolute" ? Position::absolute
                         : v == "fixed"    ? Position::fixed
                                           : Position::staticPosition;
    } else if (p == "width" || p == "height" || p == "left" || p == "top" || p == "right" ||
               p == "bottom") {
        auto length = CSSValues::length(v);
        auto& slot = p == "width"    ? style.width
                     : p == "height" ? style.height
                     : p == "left"   ? style.left
                     : p == "top"    ? style.top
                     : p == "right"  ? style.right
                                     : style.bottom;
        if (length) {
            slot = length->isAuto() ? std::nullopt : std::optional<CSSLength>(length);
        }
    } else if (p == "margin" || p == "padding") {
        setSides(p == "margin" ? style.margin : style.padding, v);
    } else if (p.rfind("margin-", 0) == 0 || p.rfind("padding-", 0) == 0) {
        bool margin = p[0] == 'm';
        std::string side = p.substr(margin ? 7 : 8);
        static const std::vector<std::string> kSides{"top", "right", "bottom", "left"};
        auto it = std::find(kSides.begin(), kSides.end(), side);
        auto length = CSSValues::length(v);
        if (it != kSides.end() && length) {
            (margin ? style.margin : style.padding)[it - kSides.begin()] = *length;
        }
    } else if (p == "border") {
        setBorder(style, v, -1);
    } else if (p == "border-top" || p == "border-right" || p == "border-bottom" ||
               p == "border-left") {
        static const std::vector<std::string> kSides{"top", "right", "bottom", "left"};
        auto it = std::find(kSides.begin(), kSides.end(), p.substr(7));
        setBorder(style, v, static_cast<int>(it - kSides.begin()));
    } else if (p == "border-width") {
        double px = borderWidth(v);
        if (px >= 0) {
            std::fill(std::begin(style.border), std::end(style.border), px);
        }
    } else if (p == "border-style" && (v == "none" || v == "hidden")) {
        std::fill(std::begin(style.border), std::end(style.border), 0);
    } else if (p == "border-color") {
        if (auto c = CSSValues::color(v)) {
            style.borderColor = *c;
        }
    } else if (p == "background-color") {
        if (auto c = CSSValues::color(v)) {
            style.background = *c;
        }
    } else if (p == "background" || p == "background-image") {
        if (auto url = CSSValues::url(d.value)) {
            style.backgroundImage = *url;
        }
        if (p == "background") {
            for (const auto& word : words(v)) {
                if (auto c = CSSValues::color(word)) {
                    style.background = *c;
                }
            }
        }
    } else if (p == "color") {
        if (auto c = CSSValues::color(v)) {
            style.color = *c;
        }
    } else if (p == "font-size") {
        style.fontSize = fontSizeOf(v, parent.fontSize, viewport);
    } else if (p == "font-weight") {
        style.bold = v == "bold" || v == "bolder" || std::atoi(v.c_str()) >= 600;
    } else if (p == "font") {
        for (const auto& word : words(v)) {
            if (word == "bold" || std::atoi(word.c_str()) >= 600) {
                style.bold = true;
            } else if (word.find_first_of("0123456789") == 0 || word.find('.') == 0) {
                style.fontSize =
                    fontSizeOf(word.substr(0, word.find('/')), parent.fontSize, viewport);
            }
        }
    } else if (p == "text-align") {
        style.textAlign = v == "center"                ? TextAlign::center
                          : v == "right" || v == "end" ? TextAlign::right
                                                       : TextAlign::left;
    } else if (p == "opacity") {
        char* end = nullptr;
        double value = std::strtod(v.c_str(), &end);
        if (end != v.c_str() && std::isfinite(value)) {
            style.opacity = std::clamp(value, 0.0, 1.0);
        }
    } else if (p == "overflow") {
        style.clips = v == "hidden" || v == "scroll" || v == "auto" || v == "clip";
    } else if (p == "white-space") {
        style.preservesWhiteSpace = v == "pre" || v == "pre-wrap";
    }
}

// What HTML attributes say about the look, below every style rule.
std::vector<StyleDeclaration> presentational(const PageNode& e) {
    std::vector<StyleDeclaration> out;
    auto add = [&](const std::string& property, const std::string& value) {
        if (!value.empty()) {
            out.push_back({property, value, false});
        }
    };
    add("background-color", e.attribute("bgcolor"));
    if (e.tag == "font") {
        add("color", e.attribute("color"));
    }
    if (kAtomic.count(e.tag) || e.tag == "table" || e.tag == "td" || e.tag == "th") {
        for (const char* name : {"width", "height"}) {
            std::string value = e.attribute(name);
            if (!value.empty() && value.find_first_not_of("0123456789.") == std::string::npos) {
                value += "px";
            }
            add(name, value);
        }
    }
    std::string align = CSSValues::lowercase(e.attribute("align"));
    if (align == "center" || align == "right" || align == "left") {
        add("text-align", align);
    }
    if (e.attributes.count("hidden")) {
        add("display", "none");
    }
    return out;
}

}  // namespace

ComputedStyle ComputedStyle::initial() {
    ComputedStyle style;
    style.display = Display::block;
    return style;
}

ComputedStyle ComputedStyle::resolve(const PageNode& element,
                                     const std::vector<const PageNode*>& ancestors,
                                     const ComputedStyle& parent, const StyleSheet& sheet,
                                     graphics::Size viewport) {
    ComputedStyle style;
    style.visible = parent.visible;
    style.color = parent.color;
    style.fontSize = parent.fontSize;
    style.bold = parent.bold;
    style.textAlign = parent.textAlign;
    style.preservesWhiteSpace = parent.preservesWhiteSpace;
    style.display = kHidden.count(element.tag)   ? Display::none
                    : kBlocks.count(element.tag) ? Display::block
                    : kAtomic.count(element.tag) ? Display::inlineBlock
                                                 : Display::inlineLevel;

    struct Ranked {
        int importance;
        int specificity;
        int order;
        const StyleDeclaration* declaration;
    };
    std::vector<Ranked> ranked;
    for (const auto* rules : {&defaults(), &sheet}) {
        for (const auto& rule : rules->rules()) {
            if (StyleSheet::matches(rule.selector, element, ancestors)) {
                for (const auto& d : rule.declarations) {
                    ranked.push_back(
                        {d.important ? 2 : 0, rule.selector.specificity, rule.order, &d});
                }
            }
        }
    }
    auto hints = presentational(element);
    for (const auto& d : hints) {
        ranked.push_back({0, -1, -200000, &d});
    }
    auto inline_ = StyleSheet::parseDeclarations(element.style);
    for (std::size_t i = 0; i < inline_.size(); ++i) {
        ranked.push_back({inline_[i].important ? 3 : 1, 0, static_cast<int>(i), &inline_[i]});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        return std::tie(a.importance, a.specificity, a.order) <
               std::tie(b.importance, b.specificity, b.order);
    });
    // Font size first: em lengths of the other properties depend on it.
    for (const auto& r : ranked) {
        if (r.declaration->property == "font-size" || r.declaration->property == "font") {
            apply(style, *r.declaration, parent, viewport);
        }
    }
    for (const auto& r : ranked) {
        if (r.declaration->property != "font-size" && r.declaration->property != "font") {
            apply(style, *r.declaration, parent, viewport);
        }
    }
    return style;
}

}  // namespace web
