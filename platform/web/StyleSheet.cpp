#include "platform/web/StyleSheet.h"

#include <cctype>
#include <optional>

#include "platform/web/CSSValues.h"

namespace web {

namespace {

std::string withoutComments(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "/*") == 0) {
            auto end = text.find("*/", i + 2);
            if (end == std::string_view::npos) {
                break;
            }
            i = end + 2;
            continue;
        }
        out += text[i++];
    }
    return out;
}

// The end of the block opened at `open` (the index after its closing
// brace), or the text's end when it never closes.
std::size_t blockEnd(const std::string& text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '{') {
            ++depth;
        } else if (text[i] == '}' && --depth == 0) {
            return i + 1;
        }
    }
    return text.size();
}

bool nameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

std::optional<StyleSheet::Compound> parseCompound(const std::string& text) {
    StyleSheet::Compound compound;
    std::size_t i = 0;
    auto name = [&]() {
        std::size_t start = i;
        while (i < text.size() && nameChar(text[i])) {
            ++i;
        }
        return text.substr(start, i - start);
    };
    if (i < text.size() && text[i] == '*') {
        ++i;
    } else if (i < text.size() && nameChar(text[i])) {
        compound.tag = CSSValues::lowercase(name());
    }
    while (i < text.size()) {
        char c = text[i++];
        if (c == '#') {
            compound.id = name();
        } else if (c == '.') {
            compound.classes.push_back(name());
        } else if (c == '[') {
            auto end = text.find(']', i);
            if (end == std::string::npos) {
                return std::nullopt;
            }
            std::string body = text.substr(i, end - i);
            i = end + 1;
            auto eq = body.find('=');
            if (eq == std::string::npos) {
                compound.attributes.emplace_back(CSSValues::lowercase(CSSValues::trim(body)),
                                                 std::nullopt);
            } else {
                if (eq > 0 && std::string("~|^$*").find(body[eq - 1]) != std::string::npos) {
                    return std::nullopt;
                }
                std::string value = CSSValues::trim(body.substr(eq + 1));
                if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')) {
                    value = value.substr(1, value.size() - 2);
                }
                compound.attributes.emplace_back(
                    CSSValues::lowercase(CSSValues::trim(body.substr(0, eq))), value);
            }
        } else {
            return std::nullopt;
        }
    }
    return compound;
}

std::optional<StyleSheet::Selector> parseSelector(const std::string& text) {
    StyleSheet::Selector selector;
    std::string spaced;
    for (char c : text) {
        if (c == '>') {
            spaced += " > ";
        } else if (c == '+' || c == '~' || c == ':') {
            return std::nullopt;
        } else {
            spaced += c;
        }
    }
    bool child = false;
    std::size_t i = 0;
    while (i < spaced.size()) {
        while (i < spaced.size() && std::isspace(static_cast<unsigned char>(spaced[i]))) {
            ++i;
        }
        std::size_t start = i;
        while (i < spaced.size() && !std::isspace(static_cast<unsigned char>(spaced[i]))) {
            ++i;
        }
        std::string word = spaced.substr(start, i - start);
        if (word.empty()) {
            continue;
        }
        if (word == ">") {
            if (selector.parts.empty() || child) {
                return std::nullopt;
            }
            child = true;
            continue;
        }
        auto compound = parseCompound(word);
        if (!compound) {
            return std::nullopt;
        }
        compound->child = child;
        child = false;
        selector.specificity +=
            (compound->id.empty() ? 0 : 10000) +
            100 * static_cast<int>(compound->classes.size() + compound->attributes.size()) +
            (compound->tag.empty() ? 0 : 1);
        selector.parts.push_back(std::move(*compound));
    }
    if (selector.parts.empty() || child) {
        return std::nullopt;
    }
    return selector;
}

bool matchesCompound(const StyleSheet::Compound& compound, const PageNode& element) {
    if (!compound.tag.empty() && compound.tag != element.tag) {
        return false;
    }
    if (!compound.id.empty() && element.attribute("id") != compound.id) {
        return false;
    }
    if (!compound.classes.empty()) {
        std::string classes = " " + element.attribute("class") + " ";
        for (auto& c : classes) {
            if (std::isspace(static_cast<unsigned char>(c))) {
                c = ' ';
            }
        }
        for (const auto& wanted : compound.classes) {
            if (classes.find(" " + wanted + " ") == std::string::npos) {
                return false;
            }
        }
    }
    for (const auto& [name, value] : compound.attributes) {
        auto it = element.attributes.find(name);
        if (it == element.attributes.end() || (value && it->second != *value)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<StyleDeclaration> StyleSheet::parseDeclarations(std::string_view text) {
    std::vector<StyleDeclaration> out;
    std::string current;
    auto flush = [&]() {
        auto colon = current.find(':');
        if (colon != std::string::npos) {
            StyleDeclaration declaration;
            declaration.property = CSSValues::lowercase(CSSValues::trim(current.substr(0, colon)));
            std::string value = CSSValues::trim(current.substr(colon + 1));
            auto bang = value.rfind('!');
            if (bang != std::string::npos &&
                CSSValues::lowercase(CSSValues::trim(value.substr(bang + 1))) == "important") {
                declaration.important = true;
                value = CSSValues::trim(value.substr(0, bang));
            }
            declaration.value = value;
            if (!declaration.property.empty() && !declaration.value.empty()) {
                out.push_back(std::move(declaration));
            }
        }
        current.clear();
    };
    int parens = 0;
    for (char c : text) {
        if (c == '(') {
            ++parens;
        } else if (c == ')' && parens > 0) {
            --parens;
        }
        if (c == ';' && parens == 0) {
            flush();
        } else {
            current += c;
        }
    }
    flush();
    return out;
}

StyleSheet StyleSheet::parse(std::string_view source, int firstOrder) {
    StyleSheet sheet;
    const std::string text = withoutComments(source);
    int order = firstOrder;
    std::size_t i = 0;
    while (i < text.size()) {
        auto open = text.find('{', i);
        auto semicolon = text.find(';', i);
        std::string head =
            CSSValues::trim(text.substr(i, open == std::string::npos ? text.npos : open - i));
        if (!head.empty() && head[0] == '@' &&
            (open == std::string::npos || (semicolon != std::string::npos && semicolon < open))) {
            if (semicolon == std::string::npos) {
                break;
            }
            i = semicolon + 1;
            continue;
        }
        if (open == std::string::npos) {
            break;
        }
        std::size_t end = blockEnd(text, open);
        if (!head.empty() && head[0] != '@') {
            std::size_t close =
                end > 0 && end <= text.size() && text[end - 1] == '}' ? end - 1 : end;
            auto declarations =
                parseDeclarations(std::string_view(text).substr(open + 1, close - open - 1));
            std::size_t start = 0;
            while (start <= head.size()) {
                auto comma = head.find(',', start);
                std::string part =
                    head.substr(start, comma == std::string::npos ? head.npos : comma - start);
                if (auto selector = parseSelector(part)) {
                    sheet.rules_.push_back({std::move(*selector), declarations, order++});
                }
                if (comma == std::string::npos) {
                    break;
                }
                start = comma + 1;
            }
        }
        i = end;
    }
    return sheet;
}

bool StyleSheet::matches(const Selector& selector, const PageNode& element,
                         const std::vector<const PageNode*>& ancestors) {
    const auto& parts = selector.parts;
    if (parts.empty() || !matchesCompound(parts.back(), element)) {
        return false;
    }
    // Walks the remaining parts right to left over the ancestors, innermost
    // first; a child combinator pins the part to the very next ancestor.
    std::ptrdiff_t a = static_cast<std::ptrdiff_t>(ancestors.size()) - 1;
    for (std::ptrdiff_t p = static_cast<std::ptrdiff_t>(parts.size()) - 2; p >= 0; --p) {
        bool child = parts[static_cast<std::size_t>(p) + 1].child;
        const auto& compound = parts[static_cast<std::size_t>(p)];
        if (child) {
            if (a < 0 || !matchesCompound(compound, *ancestors[static_cast<std::size_t>(a)])) {
                return false;
            }
            --a;
            continue;
        }
        while (a >= 0 && !matchesCompound(compound, *ancestors[static_cast<std::size_t>(a)])) {
            --a;
        }
        if (a < 0) {
            return false;
        }
        --a;
    }
    return true;
}

void StyleSheet::append(const StyleSheet& other) {
    rules_.insert(rules_.end(), other.rules_.begin(), other.rules_.end());
}

}  // namespace web
