#pragma once

// What a delegate answers to an authentication challenge.

namespace net {

enum class AuthChallengeDisposition {
    useCredential = 0,
    performDefaultHandling = 1,
    cancelAuthenticationChallenge = 2,
    rejectProtectionSpace = 3,
};

}  // namespace net
