#include "platform/web/CSSValues.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace web {

namespace {

struct NamedColor {
    const char* name;
    unsigned rgb;
};

constexpr std::array<NamedColor, 42> kNamed{{
    {"black", 0x000000},      {"white", 0xffffff},      {"red", 0xff0000},
    {"green", 0x008000},      {"blue", 0x0000ff},       {"yellow", 0xffff00},
    {"gray", 0x808080},       {"grey", 0x808080},       {"silver", 0xc0c0c0},
    {"maroon", 0x800000},     {"purple", 0x800080},     {"fuchsia", 0xff00ff},
    {"magenta", 0xff00ff},    {"lime", 0x00ff00},       {"olive", 0x808000},
    {"navy", 0x000080},       {"teal", 0x008080},       {"aqua", 0x00ffff},
    {"cyan", 0x00ffff},       {"orange", 0xffa500},     {"pink", 0xffc0cb},
    {"brown", 0xa52a2a},      {"gold", 0xffd700},       {"indigo", 0x4b0082},
    {"violet", 0xee82ee},     {"darkgray", 0xa9a9a9},   {"darkgrey", 0xa9a9a9},
    {"lightgray", 0xd3d3d3},  {"lightgrey", 0xd3d3d3},  {"darkblue", 0x00008b},
    {"darkred", 0x8b0000},    {"darkgreen", 0x006400},  {"lightblue", 0xadd8e6},
    {"lightgreen", 0x90ee90}, {"skyblue", 0x87ceeb},    {"steelblue", 0x4682b4},
    {"tomato", 0xff6347},     {"coral", 0xff7f50},      {"salmon", 0xfa8072},
    {"beige", 0xf5f5dc},      {"whitesmoke", 0xf5f5f5}, {"crimson", 0xdc143c},
}};

std::optional<double> number(std::string_view text, std::size_t* used = nullptr) {
    std::string s(text);
    char* end = nullptr;
    double value = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (used) {
        *used = static_cast<std::size_t>(end - s.c_str());
    }
    return value;
}

std::optional<graphics::Color> functional(std::string_view inner) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : inner) {
        if (c == ',' || c == ' ' || c == '/') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    if (parts.size() != 3 && parts.size() != 4) {
        return std::nullopt;
    }
    double channels[4] = {0, 0, 0, 1};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::size_t used = 0;
        auto value = number(parts[i], &used);
        if (!value) {
            return std::nullopt;
        }
        bool percent = used < parts[i].size() && parts[i][used] == '%';
        double v =
            i < 3 ? (percent ? *value / 100 : *value / 255) : (percent ? *value / 100 : *value);
        channels[i] = std::clamp(v, 0.0, 1.0);
    }
    return graphics::Color::rgb(channels[0], channels[1], channels[2], channels[3]);
}

}  // namespace

std::optional<double> CSSLength::resolve(std::optional<double> reference, double fontSize,
                                         graphics::Size viewport) const {
    switch (unit) {
        case Unit::px:
            return value;
        case Unit::em:
            return value * fontSize;
        case Unit::rem:
            return value * 16;
        case Unit::percent:
            if (!reference) {
                return std::nullopt;
            }
            return value * *reference / 100;
        case Unit::vw:
            return value * viewport.width / 100;
        case Unit::vh:
            return value * viewport.height / 100;
        default:
            return std::nullopt;
    }
}

std::string CSSValues::trim(std::string_view text) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && std::isspace(static_cast<unsigned char>(text[start]))) {
        ++start;
    }
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return std::string(text.substr(start, end - start));
}

std::string CSSValues::lowercase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::optional<graphics::Color> CSSValues::color(std::string_view text) {
    std::string s = lowercase(trim(text));
    if (s.empty()) {
        return std::nullopt;
    }
    if (s == "transparent") {
        return graphics::Color::clearColor();
    }
    if (s[0] == '#') {
        std::string hex = s.substr(1);
        if (!std::all_of(hex.begin(), hex.end(),
                         [](unsigned char c) { return std::isxdigit(c) != 0; })) {
            return std::nullopt;
        }
        if (hex.size() == 3 || hex.size() == 4) {
            std::string wide;
            for (char c : hex) {
                wide += std::string(2, c);
            }
            hex = wide;
        }
        if (hex.size() != 6 && hex.size() != 8) {
            return std::nullopt;
        }
        auto channel = [&](std::size_t i) {
            return static_cast<double>(std::stoul(hex.substr(i * 2, 2), nullptr, 16)) / 255;
        };
        return graphics::Color::rgb(channel(0), channel(1), channel(2),
                                    hex.size() == 8 ? channel(3) : 1);
    }
    for (const char* prefix : {"rgba(", "rgb("}) {
        std::string_view p(prefix);
        if (s.rfind(p, 0) == 0 && s.back() == ')') {
            return functional(std::string_view(s).substr(p.size(), s.size() - p.size() - 1));
        }
    }
    for (const auto& named : kNamed) {
        if (s == named.name) {
            return graphics::Color::rgb(((named.rgb >> 16) & 0xff) / 255.0,
                                        ((named.rgb >> 8) & 0xff) / 255.0,
                                        (named.rgb & 0xff) / 255.0);
        }
    }
    return std::nullopt;
}

std::optional<CSSLength> CSSValues::length(std::string_view text) {
    std::string s = lowercase(trim(text));
    if (s == "auto") {
        return CSSLength{0, CSSLength::Unit::automatic};
    }
    std::size_t used = 0;
    auto value = number(s, &used);
    if (!value) {
        return std::nullopt;
    }
    std::string unit = trim(std::string_view(s).substr(used));
    static const std::vector<std::pair<std::string, std::pair<double, CSSLength::Unit>>> kUnits{
        {"", {1, CSSLength::Unit::px}},         {"px", {1, CSSLength::Unit::px}},
        {"pt", {4.0 / 3, CSSLength::Unit::px}}, {"em", {1, CSSLength::Unit::em}},
        {"rem", {1, CSSLength::Unit::rem}},     {"%", {1, CSSLength::Unit::percent}},
        {"vw", {1, CSSLength::Unit::vw}},       {"vh", {1, CSSLength::Unit::vh}},
    };
    for (const auto& [name, factor] : kUnits) {
        if (unit == name) {
            return CSSLength{*value * factor.first, factor.second};
        }
    }
    return std::nullopt;
}

std::optional<std::string> CSSValues::url(std::string_view text) {
    auto start = text.find("url(");
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    auto end = text.find(')', start);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    std::string inner = trim(text.substr(start + 4, end - start - 4));
    if (inner.size() >= 2 && (inner.front() == '"' || inner.front() == '\'') &&
        inner.back() == inner.front()) {
        inner = inner.substr(1, inner.size() - 2);
    }
    return inner;
}

}  // namespace web
