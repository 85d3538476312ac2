#pragma once

// Reads the DOM of a page as its scripts left it into page nodes for the
// painter: a script run in the page serialises the documents (frames
// included), and the reader parses that text. A page whose script
// environment is broken reads as no document.

#include <optional>
#include <string>
#include <string_view>

#include "platform/web/PageNode.h"

namespace web {

class DocumentReader {
  public:
    // The script that answers the main document as JSON text.
    static std::string script();
    // The function that script calls, (document, elements) -> JSON text;
    // `elements`, an array or undefined, receives the document's elements
    // in the order of their indices.
    static std::string_view function();
    // The document in the script's answer; nullopt for anything else.
    static std::optional<PageDocument> parse(std::string_view json);
};

}  // namespace web
