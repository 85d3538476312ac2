#pragma once

// Sends an SMS through an "sms:" URL; the body is kept but is not part of it.

#include <memory>
#include <optional>
#include <string>

#include "results/CallAction.h"

class SMSAction : public CallAction {
  public:
    SMSAction(std::string number, std::optional<std::string> body);
    explicit SMSAction(std::string number) : SMSAction(std::move(number), std::nullopt) {}
    static std::shared_ptr<SMSAction> actionWithNumber(std::string number,
                                                       std::optional<std::string> body);
    static std::shared_ptr<SMSAction> actionWithNumber(std::string number);
    // "sms:" and the number, unescaped; the body is not used.
    static std::optional<foundation::URL> urlForNumber(const std::string& number,
                                                       const std::optional<std::string>& body);

    const std::optional<std::string>& body() const { return body_; }

    std::string title() const override;
    std::string alertTitle() const override;
    std::string alertMessage() const override;
    std::string alertButtonTitle() const override;

  private:
    std::optional<std::string> body_;
};
