#pragma once

// Draws alerts and action sheets over a dimmed screen: an alert as a centred
// box with its title, message and buttons; a sheet along the bottom with its
// title, its buttons (the destructive one in red) and the cancel button apart.

#include <string>
#include <vector>

#include "platform/graphics/BitmapContext.h"
#include "platform/ui/Alert.h"
#include "platform/ui/AlertController.h"

namespace ui {

class AlertPainter {
  public:
    enum class ButtonRole { normal, cancel, destructive };
    struct Button {
        std::string title;
        ButtonRole role = ButtonRole::normal;
    };
    struct Content {
        std::string title;
        std::string message;
        std::vector<Button> buttons;
        bool sheet = false;
    };

    static Content contentOf(const Alert& alert);
    static Content contentOf(const AlertController& controller);
    // Dims `screen` and draws the alert or sheet on it.
    static void draw(graphics::BitmapContext& context, const graphics::Rect& screen,
                     const Content& content);
};

}  // namespace ui
