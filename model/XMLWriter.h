#pragma once

// Writes an XML document into memory through libxml2's text writer, which
// escapes texts and attribute values; every element gets a full end tag.

#include <memory>
#include <optional>
#include <string>

struct _xmlTextWriter;
struct _xmlBuffer;

class XMLWriter {
  public:
    // nullptr when libxml2 cannot make the buffer or the writer.
    static std::unique_ptr<XMLWriter> make();
    ~XMLWriter();
    XMLWriter(const XMLWriter&) = delete;
    XMLWriter& operator=(const XMLWriter&) = delete;

    // The declaration with version "1.0" and encoding "UTF-8".
    void startDocument();
    void startElement(const std::string& name);
    void writeAttribute(const std::string& name, const std::string& value);
    void endElement();
    // An element with nothing inside: its start tag and at once its end tag.
    void writeEmptyElement(const std::string& name);
    // An element holding the text, or an empty element for empty content.
    void writeElement(const std::string& name, const std::string& content);
    void writeText(const std::string& text);
    // Closes every open element and keeps the finished document.
    void endDocument();

    // The finished document; nullopt before endDocument.
    const std::optional<std::string>& buffer() const { return content_; }

    // Frees the writer and its memory; later writes do nothing.
    void cleanup();

  private:
    XMLWriter(_xmlBuffer* buffer, _xmlTextWriter* writer) : buffer_(buffer), writer_(writer) {}

    _xmlBuffer* buffer_;
    _xmlTextWriter* writer_;
    std::optional<std::string> content_;
};
