#include "results/EmailParsedResult.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"
#include "platform/graphics/Image.h"
#include "results/EmailAction.h"

bool EmailParsedResult::looksLikeAnEmailAddress(const std::string& text) {
    return text.find('@') != std::string::npos && text.find('.') != std::string::npos &&
           text.find_first_of(" \t") == std::string::npos;
}

std::string EmailParsedResult::stringForDisplay() const {
    std::string text = foundation::format(
        foundation::localizedString("EmailParsedResult Display: Recipient"), to.value_or(""));
    if (subject) {
        text +=
            "\n" + foundation::format(
                       foundation::localizedString("EmailParsedResult Display: Subject"), *subject);
    }
    if (body) {
        text += "\n\n" + foundation::format(
                             foundation::localizedString("EmailParsedResult Display: Body"), *body);
    }
    return text;
}

std::string EmailParsedResult::typeName() const {
    return foundation::localizedString("EmailParsedResult type name");
}

std::shared_ptr<graphics::Image> EmailParsedResult::icon() const {
    return graphics::Image::imageNamed("ic_mail.png");
}

std::shared_ptr<ParsedResult::ActionList> EmailParsedResult::actions() {
    return std::make_shared<ActionList>(
        ActionList{EmailAction::actionWithRecipient(to, subject, body)});
}
