#pragma once

// Other apps of a developer from the app-store lookup service: each answer is
// archived in Caches under the id looked up, and the archives are what the
// model announces ("moreFromDeveloperLoaded") and what it falls back to while
// the service's host cannot be reached. It goes to the network only after its
// watcher reported the host reachable: at the host's first lookup or on a
// change.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Notification.h"
#include "platform/foundation/Value.h"
#include "remote/Reachability/Reachability.h"

inline constexpr const char* kMoreFromDeveloperLoadedNotification = "moreFromDeveloperLoaded";

enum class THLookupRequestType { app = 0, developer = 1 };

class THMoreFromDeveloperModel : public std::enable_shared_from_this<THMoreFromDeveloperModel> {
  public:
    using Ptr = std::shared_ptr<THMoreFromDeveloperModel>;

    // The lookup service ("http://host[:port]") and the host whose
    // reachability gates the model; the host program and tests point them
    // at a local server.
    static std::string lookupService();
    static void setLookupService(std::string service);
    static std::string reachabilityHost();
    static void setReachabilityHost(std::string host);
    // "<service>/lookup?country=..&lang=..&id=<id>", with "&entity=software"
    // for a developer.
    static std::string lookupURL(const std::string& id, THLookupRequestType type);

    static Ptr make();
    ~THMoreFromDeveloperModel();

    // True when a request was sent, false when the archives were used.
    bool loadAppId(const std::string& id, THLookupRequestType type = THLookupRequestType::app);
    bool loadDeveloperId(const std::string& id) {
        return loadAppId(id, THLookupRequestType::developer);
    }
    void loadAppIds(const std::vector<std::string>& ids);
    void loadAppIdsFromCache(const std::vector<std::string>& ids);
    void reachabilityChanged(const foundation::Notification& notification);

    bool isReachable() const { return isReachable_; }
    const foundation::Value& jsonResults() const { return jsonResults_; }
    const std::vector<std::string>& openRequestIds() const { return openRequestIds_; }
    const Reachability::Ptr& reach() const { return reach_; }

  private:
    THMoreFromDeveloperModel() = default;
    void finishLookup(const std::string& id, THLookupRequestType type,
                      const std::optional<foundation::Value>& answer);
    std::vector<std::string> batchFor(const std::string& id) const;

    Reachability::Ptr reach_;
    bool isReachable_ = false;
    std::optional<std::vector<std::string>> itemsToReturn_;
    std::vector<std::string> openRequestIds_;
    foundation::Value jsonResults_;
};
