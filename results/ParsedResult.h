#pragma once

// The typed reading of one code's text (contact card, e-mail, place, SMS,
// number, URL, product code, ISBN or plain text): its display text, the
// localized name and icon of its kind, and what the user can do with it.

#include <memory>
#include <string>
#include <vector>

namespace graphics {
class Image;
}

class ResultAction;

class ParsedResult {
  public:
    using ActionList = std::vector<std::shared_ptr<ResultAction>>;

    virtual ~ParsedResult() = default;

    // Multi-line text shown on the result screen.
    virtual std::string stringForDisplay() const;
    // What the result's class answers: its own name, the localized name of its
    // kind, and the image of its kind.
    virtual std::string className() const = 0;
    virtual std::string typeName() const;
    virtual std::shared_ptr<graphics::Image> icon() const;

    // The actions, made by populateActions on the first call; later calls
    // answer the same list.
    virtual std::shared_ptr<ActionList> actions();

    // The 40 by 40 placeholder image of a class without an icon of its own,
    // made once per class name.
    static std::shared_ptr<graphics::Image> generatedIcon(const std::string& className);

  protected:
    virtual void populateActions(ActionList& actions);

  private:
    std::shared_ptr<ActionList> actions_;
};
