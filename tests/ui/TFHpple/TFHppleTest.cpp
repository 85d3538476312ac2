#include "ui/TFHpple/TFHpple.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::shared_ptr<TFHpple> html(const std::string& markup) {
    return TFHpple::hppleWithHTMLData(foundation::dataFromString(markup));
}

TEST(TFHpple, ParagraphWithTextAndBoldChild) {
    const auto document = html("<html><body><p class=\" x \">Hi <b>there</b></p></body></html>");
    const auto found = document->searchWithXPathQuery("//p");
    ASSERT_EQ(found.size(), 1u);
    const auto& p = found[0];
    EXPECT_EQ(p->tagName(), "p");
    EXPECT_EQ(p->content(), "Hi there");
    EXPECT_EQ(p->attributes(), (std::map<std::string, std::string>{{"class", "x"}}));
    EXPECT_EQ(p->objectForKey("class"), "x");
    EXPECT_EQ((*p)["class"], "x");
    EXPECT_EQ(p->objectForKey("id"), std::nullopt);
    EXPECT_EQ(p->raw(), "<p class=\" x \">Hi <b>there</b></p>");
    EXPECT_FALSE(p->isTextNode());
    EXPECT_TRUE(p->hasChildren());

    const auto children = p->children();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_TRUE(children[0]->isTextNode());
    EXPECT_EQ(children[0]->content(), "Hi ");
    EXPECT_EQ(children[0]->parent(), p);
    EXPECT_EQ(children[1]->tagName(), "b");
    EXPECT_EQ(children[1]->content(), "there");
    EXPECT_EQ(children[1]->text(), "there");
    EXPECT_FALSE(children[1]->firstChild()->hasChildren());

    EXPECT_EQ(p->firstChild()->content(), "Hi ");
    EXPECT_EQ(p->firstTextChild()->content(), "Hi ");
    EXPECT_EQ(p->text(), "Hi ");
    EXPECT_EQ(p->firstChildWithTagName("b")->content(), "there");
    EXPECT_EQ(p->firstChildWithTagName("i"), nullptr);
}

TEST(TFHpple, PicksTheParagraphOfAClassOnAPage) {
    const auto document = html(R"(<!DOCTYPE html>
<html><head><title>About</title></head>
<body>
  <div class="post"><p class="intro">Welcome</p>
  <p class="about-info-class">jDlMPoq/a73dd7kNntM2F1yAixo1EK2k3kishe/FacVY4Bssz+tvnM5yK817BeO3</p>
  <p class="special-post">second</p></div>
</body></html>)");
    const auto about = document->peekAtSearchWithXPathQuery("//p[@class='about-info-class']");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->firstChild()->content(),
              "jDlMPoq/a73dd7kNntM2F1yAixo1EK2k3kishe/FacVY4Bssz+tvnM5yK817BeO3");

    const auto div = document->peekAtSearchWithXPathQuery("//div");
    ASSERT_NE(div, nullptr);
    EXPECT_EQ(div->childrenWithTagName("p").size(), 3u);
    EXPECT_EQ(div->childrenWithClassName("special-post").size(), 1u);
    EXPECT_EQ(div->firstChildWithClassName("intro")->content(), "Welcome");
    EXPECT_EQ(div->firstChildWithClassName("missing"), nullptr);
    // The element's own markup answers queries too.
    const auto inside = div->searchWithXPathQuery("//p[@class='special-post']");
    ASSERT_EQ(inside.size(), 1u);
    EXPECT_EQ(inside[0]->content(), "second");
}

TEST(TFHpple, NothingFoundIsAnEmptyAnswer) {
    const auto document = html("<p>one</p>");
    const char* queries[] = {
        "//table",     // no match
        "//p[",        // invalid expression
        "count(//p)",  // not a node set
        "",            // empty expression
    };
    for (const char* query : queries) {
        EXPECT_TRUE(document->searchWithXPathQuery(query).empty()) << query;
        EXPECT_EQ(document->peekAtSearchWithXPathQuery(query), nullptr) << query;
    }
    EXPECT_TRUE(html("")->searchWithXPathQuery("//p").empty());
}

TEST(TFHpple, MalformedMarkupNeverCrashes) {
    std::string deep;
    for (int i = 0; i < 20000; ++i) {
        deep += "<div>";
    }
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 7919) & 0xff));
    }
    const std::string pages[] = {
        "<p class='a'>open <b>bold <i>italic</p> trailing </div></span>",
        "<<<>>> <p <p <p>>>",
        "<p class=\"unterminated>text",
        "<!DOCTYPE html SYSTEM \"file:///etc/passwd\"><p>&nosuch; &#xD800; &#99999999;</p>",
        "\xff\xfe<\x00p\x00>\x00",
        deep + "<p>bottom</p>",
        binary,
    };
    const char* queries[] = {"//p",        "//*", "/", "//@*", "//text()", "//namespace::*",
                             "//comment()"};
    for (const std::string& page : pages) {
        const auto document = html(page);
        for (const char* query : queries) {
            for (const auto& element : document->searchWithXPathQuery(query)) {
                element->description();
                element->searchWithXPathQuery("//p");
                for (const auto& child : element->children()) {
                    child->text();
                }
            }
        }
    }
    const auto unclosed = html("<p class='a'>open <b>bold</p>")->searchWithXPathQuery("//b");
    ASSERT_EQ(unclosed.size(), 1u);
    EXPECT_EQ(unclosed[0]->content(), "bold");
}

TEST(TFHpple, ReadsTheNamedEncoding) {
    const foundation::Data latin1 = {'<', 'p', '>', 'c', 'a', 'f', 0xe9, '<', '/', 'p', '>'};
    const auto p =
        TFHpple::hppleWithHTMLData(latin1, "ISO-8859-1")->peekAtSearchWithXPathQuery("//p");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->content(), "caf\xc3\xa9");
    EXPECT_EQ(p->encoding(), "ISO-8859-1");
    // A query inside the element reads its markup, written out as UTF-8.
    const auto again = p->searchWithXPathQuery("//p");
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0]->content(), "caf\xc3\xa9");
}

TEST(TFHpple, QueriesXML) {
    const auto document = TFHpple::hppleWithXMLData(
        foundation::dataFromString("<?xml version=\"1.0\"?><list><item id=\" 1 \">a</item><item "
                                   "id=\"2\">b<sub/></item></list>"));
    EXPECT_TRUE(document->isXML());
    const auto items = document->searchWithXPathQuery("/list/item");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->objectForKey("id"), "1");
    EXPECT_EQ(items[1]->content(), "b");
    EXPECT_EQ(items[1]->raw(), "<item id=\"2\">b<sub/></item>");
    const auto sub = items[1]->searchWithXPathQuery("//sub");
    ASSERT_EQ(sub.size(), 1u);
    EXPECT_TRUE(sub[0]->isXML());
    EXPECT_FALSE(sub[0]->hasChildren());
}

// A reply that declares an external entity must not get a local file into
// the text it answers.
TEST(TFHpple, XMLNeverLoadsExternalEntities) {
    const auto secret = std::filesystem::temp_directory_path() / "tfhpple-entity-secret.txt";
    std::ofstream(secret) << "TOP-SECRET-CONTENT";
    const std::string xml = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e SYSTEM \"file://" +
                            secret.string() + "\">]><r><v>before &e; after</v><w a=\"&e;\"/></r>";
    const auto document = TFHpple::hppleWithXMLData(foundation::dataFromString(xml));
    for (const char* query : {"//v", "//w", "/", "//*"}) {
        for (const auto& element : document->searchWithXPathQuery(query)) {
            EXPECT_EQ(element->description().find("TOP-SECRET"), std::string::npos) << query;
        }
    }
    std::filesystem::remove(secret);
}

TEST(TFHpple, ChildrenDoNotKeepTheirParentAlive) {
    auto p = html("<p>a<b>b</b></p>")->peekAtSearchWithXPathQuery("//p");
    const auto child = p->firstChild();
    ASSERT_EQ(child->parent(), p);
    p.reset();
    EXPECT_EQ(child->parent(), nullptr);
}

}  // namespace
