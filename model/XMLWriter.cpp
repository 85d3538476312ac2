#include "model/XMLWriter.h"

#include <libxml/xmlwriter.h>

namespace {

const xmlChar* xml(const std::string& text) {
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

}  // namespace

std::unique_ptr<XMLWriter> XMLWriter::make() {
    xmlBufferPtr buffer = xmlBufferCreate();
    if (buffer == nullptr) {
        return nullptr;
    }
    xmlTextWriterPtr writer = xmlNewTextWriterMemory(buffer, 0);
    if (writer == nullptr) {
        xmlBufferFree(buffer);
        return nullptr;
    }
    return std::unique_ptr<XMLWriter>(new XMLWriter(buffer, writer));
}

XMLWriter::~XMLWriter() {
    cleanup();
}

void XMLWriter::startDocument() {
    if (writer_ != nullptr) {
        xmlTextWriterStartDocument(writer_, nullptr, "UTF-8", nullptr);
    }
}

void XMLWriter::startElement(const std::string& name) {
    if (writer_ != nullptr) {
        xmlTextWriterStartElement(writer_, xml(name));
    }
}

void XMLWriter::writeAttribute(const std::string& name, const std::string& value) {
    if (writer_ != nullptr) {
        xmlTextWriterWriteAttribute(writer_, xml(name), xml(value));
    }
}

void XMLWriter::endElement() {
    if (writer_ != nullptr) {
        xmlTextWriterFullEndElement(writer_);
    }
}

void XMLWriter::writeEmptyElement(const std::string& name) {
    startElement(name);
    endElement();
}

void XMLWriter::writeElement(const std::string& name, const std::string& content) {
    if (content.empty()) {
        writeEmptyElement(name);
    } else if (writer_ != nullptr) {
        xmlTextWriterWriteElement(writer_, xml(name), xml(content));
    }
}

void XMLWriter::writeText(const std::string& text) {
    if (writer_ != nullptr) {
        xmlTextWriterWriteString(writer_, xml(text));
    }
}

void XMLWriter::endDocument() {
    if (writer_ == nullptr) {
        return;
    }
    // Full end tags here too: an HTML reader takes "<ul/>" for an open list.
    while (xmlTextWriterFullEndElement(writer_) > 0) {
    }
    xmlTextWriterEndDocument(writer_);
    content_.emplace(reinterpret_cast<const char*>(xmlBufferContent(buffer_)),
                     static_cast<std::size_t>(xmlBufferLength(buffer_)));
}

void XMLWriter::cleanup() {
    if (writer_ != nullptr) {
        xmlFreeTextWriter(writer_);
        writer_ = nullptr;
    }
    if (buffer_ != nullptr) {
        xmlBufferFree(buffer_);
        buffer_ = nullptr;
    }
}
