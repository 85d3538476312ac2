#include "platform/graphics/ImageContext.h"

#include <vector>

#include "platform/foundation/ThreadLocal.h"
#include "platform/graphics/Image.h"

namespace graphics {

namespace {

struct Entry {
    BitmapContext* context;
    std::unique_ptr<BitmapContext> owned;
};

std::vector<Entry>& stack() {
    static foundation::ThreadLocal<std::vector<Entry>> entries;
    return entries.get();
}

}  // namespace

bool beginImageContext(Size size, bool opaque, double scale) {
    auto context = BitmapContext::createImageContext(size, opaque, scale > 0 ? scale : 1);
    if (!context) {
        return false;
    }
    BitmapContext* raw = context.get();
    stack().push_back(Entry{raw, std::move(context)});
    return true;
}

std::shared_ptr<Image> imageFromCurrentImageContext() {
    BitmapContext* context = currentContext();
    return context ? context->makeImage() : nullptr;
}

void endImageContext() {
    auto& entries = stack();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->owned) {
            entries.erase(std::next(it).base());
            return;
        }
    }
}

void pushContext(BitmapContext* context) {
    stack().push_back(Entry{context, nullptr});
}

void popContext() {
    auto& entries = stack();
    if (!entries.empty() && !entries.back().owned) {
        entries.pop_back();
    }
}

BitmapContext* currentContext() {
    auto& entries = stack();
    return entries.empty() ? nullptr : entries.back().context;
}

}  // namespace graphics
