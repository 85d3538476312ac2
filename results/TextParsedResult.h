#pragma once

// Plain text: what no other parser recognises.

#include <string>

#include "results/ParsedResult.h"

class TextParsedResult : public ParsedResult {
  public:
    explicit TextParsedResult(std::string text) : text(std::move(text)) {}

    std::string text;

    std::string stringForDisplay() const override { return text; }
    std::string className() const override { return "TextParsedResult"; }
    std::string typeName() const override;
    std::shared_ptr<graphics::Image> icon() const override;
};
