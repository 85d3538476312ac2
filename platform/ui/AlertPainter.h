#pragma once

// Draws alerts and action sheets over a dimmed screen: an alert as a centred
// box with its title, message and buttons; a sheet along the bottom with its
// title, its buttons (the destructive one in red) and the cancel button apart;
// a share sheet with its activities as tiles in rows above a Cancel button.

#include <string>
#include <vector>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ActivityViewController.h"
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

    // An activity of a share sheet: its title, its image (none for the
    // platform's own, whose tile shows the title's initial) and whether it
    // is a share service (upper row) or an action (lower row).
    struct Tile {
        std::string title;
        graphics::Image::Ptr image;
        bool share = false;
    };

    static Content contentOf(const Alert& alert);
    // The activities `sheet` offers, in its order.
    static std::vector<Tile> tilesOf(const ActivityViewController& sheet);
    static Content contentOf(const AlertController& controller);
    // Dims `screen` and draws the alert or sheet on it.
    static void draw(graphics::BitmapContext& context, const graphics::Rect& screen,
                     const Content& content);
    // Dims `screen` and draws a share sheet of `tiles` along its bottom.
    static void drawShareSheet(graphics::BitmapContext& context, const graphics::Rect& screen,
                               const std::vector<Tile>& tiles);
};

}  // namespace ui
