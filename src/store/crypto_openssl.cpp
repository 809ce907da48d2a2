// The sealed diary's primitives from OpenSSL's libcrypto (the native build).
#ifndef _WIN32
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "store/crypto.h"

namespace store::crypto {
namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

const unsigned char* bytesOf(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// A context set up for AES-256-GCM with a 96-bit nonce and the associated data fed.
CipherContext startGcm(bool encrypt, const uint8_t* key, const uint8_t* nonce, std::string_view associated) {
  CipherContext ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  if (!ctx || associated.size() > INT_MAX) return CipherContext(nullptr, EVP_CIPHER_CTX_free);
  int len = 0;
  const bool ok = EVP_CipherInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr, encrypt) == 1 &&
                  EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, kNonceBytes, nullptr) == 1 &&
                  EVP_CipherInit_ex(ctx.get(), nullptr, nullptr, key, nonce, encrypt) == 1 &&
                  EVP_CipherUpdate(ctx.get(), nullptr, &len, bytesOf(associated), static_cast<int>(associated.size())) == 1;
  return ok ? std::move(ctx) : CipherContext(nullptr, EVP_CIPHER_CTX_free);
}

}  // namespace

bool available() { return true; }

bool randomBytes(uint8_t* out, size_t n) { return n <= INT_MAX && RAND_bytes(out, static_cast<int>(n)) == 1; }

bool pbkdf2Sha256(std::string_view secret, const uint8_t* salt, size_t saltBytes, uint32_t iterations, uint8_t* key) {
  if (secret.size() > INT_MAX || saltBytes > INT_MAX || iterations == 0 || iterations > INT_MAX) return false;
  return PKCS5_PBKDF2_HMAC(secret.data(), static_cast<int>(secret.size()), salt, static_cast<int>(saltBytes),
                           static_cast<int>(iterations), EVP_sha256(), kKeyBytes, key) == 1;
}

bool sealGcm(const uint8_t* key, const uint8_t* nonce, std::string_view associated, std::string_view plain,
             std::string& out) {
  if (plain.size() > INT_MAX) return false;
  CipherContext ctx = startGcm(true, key, nonce, associated);
  if (!ctx) return false;
  const size_t start = out.size();
  out.resize(start + plain.size() + kTagBytes);
  auto* dst = reinterpret_cast<unsigned char*>(out.data() + start);
  int len = 0, last = 0;
  const bool ok = EVP_CipherUpdate(ctx.get(), dst, &len, bytesOf(plain), static_cast<int>(plain.size())) == 1 &&
                  EVP_CipherFinal_ex(ctx.get(), dst + len, &last) == 1 &&
                  EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTagBytes, dst + plain.size()) == 1;
  if (!ok) out.resize(start);
  return ok;
}

bool openGcm(const uint8_t* key, const uint8_t* nonce, std::string_view associated, std::string_view sealed,
             std::string& out) {
  if (sealed.size() < kTagBytes || sealed.size() > INT_MAX) return false;
  const size_t n = sealed.size() - kTagBytes;
  CipherContext ctx = startGcm(false, key, nonce, associated);
  if (!ctx) return false;
  unsigned char tag[kTagBytes];
  std::copy_n(bytesOf(sealed) + n, kTagBytes, tag);
  const size_t start = out.size();
  out.resize(start + n);
  auto* dst = reinterpret_cast<unsigned char*>(out.data() + start);
  int len = 0, last = 0;
  const bool ok = EVP_CipherUpdate(ctx.get(), dst, &len, bytesOf(sealed), static_cast<int>(n)) == 1 &&
                  EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTagBytes, tag) == 1 &&
                  EVP_CipherFinal_ex(ctx.get(), dst + len, &last) == 1;
  if (!ok) {
    cleanse(dst, n);  // what came out before the tag failed is not the writer's text
    out.resize(start);
  }
  return ok;
}

void cleanse(void* bytes, size_t n) { OPENSSL_cleanse(bytes, n); }

}  // namespace store::crypto
#endif
