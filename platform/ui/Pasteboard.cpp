#include "platform/ui/Pasteboard.h"

#include "platform/foundation/ProcessState.h"

namespace ui {

Pasteboard& Pasteboard::generalPasteboard() {
    static Pasteboard* pasteboard =
        foundation::ProcessState::withReset(new Pasteboard(), [](auto& state) { state.clear(); });
    return *pasteboard;
}

void Pasteboard::setString(std::string text) {
    setStrings({std::move(text)});
}

void Pasteboard::setStrings(std::vector<std::string> texts) {
    clear();
    strings_ = std::move(texts);
}

void Pasteboard::setURL(std::string url) {
    clear();
    strings_ = {url};
    url_ = std::move(url);
}

void Pasteboard::setImage(graphics::Image::Ptr image) {
    clear();
    image_ = std::move(image);
}

void Pasteboard::clear() {
    strings_.clear();
    url_.reset();
    image_.reset();
    ++changeCount_;
}

}  // namespace ui
