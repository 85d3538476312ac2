#pragma once

// The domain and codes of the errors the ad component reports to publishers.

inline constexpr const char* kGADErrorDomain = "com.dezuvo.ads";

enum GADErrorCode : long {
    kGADErrorInvalidRequest = 0,
    kGADErrorNoFill = 1,
    kGADErrorNetworkError = 2,
    kGADErrorServerError = 3,
    kGADErrorOSVersionTooLow = 4,
    kGADErrorTimeout = 5,
    kGADErrorInterstitialAlreadyUsed = 6,
    kGADErrorMediationDataError = 7,
    kGADErrorMediationAdapterError = 8,
    kGADErrorMediationNoFill = 9,
    kGADErrorMediationInvalidAdSize = 10,
    kGADErrorInternalError = 11,
    kGADErrorInvalidArgument = 12,
    kGADErrorReceivedInvalidResponse = 13,
};
