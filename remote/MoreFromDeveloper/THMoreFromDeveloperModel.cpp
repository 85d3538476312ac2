#include "remote/MoreFromDeveloper/THMoreFromDeveloperModel.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/ProcessState.h"
#include "platform/net/URLConnection.h"
#include "remote/MoreFromDeveloper/NSArrayCache.h"

namespace {

struct Hosts {
    static constexpr const char* kService = "http://lookup.quorvex.example";
    static constexpr const char* kReachability = "www.quorvex.example";
    std::mutex mutex;
    std::string service = kService;
    std::string reachability = kReachability;
};

Hosts& hosts() {
    static auto* shared = foundation::ProcessState::withReset(new Hosts(), [](Hosts& hosts) {
        std::lock_guard lock(hosts.mutex);
        hosts.service = Hosts::kService;
        hosts.reachability = Hosts::kReachability;
    });
    return *shared;
}

// The country and the first preferred language of the user's locale, read
// from the environment as "ll_CC.charset"; "US" and "en" when it says none.
std::pair<std::string, std::string> countryAndLanguage() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    locale = locale.substr(0, locale.find_first_of(".@"));
    const auto underscore = locale.find('_');
    if (underscore == std::string::npos || underscore == 0 || locale == "C" || locale == "POSIX") {
        return {"US", "en"};
    }
    return {locale.substr(underscore + 1), locale.substr(0, underscore)};
}

}  // namespace

std::string THMoreFromDeveloperModel::lookupService() {
    std::lock_guard lock(hosts().mutex);
    return hosts().service;
}

void THMoreFromDeveloperModel::setLookupService(std::string service) {
    std::lock_guard lock(hosts().mutex);
    hosts().service = std::move(service);
}

std::string THMoreFromDeveloperModel::reachabilityHost() {
    std::lock_guard lock(hosts().mutex);
    return hosts().reachability;
}

void THMoreFromDeveloperModel::setReachabilityHost(std::string host) {
    std::lock_guard lock(hosts().mutex);
    hosts().reachability = std::move(host);
}

std::string THMoreFromDeveloperModel::lookupURL(const std::string& id, THLookupRequestType type) {
    const auto [country, language] = countryAndLanguage();
    std::string url =
        lookupService() + "/lookup?country=" + country + "&lang=" + language + "&id=" + id;
    if (type == THLookupRequestType::developer) {
        url += "&entity=software";
    }
    return url;
}

THMoreFromDeveloperModel::Ptr THMoreFromDeveloperModel::make() {
    Ptr model(new THMoreFromDeveloperModel());
    model->reach_ = Reachability::reachabilityWithHostname(reachabilityHost());
    if (model->reach_) {
        model->reach_->reachableOnWWAN = true;
    }
    foundation::NotificationCenter::defaultCenter().addObserver(
        model, &THMoreFromDeveloperModel::reachabilityChanged, kReachabilityChangedNotification);
    if (model->reach_) {
        model->reach_->startNotifier();
    }
    return model;
}

THMoreFromDeveloperModel::~THMoreFromDeveloperModel() {
    if (reach_) {
        reach_->stopNotifier();
    }
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
}

void THMoreFromDeveloperModel::reachabilityChanged(const foundation::Notification& notification) {
    // Only watchers post this name, each with itself as the object.
    const auto* watcher = static_cast<const Reachability*>(notification.object);
    if (watcher != nullptr) {
        isReachable_ = watcher->isReachable();
    }
}

std::vector<std::string> THMoreFromDeveloperModel::batchFor(const std::string& id) const {
    return itemsToReturn_ ? *itemsToReturn_ : std::vector<std::string>{id};
}

bool THMoreFromDeveloperModel::loadAppId(const std::string& id, THLookupRequestType type) {
    if (!isReachable_) {
        loadAppIdsFromCache(batchFor(id));
        return false;
    }
    openRequestIds_.push_back(id);
    std::weak_ptr<THMoreFromDeveloperModel> weak = weak_from_this();
    net::URLConnection::sendAsynchronousRequest(
        net::URLRequest::withString(lookupURL(id, type)), foundation::DispatchQueue::main(),
        [weak, id, type](const net::URLConnection::Result& result) {
            auto model = weak.lock();
            if (!model) {
                return;
            }
            std::optional<foundation::Value> answer;
            if (!result.error) {
                answer = foundation::JSON::parse(result.data);
            }
            model->finishLookup(id, type, answer);
        });
    return true;
}

// A failed lookup leaves the open requests too, so the batch it belongs to
// still announces what the archives hold.
void THMoreFromDeveloperModel::finishLookup(const std::string& id, THLookupRequestType type,
                                            const std::optional<foundation::Value>& answer) {
    if (answer && answer->isDictionary() && answer->contains("resultCount") &&
        answer->get("results").isArray()) {
        const auto& results = answer->get("results");
        std::optional<foundation::Value> kept;
        if (type == THLookupRequestType::app) {
            kept = results;
        } else if (results.count() >= 2) {
            kept = foundation::Value::array();
            for (std::size_t i = 1; i < results.count(); ++i) {
                kept->append(results.at(i));
            }
        }
        if (kept) {
            NSArrayCache::storeArrayToCacheWithKey(*kept, id);
        }
    }
    if (auto it = std::find(openRequestIds_.begin(), openRequestIds_.end(), id);
        it != openRequestIds_.end()) {
        openRequestIds_.erase(it);
    }
    if (openRequestIds_.empty()) {
        loadAppIdsFromCache(batchFor(id));
    }
}

void THMoreFromDeveloperModel::loadAppIds(const std::vector<std::string>& ids) {
    itemsToReturn_ = ids;
    for (const auto& id : ids) {
        if (!loadAppId(id, THLookupRequestType::app)) {
            break;
        }
    }
}

void THMoreFromDeveloperModel::loadAppIdsFromCache(const std::vector<std::string>& ids) {
    auto results = foundation::Value::array();
    for (const auto& id : ids) {
        const auto restored = NSArrayCache::initArrayFromCacheWithKey(id);
        for (std::size_t i = 0; i < restored.count(); ++i) {
            results.append(restored.at(i));
        }
    }
    jsonResults_ = results;
    foundation::NotificationCenter::defaultCenter().post(
        kMoreFromDeveloperLoadedNotification, this,
        foundation::Value::dictionary({{"results", jsonResults_}}));
}
