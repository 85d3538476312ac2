#include "platform/store/StoreError.h"

namespace store {

foundation::Error makeStoreError(long code, std::string description) {
    return foundation::Error{kErrorDomain, code, std::move(description)};
}

}  // namespace store
