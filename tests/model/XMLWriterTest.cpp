#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include "model/XMLWriter.h"

namespace {

TEST(XMLWriter, WritesFullEndTagsAndClosesOpenElementsAtTheEnd) {
    auto writer = XMLWriter::make();
    ASSERT_TRUE(writer);
    writer->startDocument();
    writer->startElement("html");
    writer->startElement("body");
    writer->writeEmptyElement("hr");
    writer->startElement("p");
    writer->writeAttribute("style", "padding: .25em");
    writer->writeText("a ");
    writer->writeElement("b", "bold");
    writer->writeElement("i", "");
    writer->endElement();
    writer->startElement("ul");
    EXPECT_FALSE(writer->buffer()) << "nothing before the end of the document";
    writer->endDocument();
    ASSERT_TRUE(writer->buffer());
    EXPECT_EQ(*writer->buffer(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<html><body><hr></hr><p style=\"padding: .25em\">a <b>bold</b><i></i></p>"
              "<ul></ul></body></html>\n");
}

TEST(XMLWriter, HostileTextAndAttributesParseBackUnchanged) {
    const std::string text = "</p><script>alert(\"x\")</script> & 'Grüße' 日本";
    const std::string href = "http://h/?a=1&b=\"><img src=x>";
    auto writer = XMLWriter::make();
    ASSERT_TRUE(writer);
    writer->startDocument();
    writer->startElement("a");
    writer->writeAttribute("href", href);
    writer->writeText(text);
    writer->endDocument();
    const std::string& document = *writer->buffer();

    xmlDocPtr doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr,
                                  nullptr, XML_PARSE_NONET);
    ASSERT_NE(doc, nullptr) << document;
    xmlNodePtr root = xmlDocGetRootElement(doc);
    EXPECT_STREQ(reinterpret_cast<const char*>(root->name), "a");
    EXPECT_EQ(root->children, root->last) << "one text node, no injected elements";
    xmlChar* content = xmlNodeGetContent(root);
    xmlChar* attribute = xmlGetProp(root, reinterpret_cast<const xmlChar*>("href"));
    EXPECT_EQ(reinterpret_cast<const char*>(content), text);
    EXPECT_EQ(reinterpret_cast<const char*>(attribute), href);
    xmlFree(content);
    xmlFree(attribute);
    xmlFreeDoc(doc);
}

TEST(XMLWriter, WritesAfterCleanupDoNothing) {
    auto writer = XMLWriter::make();
    ASSERT_TRUE(writer);
    writer->startDocument();
    writer->cleanup();
    writer->startElement("p");
    writer->writeText("x");
    writer->endDocument();
    EXPECT_FALSE(writer->buffer());
}

}  // namespace
