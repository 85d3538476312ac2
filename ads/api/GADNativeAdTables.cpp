#include "ads/api/GADNativeAdTables.h"

#include <map>

#include "ads/api/GADNativeAppInstallAd.h"
#include "ads/api/GADNativeContentAd.h"
#include "ads/foundation/GADErrorCode.h"
#include "ads/foundation/GADInternalErrorAdditions.h"

namespace {

using Table = std::map<std::string, const GADNativeAdClass*, std::less<>>;

const Table& adTypeTable() {
    static const Table table{{kGADNativeAppInstallAdTypeString, &GADNativeAppInstallAd::adClass()},
                             {kGADNativeContentAdTypeString, &GADNativeContentAd::adClass()}};
    return table;
}

const std::map<std::string, Table, std::less<>>& formatTable() {
    static const std::map<std::string, Table, std::less<>> table{
        {"native",
         {{std::to_string(2), &GADNativeAppInstallAd::adClass()},
          {std::to_string(1), &GADNativeContentAd::adClass()}}}};
    return table;
}

}  // namespace

const GADNativeAdClass* GADNativeAdClassForAdType(const std::string& adType,
                                                  std::optional<foundation::Error>* error) {
    const auto found = adTypeTable().find(adType);
    if (found != adTypeTable().end()) {
        return found->second;
    }
    if (error) {
        *error = GADInternalErrorAdditions::gad_errorWithDomain(
            kGADErrorDomain, kGADErrorInvalidArgument,
            "Invalid ad format requested: \"" + adType + "\".");
    }
    return nullptr;
}

const GADNativeAdClass* GADNativeAdClassForFormat(const std::string& type, std::int64_t templateID,
                                                  std::optional<foundation::Error>* error) {
    const std::string templateText = std::to_string(templateID);
    const auto templates = formatTable().find(type);
    if (templates != formatTable().end()) {
        const auto found = templates->second.find(templateText);
        if (found != templates->second.end()) {
            return found->second;
        }
    }
    if (error) {
        *error = GADInternalErrorAdditions::gad_errorWithCode(
            3, "Invalid ad format requested: \"" + type + "\", " + templateText + ".");
    }
    return nullptr;
}
