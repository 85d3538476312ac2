#pragma once

// The look of search ads (query, colours, font, border, channels, call
// button), turned into an ordinary ad request whose additional parameters
// carry each setting under its short key. `make` hands out the form that
// sets backgrounds (GADSearchRequestPrivate); this class's own background
// setters do nothing.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/Color.h"

class GADRequest;

class GADSearchRequest {
  public:
    // A search request that sets its backgrounds.
    static std::shared_ptr<GADSearchRequest> make();
    virtual ~GADSearchRequest() = default;

    // "#rrggbb" of a grey or RGB colour, each channel x 255 truncated;
    // nullopt for other colours.
    static std::optional<std::string> hexStringFromColor(const graphics::Color& color);
    // "none", "dashed", "dotted", "solid"; "" for other values.
    static std::string getBorderTypeString(std::uint64_t type);
    // "light", "medium", "dark"; "" for other values.
    static std::string getCallButtonTypeString(std::uint64_t type);

    // A new ad request with these settings as its additional parameters.
    std::shared_ptr<GADRequest> request() const;

    virtual void setBackgroundSolid(const std::optional<graphics::Color>& color) {}
    virtual void setBackgroundGradientFrom(const std::optional<graphics::Color>& from,
                                           const std::optional<graphics::Color>& to) {}

    const std::optional<std::string>& query() const { return query_; }
    void setQuery(std::optional<std::string> query) { query_ = std::move(query); }
    const std::optional<graphics::Color>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<graphics::Color> c) { backgroundColor_ = c; }
    const std::optional<graphics::Color>& gradientFrom() const { return gradientFrom_; }
    void setGradientFrom(std::optional<graphics::Color> c) { gradientFrom_ = c; }
    const std::optional<graphics::Color>& gradientTo() const { return gradientTo_; }
    void setGradientTo(std::optional<graphics::Color> c) { gradientTo_ = c; }
    const std::optional<graphics::Color>& headerColor() const { return headerColor_; }
    void setHeaderColor(std::optional<graphics::Color> c) { headerColor_ = c; }
    const std::optional<graphics::Color>& descriptionTextColor() const {
        return descriptionTextColor_;
    }
    void setDescriptionTextColor(std::optional<graphics::Color> c) { descriptionTextColor_ = c; }
    const std::optional<graphics::Color>& anchorTextColor() const { return anchorTextColor_; }
    void setAnchorTextColor(std::optional<graphics::Color> c) { anchorTextColor_ = c; }
    const std::optional<std::string>& fontFamily() const { return fontFamily_; }
    void setFontFamily(std::optional<std::string> font) { fontFamily_ = std::move(font); }
    std::uint64_t headerTextSize() const { return headerTextSize_; }
    void setHeaderTextSize(std::uint64_t size) { headerTextSize_ = size; }
    const std::optional<graphics::Color>& borderColor() const { return borderColor_; }
    void setBorderColor(std::optional<graphics::Color> c) { borderColor_ = c; }
    std::uint64_t borderType() const { return borderType_; }
    void setBorderType(std::uint64_t type) { borderType_ = type; }
    std::uint64_t borderThickness() const { return borderThickness_; }
    void setBorderThickness(std::uint64_t thickness) { borderThickness_ = thickness; }
    const std::optional<std::string>& customChannels() const { return customChannels_; }
    void setCustomChannels(std::optional<std::string> c) { customChannels_ = std::move(c); }
    std::uint64_t callButtonColor() const { return callButtonColor_; }
    void setCallButtonColor(std::uint64_t style) { callButtonColor_ = style; }

  protected:
    GADSearchRequest() = default;

  private:
    std::optional<std::string> query_;
    std::optional<graphics::Color> backgroundColor_;
    std::optional<graphics::Color> gradientFrom_;
    std::optional<graphics::Color> gradientTo_;
    std::optional<graphics::Color> headerColor_;
    std::optional<graphics::Color> descriptionTextColor_;
    std::optional<graphics::Color> anchorTextColor_;
    std::optional<std::string> fontFamily_;
    std::uint64_t headerTextSize_ = 0;
    std::optional<graphics::Color> borderColor_;
    std::uint64_t borderType_ = 0;
    std::uint64_t borderThickness_ = 0;
    std::optional<std::string> customChannels_;
    std::uint64_t callButtonColor_ = 0;
};
