#pragma once

// The errors of the object store: the platform's error domain and codes for
// validation, damaged files and failed saves.

#include <string>

#include "platform/foundation/Error.h"

namespace store {

inline constexpr const char* kErrorDomain = "NSCocoaErrorDomain";

enum StoreErrorCode : long {
    kFileReadUnknownError = 256,
    kFileReadCorruptFileError = 259,
    kFileWriteUnknownError = 512,
    kValidationError = 1550,
    kValidationMultipleErrors = 1560,
    kValidationMissingMandatoryPropertyError = 1570,
    kValidationRelationshipLacksMinimumCountError = 1580,
    kValidationRelationshipExceedsMaximumCountError = 1590,
    kValidationNumberTooLargeError = 1610,
    kValidationNumberTooSmallError = 1620,
    kValidationInvalidTypeError = 1630,
    kManagedObjectReferentialIntegrityError = 133000,
    kPersistentStoreIncompatibleSchemaError = 134020,
    kPersistentStoreOperationError = 134070,
    kPersistentStoreSaveError = 134030,
};

foundation::Error makeStoreError(long code, std::string description);

}  // namespace store
