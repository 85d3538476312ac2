#pragma once

// The rules of a page's style sheets as the painter applies them: selectors of
// type, id, class, attribute and universal parts, joined by descendant and
// child combinators, with their specificity; declarations with "!important".
// At-rules (media queries, fonts, imports) and selectors with pseudo-classes
// or other combinators are skipped. Malformed text loses only what it breaks.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/web/PageNode.h"

namespace web {

struct StyleDeclaration {
    std::string property;
    std::string value;
    bool important = false;
};

class StyleSheet {
  public:
    // One compound part of a selector: tag (or ""), id, classes, attributes.
    struct Compound {
        std::string tag;
        std::string id;
        std::vector<std::string> classes;
        std::vector<std::pair<std::string, std::optional<std::string>>> attributes;
        // How it joins the part to its left: true for ">", false for a space.
        bool child = false;
    };
    struct Selector {
        std::vector<Compound> parts;
        int specificity = 0;
    };
    struct Rule {
        Selector selector;
        std::vector<StyleDeclaration> declarations;
        int order = 0;
    };

    static StyleSheet parse(std::string_view text, int firstOrder = 0);
    // "a: b; c: d !important" as declarations, in order.
    static std::vector<StyleDeclaration> parseDeclarations(std::string_view text);
    // Whether `selector` matches the element whose ancestors are
    // `ancestors` (outermost first).
    static bool matches(const Selector& selector, const PageNode& element,
                        const std::vector<const PageNode*>& ancestors);

    const std::vector<Rule>& rules() const { return rules_; }
    void append(const StyleSheet& other);

  private:
    std::vector<Rule> rules_;
};

}  // namespace web
