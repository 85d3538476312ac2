#pragma once

// An e-mail to write: recipient, subject and body.

#include <optional>
#include <string>

#include "results/ParsedResult.h"

class EmailParsedResult : public ParsedResult {
  public:
    std::optional<std::string> to;
    std::optional<std::string> subject;
    std::optional<std::string> body;

    // Contains "@" and "." and no space or tab.
    static bool looksLikeAnEmailAddress(const std::string& text);

    std::string stringForDisplay() const override;
    std::string className() const override { return "EmailParsedResult"; }
    std::string typeName() const override;
    std::shared_ptr<graphics::Image> icon() const override;
    // A new one-element list on every call, never kept.
    std::shared_ptr<ActionList> actions() override;
};
