#pragma once

// Turns native ad JSON into the configuration the native ad classes read: a
// hidden slot loads the native-ads support page, the page is handed the JSON
// and answers with its "nativeAdPreProcess" message. The caller hears exactly
// one outcome, on a later turn of the main queue: the answer, the slot's
// failure or a time-out 5 s after the page loaded. Main thread.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADSlotDelegate.h"
#include "platform/foundation/Error.h"
#include "platform/foundation/Notification.h"
#include "platform/foundation/Value.h"

class GADSlot;

class GADAdPreprocessor : public GADSlotAdEventDelegate,
                          public std::enable_shared_from_this<GADAdPreprocessor> {
  public:
    // Seconds the page may take to answer once it has loaded.
    static constexpr double kAnswerTimeout = 5;

    // Either (configuration, the preprocessor's slot, nullopt) or (nullopt,
    // nullptr, error).
    using CompletionHandler = std::function<void(
        const std::optional<foundation::Dictionary>& configuration,
        const std::shared_ptr<GADSlot>& slot, const std::optional<foundation::Error>& error)>;

    static std::shared_ptr<GADAdPreprocessor> make(const std::string& adUnitID);
    ~GADAdPreprocessor() override;
    GADAdPreprocessor(const GADAdPreprocessor&) = delete;
    GADAdPreprocessor& operator=(const GADAdPreprocessor&) = delete;

    void preprocessNativeAdJSON(const std::string& nativeAdJSON, CompletionHandler handler);
    void handlePreprocessorNotification(const foundation::Notification& notification);

    void slotFinishedLoadingAdContent(GADSlot& slot) override;
    void slotDidFailToLoadAdContentWithError(GADSlot& slot, const GADRequestError& error) override;

    const std::shared_ptr<GADSlot>& slot() const { return slot_; }
    const std::string& nativeAdJSON() const { return nativeAdJSON_; }

  private:
    GADAdPreprocessor() = default;
    void complete(const std::optional<foundation::Dictionary>& configuration,
                  const std::shared_ptr<GADSlot>& slot,
                  const std::optional<foundation::Error>& error);

    std::shared_ptr<GADSlot> slot_;
    // The guarded handler: hands the first outcome on, drops the others.
    CompletionHandler completionHandler_;
    std::string nativeAdJSON_;
};
