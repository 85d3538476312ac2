#pragma once

// The registered set of result parser classes, asked in turn for a parsed
// result of a code's text, and the query-string helpers the parsers share.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ParsedResult;

// A parser class as the registries hold it: its name and its one operation,
// which answers a new parsed result or nullptr.
struct ResultParserClass {
    std::string_view name;
    std::shared_ptr<ParsedResult> (*parsedResultForString)(const std::string& text, int format);

    friend bool operator==(const ResultParserClass& a, const ResultParserClass& b) {
        return a.parsedResultForString == b.parsedResultForString;
    }
};

class ResultParser {
  public:
    // Format numbers passed with the text: the kind of code it was read from.
    static constexpr int formatNone = 0;
    static constexpr int formatEAN8 = 7;
    static constexpr int formatEAN13 = 8;
    static constexpr int formatUPCA = 15;
    static constexpr int formatUPCE = 16;

    // Adds a class to the set; a class already there keeps its place.
    static void registerResultParserClass(const ResultParserClass& parserClass);
    // A copy of the set, in registration order.
    static std::vector<ResultParserClass> resultParsers();

    // The first answer of the registered classes, else a text result; never
    // nullptr. The default parsers are registered on first use.
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text);

    // "a=1&b=x+y" -> {a: "1", b: "x y"}; a later key replaces an earlier one,
    // pieces without "=" or with bad percent escapes are skipped.
    static std::map<std::string, std::string> dictionaryForQueryString(const std::string& query);
    // "+" to space, then percent escapes undone as UTF-8; nullopt for bad escapes.
    static std::optional<std::string> urlDecode(const std::string& text);

    // "Begins with, any case": the first case-insensitive match of the ASCII
    // `literal` stands at the start of the text.
    static bool beginsWithAnyCase(const std::string& text, std::string_view literal);
};

// Registers the seventeen self-registering parser classes with ResultParser,
// in a fixed order, and builds the universal order; runs once, whoever calls.
void registerResultParsers();
