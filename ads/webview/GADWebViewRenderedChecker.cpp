#include "ads/webview/GADWebViewRenderedChecker.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/graphics/BitmapContext.h"
#include "platform/web/Painter.h"
#include "platform/web/WebView.h"

namespace {

// The colour as premultiplied 8-bit red, green, blue and alpha; nullopt for
// colours that are neither grey nor RGB.
std::optional<std::array<int, 4>> premultipliedBytes(const graphics::Color& color) {
    const auto components = color.components();
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;
    if (color.model() == graphics::ColorSpaceModel::monochrome && components.size() == 2) {
        red = green = blue = components[0];
        alpha = components[1];
    } else if (color.model() == graphics::ColorSpaceModel::rgb && components.size() == 4) {
        red = components[0];
        green = components[1];
        blue = components[2];
        alpha = components[3];
    } else {
        return std::nullopt;
    }
    auto byte = [](double value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    alpha = std::clamp(alpha, 0.0, 1.0);
    return std::array<int, 4>{byte(red * alpha), byte(green * alpha), byte(blue * alpha),
                              byte(alpha)};
}

}  // namespace

GADWebViewRenderedChecker::GADWebViewRenderedChecker(
    const std::shared_ptr<web::WebView>& webView,
    const std::shared_ptr<GADWebViewRenderedCheckerDelegate>& delegate)
    : webView_(webView), delegate_(delegate) {}

void GADWebViewRenderedChecker::checkIsContentRenderedInWebView() {
    auto webView = webView_.lock();
    auto delegate = delegate_.lock();
    if (!webView || !delegate) {
        return;
    }
    if (isContentRendered(*webView)) {
        delegate->webViewDidRenderContent(*webView);
    } else {
        delegate->webViewDidFailToRenderContent(*webView);
    }
}

bool GADWebViewRenderedChecker::isContentRendered(web::WebView& webView) {
    auto image = web::Painter::snapshot(webView);
    if (!image) {
        return false;
    }
    const auto background = webView.backgroundColor().value_or(graphics::Color::pattern());
    const auto share = percentOfImage(*image, background);
    return share && *share < kBlankShare;
}

std::optional<double> GADWebViewRenderedChecker::percentOfImage(const graphics::Image& image,
                                                                const graphics::Color& color) {
    const auto wanted = premultipliedBytes(color);
    if (!wanted) {
        return 0.0;
    }
    const auto& bitmap = image.bitmap();
    if (!bitmap || bitmap->width() <= 0 || bitmap->height() <= 0) {
        return std::nullopt;
    }
    auto context = graphics::BitmapContext::create(
        bitmap->width(), bitmap->height(), graphics::ColorSpaceModel::rgb,
        static_cast<std::uint32_t>(graphics::AlphaInfo::premultipliedLast) |
            graphics::kBitmapByteOrder32Big);
    if (!context) {
        return std::nullopt;
    }
    context->drawImage(
        {0, 0, static_cast<double>(bitmap->width()), static_cast<double>(bitmap->height())},
        *bitmap);
    const auto pixels = context->data();
    const std::size_t count = pixels.size() / 4;
    if (count == 0) {
        return std::nullopt;
    }
    std::size_t equal = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* pixel = &pixels[i * 4];
        bool same = true;
        for (int c = 0; c < 4 && same; ++c) {
            same = std::abs(pixel[c] - (*wanted)[c]) <= 1;
        }
        equal += same ? 1 : 0;
    }
    return static_cast<double>(equal) / static_cast<double>(count);
}
