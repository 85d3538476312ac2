#include "host/SamplePhoto.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "QRGen/QREncoder.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/PNGCodec.h"

std::optional<foundation::Data> SamplePhoto::png(const std::string& text, int width, int height) {
    auto encoder = std::make_unique<QREncoder>();
    if (encoder->encodeText(1, 0, true, -1, text.c_str(), static_cast<int>(text.size())) != 1)
        return std::nullopt;
    auto context =
        graphics::BitmapContext::createImageContext(graphics::Size(width, height), true, 1);
    if (!context)
        return std::nullopt;

    // Background: horizontal bands from a lighter to a darker grey, as a desk
    // under a lamp.
    for (int y = 0; y < height; y += 4) {
        double shade = 0.78 - 0.18 * y / height;
        context->setFillColor(graphics::Color::rgb(shade, shade * 0.98, shade * 0.95));
        context->fillRect(graphics::Rect(0, y, width, 4));
    }

    const int modules = encoder->moduleCount;
    const double side = std::min(width, height) * 0.55;
    const double module = side / (modules + 8);  // four modules of quiet zone each side
    context->saveGState();
    context->translateCTM(width / 2.0, height / 2.0);
    context->rotateCTM(4 * M_PI / 180);
    context->setFillColor(graphics::Color::rgb(0.97, 0.97, 0.95));
    context->fillRect(graphics::Rect(-side / 2, -side / 2, side, side));
    context->setFillColor(graphics::Color::rgb(0.08, 0.08, 0.1));
    const double origin = -side / 2 + 4 * module;
    for (int x = 0; x < modules; ++x) {
        for (int y = 0; y < modules; ++y) {
            if (encoder->modules[x * QREncoder::kMaxModules + y] & 1)
                context->fillRect(graphics::Rect(origin + x * module, origin + y * module,
                                                 module + 0.6, module + 0.6));
        }
    }
    context->restoreGState();
    auto bitmap = context->makeBitmap();
    if (!bitmap)
        return std::nullopt;
    return graphics::PNGCodec::encode(*bitmap);
}

bool SamplePhoto::write(const std::string& path, const std::string& text) {
    auto bytes = png(text);
    if (!bytes)
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()),
              static_cast<std::streamsize>(bytes->size()));
    return static_cast<bool>(out);
}
