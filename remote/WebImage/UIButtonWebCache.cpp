#include "remote/WebImage/UIButtonWebCache.h"

#include <string>

#include "remote/WebImage/SDWebImageManager.h"
#include "remote/WebImage/UIViewWebCacheOperation.h"
#include "remote/WebImage/WebCacheMainThread.h"

namespace UIButtonWebCache {

namespace {

std::string imageKey(unsigned state) {
    return "UIButtonImageOperation" + std::to_string(state);
}

std::string backgroundKey(unsigned state) {
    return "UIButtonBackgroundImageOperation" + std::to_string(state);
}

using Setter = void (*)(ui::Button&, graphics::Image::Ptr, unsigned);

void load(const ui::Button::Ptr& button, const foundation::URL& url, unsigned state,
          SDWebImageLoadOptions options, SDWebImageCompletionBlock completedBlock, Setter set,
          const std::string& key) {
    std::weak_ptr<ui::Button> weak = button;
    auto operation = SDWebImageManager::sharedManager()->downloadImageWithURL(
        url, options, nullptr,
        [weak, state, options, completedBlock, set](
            graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
            SDImageCacheSource source, bool finished,
            const std::optional<foundation::URL>& imageURL) {
            auto shown = weak.lock();
            if (!shown) {
                return;
            }
            WebCacheMainThread::deliver(image, error, source, finished, imageURL, options,
                                        completedBlock,
                                        [&](const graphics::Image::Ptr& shownImage) {
                                            if (shownImage) {
                                                set(*shown, shownImage, state);
                                            }
                                        });
        });
    UIViewWebCacheOperation::sd_setImageLoadOperation(*button, operation, key);
}

void reportNilURL(SDWebImageCompletionBlock completedBlock) {
    WebCacheMainThread::async([completedBlock] {
        if (completedBlock) {
            completedBlock(nullptr, SDWebImageNilURLError(), SDImageCacheSource::none,
                           std::nullopt);
        }
    });
}

}  // namespace

void sd_setImageWithURL(const ui::Button::Ptr& button, const std::optional<foundation::URL>& url,
                        unsigned state, graphics::Image::Ptr placeholder,
                        SDWebImageLoadOptions options, SDWebImageCompletionBlock completedBlock) {
    if (!button) {
        return;
    }
    button->setImage(std::move(placeholder), state);
    sd_cancelImageLoadForState(*button, state);
    auto& urls = UIViewWebCacheOperation::stateOf(*button).imageURLStorage;
    if (!url) {
        urls.erase(state);
        reportNilURL(std::move(completedBlock));
        return;
    }
    urls.insert_or_assign(state, *url);
    load(
        button, *url, state, options, std::move(completedBlock),
        [](ui::Button& b, graphics::Image::Ptr image, unsigned s) {
            b.setImage(std::move(image), s);
        },
        imageKey(state));
}

void sd_setBackgroundImageWithURL(const ui::Button::Ptr& button,
                                  const std::optional<foundation::URL>& url, unsigned state,
                                  graphics::Image::Ptr placeholder, SDWebImageLoadOptions options,
                                  SDWebImageCompletionBlock completedBlock) {
    if (!button) {
        return;
    }
    sd_cancelBackgroundImageLoadForState(*button, state);
    button->setBackgroundImage(std::move(placeholder), state);
    if (!url) {
        reportNilURL(std::move(completedBlock));
        return;
    }
    load(
        button, *url, state, options, std::move(completedBlock),
        [](ui::Button& b, graphics::Image::Ptr image, unsigned s) {
            b.setBackgroundImage(std::move(image), s);
        },
        backgroundKey(state));
}

std::optional<foundation::URL> sd_currentImageURL(const ui::Button& button) {
    if (auto url = sd_imageURLForState(button, button.state())) {
        return url;
    }
    return sd_imageURLForState(button, ui::ControlState::normal);
}

std::optional<foundation::URL> sd_imageURLForState(const ui::Button& button, unsigned state) {
    const auto& urls = UIViewWebCacheOperation::stateOf(button).imageURLStorage;
    auto it = urls.find(state);
    return it == urls.end() ? std::nullopt : std::optional(it->second);
}

void sd_cancelImageLoadForState(const ui::Button& button, unsigned state) {
    UIViewWebCacheOperation::sd_cancelImageLoadOperationWithKey(button, imageKey(state));
}

void sd_cancelBackgroundImageLoadForState(const ui::Button& button, unsigned state) {
    UIViewWebCacheOperation::sd_cancelImageLoadOperationWithKey(button, backgroundKey(state));
}

}  // namespace UIButtonWebCache
