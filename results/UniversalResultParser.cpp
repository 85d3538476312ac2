#include "results/UniversalResultParser.h"

#include <mutex>

#include "platform/foundation/ClassRegistry.h"
#include "results/AddressBookAUResultParser.h"
#include "results/BizcardResultParser.h"
#include "results/BookmarkDoCoMoResultParser.h"
#include "results/EmailAddressResultParser.h"
#include "results/EmailDoCoMoResultParser.h"
#include "results/GeoResultParser.h"
#include "results/ISBNResultParser.h"
#include "results/MeCardParser.h"
#include "results/PlainEmailResultParser.h"
#include "results/ProductResultParser.h"
#include "results/SMSResultParser.h"
#include "results/SMSTOResultParser.h"
#include "results/SMTPResultParser.h"
#include "results/TelResultParser.h"
#include "results/TextResultParser.h"
#include "results/URLResultParser.h"
#include "results/URLTOResultParser.h"
#include "results/VCardResultParser.h"

namespace {

// The eighteen parsers, first match first.
std::vector<ResultParserClass> defaultParsers() {
    return {
        BookmarkDoCoMoResultParser::parserClass(),
        MeCardParser::parserClass(),
        EmailDoCoMoResultParser::parserClass(),
        AddressBookAUResultParser::parserClass(),
        VCardResultParser::parserClass(),
        BizcardResultParser::parserClass(),
        EmailAddressResultParser::parserClass(),
        PlainEmailResultParser::parserClass(),
        SMTPResultParser::parserClass(),
        TelResultParser::parserClass(),
        SMSResultParser::parserClass(),
        SMSTOResultParser::parserClass(),
        GeoResultParser::parserClass(),
        URLTOResultParser::parserClass(),
        URLResultParser::parserClass(),
        ISBNResultParser::parserClass(),
        ProductResultParser::parserClass(),
        TextResultParser::parserClass(),
    };
}

// Lives for the process; complete once initWithDefaultParsers has run.
std::vector<ResultParserClass>& universalOrder() {
    static auto* order = new std::vector<ResultParserClass>;
    return *order;
}

}  // namespace

void UniversalResultParser::initWithDefaultParsers() {
    static std::once_flag once;
    std::call_once(once, [] { universalOrder() = defaultParsers(); });
}

void UniversalResultParser::addParserClass(const ResultParserClass& parserClass) {
    initWithDefaultParsers();
    universalOrder().push_back(parserClass);
}

std::vector<ResultParserClass> UniversalResultParser::parserClasses() {
    initWithDefaultParsers();
    return universalOrder();
}

std::shared_ptr<ParsedResult> UniversalResultParser::parsedResultForString(const std::string& text,
                                                                           int format) {
    initWithDefaultParsers();
    for (const auto& parserClass : universalOrder()) {
        if (auto result = parserClass.parsedResultForString(text, format)) {
            return result;
        }
    }
    return nullptr;
}

std::shared_ptr<ParsedResult> UniversalResultParser::parsedResultForString(
    const std::string& text) {
    return parsedResultForString(text, formatNone);
}

void registerResultParsers() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Every default parser but the text parser, which is only the last
        // resort of ResultParser. The class registry learns every name, the
        // telephone parser's without a superclass as it stands on its own.
        for (const auto& parserClass : defaultParsers()) {
            const bool standsAlone = parserClass == TelResultParser::parserClass();
            foundation::ClassRegistry::shared().registerName(
                {std::string(parserClass.name), standsAlone ? "" : "ResultParser", {}});
            if (parserClass != TextResultParser::parserClass()) {
                ResultParser::registerResultParserClass(parserClass);
            }
        }
        UniversalResultParser::initWithDefaultParsers();
    });
}
