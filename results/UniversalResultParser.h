#pragma once

// The fixed order of the eighteen result parsers that the application asks
// after every scan and for every history entry: the first answer wins.

#include <memory>
#include <string>
#include <vector>

#include "results/ResultParser.h"

class UniversalResultParser : public ResultParser {
  public:
    // Builds the list of the default parsers in their order; runs once.
    static void initWithDefaultParsers();
    // Appends one class to the list.
    static void addParserClass(const ResultParserClass& parserClass);
    // The classes in their order.
    static std::vector<ResultParserClass> parserClasses();

    // The first answer in list order (nullptr when none answers, which cannot
    // happen while the text parser is last).
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text, int format);
    static std::shared_ptr<ParsedResult> parsedResultForString(const std::string& text);
};
