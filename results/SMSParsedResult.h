#pragma once

// An SMS to send: number and optional body.

#include <optional>
#include <string>

#include "results/ParsedResult.h"

class SMSParsedResult : public ParsedResult {
  public:
    SMSParsedResult(std::string number, std::optional<std::string> body)
        : number(std::move(number)), body(std::move(body)) {}

    std::string number;
    std::optional<std::string> body;

    std::string stringForDisplay() const override;
    std::string className() const override { return "SMSParsedResult"; }
    std::string typeName() const override;
    std::shared_ptr<graphics::Image> icon() const override;

  protected:
    void populateActions(ActionList& actions) override;
};
