#include "platform/foundation/URL.h"

#include <gtest/gtest.h>

#include "platform/foundation/PercentEncoding.h"

using foundation::URL;

namespace {

TEST(URLTest, ValidityRules) {
    const char* const valid[] = {"http://a.b/c?d=e#f",
                                 "mailto:a@b.c",
                                 "gmsg://x/open?u=http%3A%2F%2Fz",
                                 "relative/path",
                                 "http://[::1]:8080/",
                                 "tel:+1-555",
                                 "a?",
                                 "http://h/p;q=1",
                                 "#top"};
    for (const char* text : valid)
        EXPECT_TRUE(URL::fromString(text)) << text;
    const char* const invalid[] = {"",
                                   "12 34",
                                   "http://a/b c",
                                   "http://a/\xc3\xa9",
                                   "http://a/<b>",
                                   "http://a/{x}",
                                   "http://a/%zz",
                                   "http://a/%4",
                                   "http://a/#b#c",
                                   "http://a:80x/",
                                   "http://a/[x]",
                                   "http://a/\"q\"",
                                   "http://a/|",
                                   "tab\there"};
    for (const char* text : invalid)
        EXPECT_FALSE(URL::fromString(text)) << text;
}

TEST(URLTest, Components) {
    const auto url = URL::fromString(
        "HTTP://us%40r:pw@Example.com:8080/a%20b/c.tar.gz/?x=1&y=%C3%A9&flag;z=2#frag");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->scheme(), "HTTP");
    EXPECT_EQ(url->user(), "us%40r");
    EXPECT_EQ(url->password(), "pw");
    EXPECT_EQ(url->host(), "Example.com");
    EXPECT_EQ(url->port(), 8080);
    EXPECT_EQ(url->path(), "/a b/c.tar.gz");
    EXPECT_EQ(url->percentEncodedPath(), "/a%20b/c.tar.gz/");
    EXPECT_EQ(url->pathComponents(), (std::vector<std::string>{"/", "a b", "c.tar.gz"}));
    EXPECT_EQ(url->lastPathComponent(), "c.tar.gz");
    EXPECT_EQ(url->pathExtension(), "gz");
    EXPECT_EQ(url->query(), "x=1&y=%C3%A9&flag;z=2");
    EXPECT_EQ(url->fragment(), "frag");
    EXPECT_EQ(url->queryValue("y"), "\xc3\xa9");
    EXPECT_EQ(url->queryItems("&;"),
              (URL::QueryItems{{"x", "1"}, {"y", "\xc3\xa9"}, {"flag", ""}, {"z", "2"}}));

    const auto mail = URL::fromString("mailto:a@b.c?subject=Hi%20there");
    EXPECT_FALSE(mail->host());  // no authority, no host or user
    EXPECT_FALSE(mail->user());
    EXPECT_EQ(mail->query(), "subject=Hi%20there");
    EXPECT_EQ(mail->resourceSpecifier(), "a@b.c?subject=Hi%20there");

    EXPECT_EQ(URL::fromString("http://a")->path(), "");
    EXPECT_EQ(URL::fromString("http://a/")->path(), "/");
    EXPECT_EQ(URL::fromString("http://a/?")->query(), "");
    EXPECT_FALSE(URL::fromString("http://a/")->query());
    EXPECT_EQ(URL::fromString("http://a/#")->fragment(), "");
    EXPECT_FALSE(URL::fromString("http://a/")->port());
    EXPECT_EQ(URL::fromString("http://[::1]:81/")->host(), "::1");
    EXPECT_EQ(URL::parseQuery("a=%zz&b=%41+c"), (URL::QueryItems{{"a", "%zz"}, {"b", "A+c"}}));
}

TEST(URLTest, ResolvesAgainstABase) {
    const auto base = URL::fromString("http://a/b/c/d;p?q");
    ASSERT_TRUE(base);
    const std::pair<const char*, const char*> cases[] = {
        // Examples of RFC 3986 5.4.
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q#s"},
        {"../g", "http://a/b/g"},
        {"../../../g", "http://a/g"},
        {"g;x=1/../y", "http://a/b/c/y"},
        {"", "http://a/b/c/d;p?q"},
        {"https://x/y", "https://x/y"},
        {"/", "http://a/"},
    };
    for (const auto& [reference, expected] : cases)
        EXPECT_EQ(URL::fromString(reference, *base)->absoluteString(), expected) << reference;
    EXPECT_FALSE(URL::fromString("bad path", *base));
}

TEST(URLTest, FileURLsAndStandardizing) {
    const URL file = URL::fileURL("/tmp/a b/#1.png");
    EXPECT_EQ(file.absoluteString(), "file:///tmp/a%20b/%231.png");
    EXPECT_TRUE(file.isFileURL());
    EXPECT_EQ(file.path(), "/tmp/a b/#1.png");
    EXPECT_EQ(URL::fileURL("/tmp/dir", true).absoluteString(), "file:///tmp/dir/");
    EXPECT_EQ(URL::fromString("http://h/a/./b/../c")->standardized().absoluteString(),
              "http://h/a/c");
}

TEST(URLTest, LegacyEscapingLeavesReservedCharacters) {
    // Every printable ASCII character and what the legacy set makes of it.
    std::string ascii;
    for (char c = 0x20; c < 0x7f; ++c)
        ascii += c;
    EXPECT_EQ(foundation::addingPercentEscapes(ascii),
              "%20!%22#$%25&'()*+,-./0123456789:;%3C=%3E?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[%5C]%5E_%60"
              "abcdefghijklmnopqrstuvwxyz%7B%7C%7D~");
    EXPECT_EQ(foundation::addingPercentEscapes("A&B=1 ü\n\x7f"), "A&B=1%20%C3%BC%0A%7F");
    EXPECT_EQ(foundation::addingPercentEscapes("a:b/c?d", "!*'();:@&=+$,/?%#[]"), "a%3Ab%2Fc%3Fd");
    // A link template with an appended value still parses as a URL.
    EXPECT_TRUE(URL::fromString("http://h/search/?query=" +
                                foundation::addingPercentEscapes("4 006381 <333931>")));
}

TEST(URLTest, FullEscapingKeepsOnlyUnreserved) {
    std::string ascii;
    for (char c = 0x20; c < 0x7f; ++c)
        ascii += c;
    EXPECT_EQ(foundation::addingPercentEncodingForAll(ascii),
              "%20%21%22%23%24%25%26%27%28%29%2A%2B%2C-.%2F0123456789%3A%3B%3C%3D%3E%3F%40"
              "ABCDEFGHIJKLMNOPQRSTUVWXYZ%5B%5C%5D%5E_%60abcdefghijklmnopqrstuvwxyz%7B%7C%7D~");
    EXPECT_EQ(foundation::addingPercentEncodingForAll("\xc3\xa9"), "%C3%A9");
}

TEST(URLTest, DecodingFailsOnBadEscapesAndInvalidUTF8) {
    EXPECT_EQ(foundation::removingPercentEncoding("a%20b+c%2f"), "a b+c/");
    EXPECT_EQ(foundation::removingPercentEncoding("%C3%A9"), "\xc3\xa9");
    for (const char* bad : {"%", "%4", "%zz", "a%2", "%C3", "%FF", "%C3%28"})
        EXPECT_EQ(foundation::removingPercentEncoding(bad), std::nullopt) << bad;
}

}  // namespace
