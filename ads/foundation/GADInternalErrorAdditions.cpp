#include "ads/foundation/GADInternalErrorAdditions.h"

namespace GADInternalErrorAdditions {

foundation::Error gad_errorWithDomain(const std::string& domain, long code,
                                      const std::optional<std::string>& description) {
    return foundation::Error{domain, code, description.value_or("")};
}

foundation::Error gad_errorWithCode(long code, const std::optional<std::string>& description) {
    return gad_errorWithDomain(kGADPrivateErrorDomain, code, description);
}

std::optional<std::string> gad_localizedDescriptionForErrorCode(long code) {
    switch (code) {
        case 1:
            return "File could not be read.";
        case 2:
            return "Internal error.";
        case 3:
            return "Invalid argument.";
        default:
            return std::nullopt;
    }
}

}  // namespace GADInternalErrorAdditions
