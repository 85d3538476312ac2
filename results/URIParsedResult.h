#pragma once

// A URL to open, with an optional title.

#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "results/ParsedResult.h"

class URIParsedResult : public ParsedResult {
  public:
    // initWithURLString:title:URL: and initWithURLString:URL: (no title).
    URIParsedResult(std::string urlString, std::optional<std::string> title,
                    std::optional<foundation::URL> URL);
    URIParsedResult(std::string urlString, std::optional<foundation::URL> URL);
    // initWithURLString:title: and initWithURLString: parse the string; URL is
    // absent when it is not a valid URL.
    static std::shared_ptr<URIParsedResult> withURLString(std::string urlString,
                                                          std::optional<std::string> title = {});

    std::string urlString;
    std::optional<std::string> title;
    std::optional<foundation::URL> URL;

    std::string stringForDisplay() const override;
    std::string className() const override { return "URIParsedResult"; }
    std::string typeName() const override;
    std::shared_ptr<graphics::Image> icon() const override;

  protected:
    void populateActions(ActionList& actions) override;
};
