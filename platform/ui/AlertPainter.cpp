#include "platform/ui/AlertPainter.h"

#include <algorithm>
#include <map>
#include <numbers>

#include "platform/ui/ActionSheet.h"
#include "platform/ui/TextPainter.h"
#include "platform/ui/ViewPainter.h"

namespace ui {

namespace {

constexpr double kAlertWidth = 270;
constexpr double kAlertButtonHeight = 44;
constexpr double kSheetButtonHeight = 57;
constexpr double kSheetMargin = 8;
constexpr double kPadding = 16;

constexpr double kTileSize = 60;
constexpr double kTileStep = 76;
constexpr double kTileInset = 14;
constexpr double kTileRowHeight = 112;

const graphics::Color kPanel = graphics::Color::white(0.97);
const graphics::Color kLine = graphics::Color::white(0.8);
const graphics::Color kBlue = graphics::Color::rgb(0, 122.0 / 255.0, 1);

void roundedRect(graphics::BitmapContext& context, const graphics::Rect& r, double radius) {
    context.beginPath();
    context.addArc(r.origin.x + radius, r.origin.y + radius, radius, std::numbers::pi,
                   1.5 * std::numbers::pi, false);
    context.addArc(r.maxX() - radius, r.origin.y + radius, radius, 1.5 * std::numbers::pi,
                   2 * std::numbers::pi, false);
    context.addArc(r.maxX() - radius, r.maxY() - radius, radius, 0, 0.5 * std::numbers::pi, false);
    context.addArc(r.origin.x + radius, r.maxY() - radius, radius, 0.5 * std::numbers::pi,
                   std::numbers::pi, false);
    context.closePath();
    context.fillPath();
}

TextStyle buttonStyle(const AlertPainter::Button& button, double size) {
    TextStyle style;
    style.font = button.role == AlertPainter::ButtonRole::cancel ? Font::boldSystemFontOfSize(size)
                                                                 : Font::systemFontOfSize(size);
    style.color = button.role == AlertPainter::ButtonRole::destructive
                      ? graphics::Color::rgb(1, 59.0 / 255.0, 48.0 / 255.0)
                      : kBlue;
    style.alignment = TextAlignment::center;
    style.lineBreakMode = LineBreakMode::truncateMiddle;
    return style;
}

// The title and message block of a panel `width` wide; answers its height
// (drawn only when `context` is given).
double drawHeader(graphics::BitmapContext* context, const AlertPainter::Content& content, double x,
                  double y, double width, bool sheet) {
    TextStyle title;
    title.font = sheet ? Font::systemFontOfSize(13) : Font::boldSystemFontOfSize(17);
    title.color = sheet ? graphics::Color::grayColor() : graphics::Color::blackColor();
    title.alignment = TextAlignment::center;
    title.maxLines = 0;
    title.centerVertically = false;
    TextStyle message = title;
    message.font = Font::systemFontOfSize(13);
    double inner = width - 2 * kPadding;
    double height = 0;
    for (const auto& [text, style] :
         {std::pair{content.title, title}, {content.message, message}}) {
        if (text.empty()) {
            continue;
        }
        auto lines = TextPainter::lines(text, style, inner, 0);
        double h = style.font.lineHeight() * static_cast<double>(lines.size());
        if (context) {
            TextPainter::draw(*context, text, {x + kPadding, y + kPadding + height, inner, h},
                              style);
        }
        height += h + 4;
    }
    return height > 0 ? height + 2 * kPadding - 4 : 0;
}

void drawAlert(graphics::BitmapContext& context, const graphics::Rect& screen,
               const AlertPainter::Content& content) {
    const auto& buttons = content.buttons;
    const bool sideBySide = buttons.size() == 2;
    double header = drawHeader(nullptr, content, 0, 0, kAlertWidth, false);
    double rows = sideBySide ? 1 : static_cast<double>(buttons.size());
    double height = header + rows * kAlertButtonHeight;
    graphics::Rect box{screen.midX() - kAlertWidth / 2, screen.midY() - height / 2, kAlertWidth,
                       height};
    context.setFillColor(kPanel);
    roundedRect(context, box, 13);
    drawHeader(&context, content, box.origin.x, box.origin.y, kAlertWidth, false);
    double y = box.origin.y + header;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        graphics::Rect slot{box.origin.x, y, kAlertWidth, kAlertButtonHeight};
        if (sideBySide) {
            slot = {box.origin.x + static_cast<double>(i) * kAlertWidth / 2, y, kAlertWidth / 2,
                    kAlertButtonHeight};
        } else {
            y += kAlertButtonHeight;
        }
        context.setFillColor(kLine);
        context.fillRect({slot.origin.x, slot.origin.y, slot.size.width, 0.5});
        if (sideBySide && i == 1) {
            context.fillRect({slot.origin.x, slot.origin.y, 0.5, slot.size.height});
        }
        TextPainter::draw(context, buttons[i].title, slot.insetBy(4, 0),
                          buttonStyle(buttons[i], 17));
    }
}

// The cancel buttons of a sheet in their own box along the bottom of
// `screen`; answers where the panel above them ends.
double drawCancelButtons(graphics::BitmapContext& context, const graphics::Rect& screen,
                         const std::vector<AlertPainter::Button>& cancel) {
    const double width = screen.size.width - 2 * kSheetMargin;
    const double x = screen.origin.x + kSheetMargin;
    double bottom = screen.maxY() - kSheetMargin;
    if (cancel.empty()) {
        return bottom;
    }
    const double height = kSheetButtonHeight * static_cast<double>(cancel.size());
    graphics::Rect box{x, bottom - height, width, height};
    context.setFillColor(graphics::Color::whiteColor());
    roundedRect(context, box, 13);
    for (std::size_t i = 0; i < cancel.size(); ++i) {
        TextPainter::draw(context, cancel[i].title,
                          {x, box.origin.y + kSheetButtonHeight * static_cast<double>(i), width,
                           kSheetButtonHeight},
                          buttonStyle(cancel[i], 20));
    }
    return box.origin.y - kSheetMargin;
}

// The first character of UTF-8 `text`.
std::string firstCharacter(const std::string& text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return text.substr(0, length);
}

// The platform's own activities as the share sheet shows them.
AlertPainter::Tile systemTile(const std::string& type) {
    static const std::map<std::string, std::pair<const char*, bool>> kTiles{
        {ActivityTypeMessage, {"Message", true}},
        {ActivityTypeMail, {"Mail", true}},
        {ActivityTypePostToFacebook, {"Facebook", true}},
        {ActivityTypePostToTwitter, {"Twitter", true}},
        {ActivityTypePostToWeibo, {"Weibo", true}},
        {ActivityTypePostToTencentWeibo, {"Tencent Weibo", true}},
        {ActivityTypePostToFlickr, {"Flickr", true}},
        {ActivityTypeAirDrop, {"AirDrop", true}},
        {ActivityTypeCopyToPasteboard, {"Copy", false}},
        {ActivityTypePrint, {"Print", false}},
        {ActivityTypeAssignToContact, {"Assign to Contact", false}},
        {ActivityTypeSaveToCameraRoll, {"Save Image", false}},
        {ActivityTypeAddToReadingList, {"Add to Reading List", false}},
    };
    auto it = kTiles.find(type);
    return it == kTiles.end() ? AlertPainter::Tile{type, nullptr, false}
                              : AlertPainter::Tile{it->second.first, nullptr, it->second.second};
}

// One row of share-sheet tiles from `y` in a panel starting at `x`: a
// rounded square with the activity's image (or its title's initial) and
// the title under it. Tiles past the panel's width are cut off.
void drawTileRow(graphics::BitmapContext& context, const std::vector<AlertPainter::Tile>& tiles,
                 double x, double y) {
    TextStyle title;
    title.font = Font::systemFontOfSize(11);
    title.color = graphics::Color::white(0.2);
    title.alignment = TextAlignment::center;
    title.maxLines = 2;
    title.centerVertically = false;
    TextStyle initial;
    initial.font = Font::boldSystemFontOfSize(26);
    initial.color = kBlue;
    initial.alignment = TextAlignment::center;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const graphics::Rect tile{x + kTileInset + kTileStep * static_cast<double>(i),
                                  y + kTileInset, kTileSize, kTileSize};
        context.setFillColor(kLine);
        roundedRect(context, tile, 14);
        context.setFillColor(graphics::Color::whiteColor());
        roundedRect(context, tile.insetBy(0.5, 0.5), 13.5);
        if (const auto& image = tiles[i].image) {
            ViewPainter::drawImage(context, *image,
                                   ViewPainter::imageRect(ContentMode::scaleAspectFit,
                                                          image->size(), tile.insetBy(12, 12)),
                                   1, kBlue);
        } else if (!tiles[i].title.empty()) {
            TextPainter::draw(context, firstCharacter(tiles[i].title), tile, initial);
        }
        TextPainter::draw(context, tiles[i].title,
                          {tile.origin.x - 8, tile.maxY() + 5, kTileSize + 16, 28}, title);
    }
}

void drawSheet(graphics::BitmapContext& context, const graphics::Rect& screen,
               const AlertPainter::Content& content) {
    std::vector<AlertPainter::Button> group;
    std::vector<AlertPainter::Button> cancel;
    for (const auto& button : content.buttons) {
        (button.role == AlertPainter::ButtonRole::cancel ? cancel : group).push_back(button);
    }
    const double width = screen.size.width - 2 * kSheetMargin;
    const double x = screen.origin.x + kSheetMargin;
    double header = drawHeader(nullptr, content, 0, 0, width, true);
    double groupHeight = header + kSheetButtonHeight * static_cast<double>(group.size());
    double bottom = drawCancelButtons(context, screen, cancel);
    if (groupHeight <= 0) {
        return;
    }
    graphics::Rect box{x, bottom - groupHeight, width, groupHeight};
    context.setFillColor(kPanel);
    roundedRect(context, box, 13);
    drawHeader(&context, content, x, box.origin.y, width, true);
    double y = box.origin.y + header;
    for (const auto& button : group) {
        if (y > box.origin.y) {
            context.setFillColor(kLine);
            context.fillRect({x, y, width, 0.5});
        }
        TextPainter::draw(context, button.title, {x + 4, y, width - 8, kSheetButtonHeight},
                          buttonStyle(button, 20));
        y += kSheetButtonHeight;
    }
}

}  // namespace

AlertPainter::Content AlertPainter::contentOf(const Alert& alert) {
    Content content{alert.title(), alert.message(), {}, false};
    int destructive = -1;
    if (auto sheet = dynamic_cast<const ActionSheet*>(&alert)) {
        content.sheet = true;
        destructive = sheet->destructiveButtonIndex();
    }
    for (int i = 0; i < alert.numberOfButtons(); ++i) {
        ButtonRole role = i == alert.cancelButtonIndex() ? ButtonRole::cancel
                          : i == destructive             ? ButtonRole::destructive
                                                         : ButtonRole::normal;
        content.buttons.push_back({alert.buttonTitleAtIndex(i), role});
    }
    return content;
}

AlertPainter::Content AlertPainter::contentOf(const AlertController& controller) {
    Content content{controller.title(),
                    controller.message(),
                    {},
                    controller.preferredStyle() == AlertControllerStyle::actionSheet};
    for (const auto& action : controller.actions()) {
        ButtonRole role = action->style() == AlertActionStyle::cancel ? ButtonRole::cancel
                          : action->style() == AlertActionStyle::destructive
                              ? ButtonRole::destructive
                              : ButtonRole::normal;
        content.buttons.push_back({action->title(), role});
    }
    return content;
}

std::vector<AlertPainter::Tile> AlertPainter::tilesOf(const ActivityViewController& sheet) {
    std::vector<Tile> tiles;
    for (const auto& type : sheet.availableActivityTypes()) {
        const auto& activities = sheet.applicationActivities();
        auto own = std::find_if(activities.begin(), activities.end(), [&](const auto& activity) {
            return activity->activityType() == type;
        });
        if (own != activities.end()) {
            tiles.push_back({(*own)->activityTitle(), (*own)->activityImage(),
                             (*own)->activityCategory() == ActivityCategory::share});
        } else {
            tiles.push_back(systemTile(type));
        }
    }
    return tiles;
}

void AlertPainter::drawShareSheet(graphics::BitmapContext& context, const graphics::Rect& screen,
                                  const std::vector<Tile>& tiles) {
    context.setFillColor(graphics::Color::white(0, 0.4));
    context.fillRect(screen);
    const double bottom = drawCancelButtons(context, screen, {{"Cancel", ButtonRole::cancel}});
    std::vector<Tile> share;
    std::vector<Tile> actions;
    for (const auto& tile : tiles) {
        (tile.share ? share : actions).push_back(tile);
    }
    std::vector<const std::vector<Tile>*> rows;
    for (const auto* row : {&share, &actions}) {
        if (!row->empty()) {
            rows.push_back(row);
        }
    }
    if (rows.empty()) {
        return;
    }
    const double height = kTileRowHeight * static_cast<double>(rows.size());
    const graphics::Rect panel{screen.origin.x + kSheetMargin, bottom - height,
                               screen.size.width - 2 * kSheetMargin, height};
    context.setFillColor(kPanel);
    roundedRect(context, panel, 13);
    context.saveGState();
    context.clipToRect(panel);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double y = panel.origin.y + kTileRowHeight * static_cast<double>(i);
        if (i > 0) {
            context.setFillColor(kLine);
            context.fillRect({panel.origin.x + kTileInset, y, panel.size.width - kTileInset, 0.5});
        }
        drawTileRow(context, *rows[i], panel.origin.x, y);
    }
    context.restoreGState();
}

void AlertPainter::draw(graphics::BitmapContext& context, const graphics::Rect& screen,
                        const Content& content) {
    context.setFillColor(graphics::Color::white(0, 0.4));
    context.fillRect(screen);
    if (content.sheet) {
        drawSheet(context, screen, content);
    } else {
        drawAlert(context, screen, content);
    }
}

}  // namespace ui
