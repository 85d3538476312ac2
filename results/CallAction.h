#pragma once

// Calls a number through a "tel:" URL.

#include <memory>
#include <optional>
#include <string>

#include "results/OpenUrlAction.h"

class CallAction : public OpenUrlAction {
  public:
    explicit CallAction(std::string number);
    static std::shared_ptr<CallAction> actionWithNumber(std::string number);
    // "tel:" and the number, unescaped: absent when that is not a valid URL.
    static std::optional<foundation::URL> urlForNumber(const std::string& number);

    const std::string& number() const { return number_; }

    std::string title() const override;
    std::string alertTitle() const override;
    std::string alertMessage() const override;
    std::string alertButtonTitle() const override;

  protected:
    CallAction(std::optional<foundation::URL> URL, const std::string& number)
        : OpenUrlAction(std::move(URL)), number_(number) {}

  private:
    std::string number_;
};
