#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>

namespace linkrake::test {

// A certificate for 127.0.0.1 that no authority signed: right name, untrusted issuer.
struct SelfSignedCert {
    struct KeyFree {
        void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
    };
    struct CertFree {
        void operator()(X509* cert) const { X509_free(cert); }
    };
    std::unique_ptr<EVP_PKEY, KeyFree> key;
    std::unique_ptr<X509, CertFree> cert;
};

SelfSignedCert makeSelfSignedCert();

}  // namespace linkrake::test
