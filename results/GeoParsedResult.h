#pragma once

// A geographic position: the text after "geo:", not parsed further.

#include <string>

#include "results/ParsedResult.h"

class GeoParsedResult : public ParsedResult {
  public:
    explicit GeoParsedResult(std::string location) : location(std::move(location)) {}

    std::string location;

    std::string stringForDisplay() const override;
    std::string className() const override { return "GeoParsedResult"; }
    std::string typeName() const override;
    std::shared_ptr<graphics::Image> icon() const override;

  protected:
    void populateActions(ActionList& actions) override;
};
