#include "SelfSignedCert.h"

#include <openssl/x509v3.h>

#include <stdexcept>

namespace linkrake::test {

SelfSignedCert makeSelfSignedCert() {
    SelfSignedCert made;
    made.key.reset(EVP_EC_gen("P-256"));
    made.cert.reset(X509_new());
    if (!made.key || !made.cert) {
        throw std::runtime_error("OpenSSL could not make a key or a certificate");
    }
    X509* cert = made.cert.get();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 24 * 3600);
    X509_set_pubkey(cert, made.key.get());
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(cert, name);

    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION* altName =
        X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1");
    if (!altName || !X509_add_ext(cert, altName, -1)) {
        X509_EXTENSION_free(altName);
        throw std::runtime_error("OpenSSL could not name the certificate");
    }
    X509_EXTENSION_free(altName);
    if (X509_sign(cert, made.key.get(), EVP_sha256()) == 0) {
        throw std::runtime_error("OpenSSL could not sign the certificate");
    }
    return made;
}

}  // namespace linkrake::test
