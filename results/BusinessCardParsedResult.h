#pragma once

// A contact card read from a MECARD, vCard, BIZCARD or address-book code.

#include <optional>
#include <string>
#include <vector>

#include "results/ParsedResult.h"

class BusinessCardParsedResult : public ParsedResult {
  public:
    using StringList = std::vector<std::string>;

    // Lists are absent or non-empty as the parsers build them.
    std::optional<StringList> names;
    std::optional<std::string> pronunciation;
    std::optional<StringList> phoneNumbers;
    std::optional<StringList> emails;
    std::optional<std::string> note;
    std::optional<StringList> addresses;
    std::optional<std::string> organization;
    std::optional<std::string> birthday;
    std::optional<std::string> jobTitle;
    std::optional<std::string> url;

    // "Doe, John" -> " John Doe": the text after the first comma, a space, the
    // text before it; a name without a comma unchanged.
    static std::string normalizeName(const std::string& name);
    // Appends a present value as its own line.
    static void append(const std::optional<std::string>& value, std::string& text);
    static void append(const std::optional<StringList>& values, std::string& text);

    std::string stringForDisplay() const override;
    std::string className() const override { return "BusinessCardParsedResult"; }
    std::string typeName() const override;
    std::shared_ptr<graphics::Image> icon() const override;

  protected:
    void populateActions(ActionList& actions) override;
};
