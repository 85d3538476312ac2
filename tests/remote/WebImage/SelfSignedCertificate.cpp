#include "tests/remote/WebImage/SelfSignedCertificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

#include <cstdio>
#include <stdexcept>

namespace testing_support {

SelfSignedCertificate SelfSignedCertificate::writeTo(const std::string& folder) {
    SelfSignedCertificate result{folder + "/cert.pem", folder + "/key.pem"};
    EVP_PKEY* key = EVP_RSA_gen(2048);
    X509* certificate = X509_new();
    if (key == nullptr || certificate == nullptr) {
        throw std::runtime_error("cannot make a key");
    }
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
    X509_gmtime_adj(X509_getm_notAfter(certificate), 3600);
    X509_set_pubkey(certificate, key);
    X509_NAME* name = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(certificate, name);
    X509_sign(certificate, key, EVP_sha256());
    FILE* file = std::fopen(result.keyPath.c_str(), "wb");
    PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr);
    std::fclose(file);
    file = std::fopen(result.certificatePath.c_str(), "wb");
    PEM_write_X509(file, certificate);
    std::fclose(file);
    X509_free(certificate);
    EVP_PKEY_free(key);
    return result;
}

}  // namespace testing_support
