#pragma once

// Parses HTML (forgiving, as browsers are) with libxml2's HTML parser and
// answers the tree as JSON text for the page's DOM to build itself from:
// an element is [1, "tag", [[name, value], ...], [children]] (a script
// element has its line in the page after them), a text node [3, "text"], a
// comment [8, "text"]. Nothing is fetched while parsing.

#include <string>
#include <string_view>

namespace web {

class HTMLTreeBuilder {
  public:
    // A whole document: always an "html" element holding "head" and "body".
    static std::string documentTree(std::string_view html);
    // The nodes of a fragment, as innerHTML sets them: a JSON array.
    static std::string fragmentTree(std::string_view html);

    // Text in `charset` (as a response names it) as UTF-8: Latin-1 and
    // Windows-1252 are converted, other names are taken as UTF-8; invalid
    // UTF-8 sequences become U+FFFD.
    static std::string toUTF8(std::string_view bytes, std::string_view charset);
};

}  // namespace web
