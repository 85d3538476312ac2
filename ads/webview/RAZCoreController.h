#pragma once

// The owner of the hidden RAZ core page, kept in a JavaScript container: it
// turns an activity's metadata and request into one call of the page's
// reporting function, which waits until the page (or its empty fallback)
// has loaded. The shared controller is made on first use.

#include <memory>
#include <string>

#include "ads/webview/GADJSContainer.h"
#include "ads/webview/GADJSONSerializable.h"

class RAZCoreController {
  public:
    // The fallback shown when the core page cannot be loaded.
    static constexpr const char* kFallbackHTML =
        "<html><head><script></script></head><body></body></html>";

    static std::shared_ptr<RAZCoreController> sharedInstance();
    // A controller over the vendor's core page.
    RAZCoreController();
    // A controller over the page at `URLString`; the page starts loading now.
    RAZCoreController(const std::string& URLString, const std::string& fallbackString);

    const std::shared_ptr<GADJSContainer>& container() const { return container_; }
    void setContainer(const std::shared_ptr<GADJSContainer>& container) { container_ = container; }

    // dezuvo.contentads.raz.reportActivity(<metadata>,<request>), run once
    // the page has loaded.
    void reportActivityWithMetadata(const GADJSONSerializable& metadata,
                                    const GADJSONSerializable& request);
    std::string stringByEvaluatingJavaScriptFromString(const std::string& script);

  private:
    std::shared_ptr<GADJSContainer> container_;
};
