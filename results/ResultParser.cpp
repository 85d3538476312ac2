#include "results/ResultParser.h"

#include <algorithm>
#include <mutex>

#include "platform/foundation/PercentEncoding.h"
#include "results/TextResultParser.h"

namespace {

struct RegisteredSet {
    std::mutex lock;
    std::vector<ResultParserClass> classes;
};

// Lives for the process, like the class it belongs to.
RegisteredSet& registeredSet() {
    static auto* set = new RegisteredSet;
    return *set;
}

char lowered(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

}  // namespace

void ResultParser::registerResultParserClass(const ResultParserClass& parserClass) {
    auto& set = registeredSet();
    std::lock_guard guard(set.lock);
    if (std::find(set.classes.begin(), set.classes.end(), parserClass) == set.classes.end()) {
        set.classes.push_back(parserClass);
    }
}

std::vector<ResultParserClass> ResultParser::resultParsers() {
    registerResultParsers();
    auto& set = registeredSet();
    std::lock_guard guard(set.lock);
    return set.classes;
}

std::shared_ptr<ParsedResult> ResultParser::parsedResultForString(const std::string& text,
                                                                  int format) {
    for (const auto& parserClass : resultParsers()) {
        if (auto result = parserClass.parsedResultForString(text, format)) {
            return result;
        }
    }
    return TextResultParser::parsedResultForString(text, format);
}

std::shared_ptr<ParsedResult> ResultParser::parsedResultForString(const std::string& text) {
    return ResultParser::parsedResultForString(text, formatNone);
}

std::map<std::string, std::string> ResultParser::dictionaryForQueryString(
    const std::string& query) {
    std::map<std::string, std::string> dictionary;
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string::npos) {
            end = query.size();
        }
        std::string piece = query.substr(start, end - start);
        std::size_t equals = piece.find('=');
        if (equals != std::string::npos) {
            auto key = urlDecode(piece.substr(0, equals));
            auto value = urlDecode(piece.substr(equals + 1));
            if (key && value) {
                dictionary[*key] = *value;
            }
        }
        start = end + 1;
    }
    return dictionary;
}

std::optional<std::string> ResultParser::urlDecode(const std::string& text) {
    std::string spaced = text;
    std::replace(spaced.begin(), spaced.end(), '+', ' ');
    return foundation::removingPercentEncoding(spaced);
}

bool ResultParser::beginsWithAnyCase(const std::string& text, std::string_view literal) {
    if (text.size() < literal.size()) {
        return false;
    }
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (lowered(text[i]) != lowered(literal[i])) {
            return false;
        }
    }
    return true;
}
