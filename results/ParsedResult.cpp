#include "results/ParsedResult.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/ImageContext.h"

std::string ParsedResult::stringForDisplay() const {
    return "{none}";
}

std::string ParsedResult::typeName() const {
    return className();
}

std::shared_ptr<graphics::Image> ParsedResult::icon() const {
    return generatedIcon(className());
}

std::shared_ptr<ParsedResult::ActionList> ParsedResult::actions() {
    if (!actions_) {
        actions_ = std::make_shared<ActionList>();
        populateActions(*actions_);
    }
    return actions_;
}

void ParsedResult::populateActions(ActionList& actions) {}

std::shared_ptr<graphics::Image> ParsedResult::generatedIcon(const std::string& className) {
    // Main thread only, like the results themselves; entries are never removed.
    static auto* icons = new std::map<std::string, std::shared_ptr<graphics::Image>>;
    if (auto found = icons->find(className); found != icons->end()) {
        return found->second;
    }
    const graphics::Size size{40, 40};
    if (!graphics::beginImageContext(size)) {
        return nullptr;
    }
    graphics::BitmapContext& context = *graphics::currentContext();
    context.setFillColor(graphics::Color::lightGrayColor());
    context.fillRect({{0, 0}, size});
    context.setFillColor(graphics::Color::blackColor());
    const auto font = graphics::Font::systemFontOfSize(16);
    const graphics::Size textSize = font.measure(className);
    const double w = std::max(textSize.width, 1.0);
    const double h = std::max(textSize.height, 1.0);
    context.translateCTM(20, 20);
    context.rotateCTM(-M_PI / 6);
    context.scaleCTM(std::min(36 / w, 1.0), std::min(36 / h, 1.0));
    context.translateCTM(-w / 2, -h / 2);
    context.drawText(className, {0, 0}, font);
    auto image = graphics::imageFromCurrentImageContext();
    (*icons)[className] = image;
    graphics::endImageContext();
    return image;
}
