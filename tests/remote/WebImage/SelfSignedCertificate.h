#pragma once

// A throw-away key and self-signed certificate for "127.0.0.1", written as
// PEM files into a folder, for an HTTPS server on the loopback interface.

#include <string>

namespace testing_support {

struct SelfSignedCertificate {
    std::string certificatePath;
    std::string keyPath;
    // Writes "cert.pem" and "key.pem" into `folder`.
    static SelfSignedCertificate writeTo(const std::string& folder);
};

}  // namespace testing_support
