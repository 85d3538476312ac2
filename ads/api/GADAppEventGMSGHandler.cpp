#include "ads/api/GADAppEventGMSGHandler.h"

#include "ads/api/GADSlot.h"

GADAppEventGMSGHandler::GADAppEventGMSGHandler(const std::weak_ptr<GADSlot>& slot)
    : GADGMSGHandler([] {
          static const auto table = std::make_shared<const ActionTable>(
              ActionTable{{"appEvent", action(&GADAppEventGMSGHandler::appEvent)}});
          return table;
      }()),
      slot_(slot) {}

void GADAppEventGMSGHandler::appEvent(const Arguments& arguments) {
    const auto* name = arguments.parameter("name");
    const auto slot = slot_.lock();
    const auto owner = slot ? slot->slotDelegate() : nullptr;
    if (!name || !owner) {
        return;
    }
    const auto* info = arguments.parameter("info");
    owner->slotDidReceiveAppEvent(*slot, *name,
                                  info ? std::optional<std::string>(*info) : std::nullopt);
}
