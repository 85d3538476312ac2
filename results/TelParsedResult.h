#pragma once

// A telephone number to call.

#include <string>

#include "results/ParsedResult.h"

class TelParsedResult : public ParsedResult {
  public:
    explicit TelParsedResult(std::string number) : number(std::move(number)) {}

    std::string number;

    std::string stringForDisplay() const override { return number; }
    std::string className() const override { return "TelParsedResult"; }
    std::string typeName() const override;
    std::shared_ptr<graphics::Image> icon() const override;

  protected:
    void populateActions(ActionList& actions) override;
};
