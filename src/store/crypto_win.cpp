// The sealed diary's primitives from Windows' own CNG. bcrypt.dll is loaded
// from the system folder the first time a sealed diary needs it, so a diary
// that is not sealed starts without it.
#include <windows.h>
#include <bcrypt.h>

#include <climits>
#include <cstring>
#include <mutex>

#include "store/crypto.h"

namespace store::crypto {
namespace {

#ifndef STATUS_SUCCESS
constexpr NTSTATUS STATUS_SUCCESS = 0;
#endif

struct Cng {
  decltype(&BCryptOpenAlgorithmProvider) open = nullptr;
  decltype(&BCryptCloseAlgorithmProvider) close = nullptr;
  decltype(&BCryptSetProperty) setProperty = nullptr;
  decltype(&BCryptGenerateSymmetricKey) makeKey = nullptr;
  decltype(&BCryptDestroyKey) destroyKey = nullptr;
  decltype(&BCryptEncrypt) encrypt = nullptr;
  decltype(&BCryptDecrypt) decrypt = nullptr;
  decltype(&BCryptGenRandom) random = nullptr;
  decltype(&BCryptDeriveKeyPBKDF2) pbkdf2 = nullptr;
  BCRYPT_ALG_HANDLE aesGcm = nullptr;
  BCRYPT_ALG_HANDLE hmacSha256 = nullptr;
  bool ready = false;
};

template <typename F>
bool resolve(HMODULE dll, const char* name, F& f) {
  f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  return f != nullptr;
}

// Loaded once and kept: the algorithm handles are thread-safe and cheap to share.
const Cng& cng() {
  static Cng c;
  static std::once_flag once;
  std::call_once(once, [] {
    HMODULE dll = LoadLibraryExW(L"bcrypt.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!dll) return;
    if (!(resolve(dll, "BCryptOpenAlgorithmProvider", c.open) && resolve(dll, "BCryptCloseAlgorithmProvider", c.close) &&
          resolve(dll, "BCryptSetProperty", c.setProperty) && resolve(dll, "BCryptGenerateSymmetricKey", c.makeKey) &&
          resolve(dll, "BCryptDestroyKey", c.destroyKey) && resolve(dll, "BCryptEncrypt", c.encrypt) &&
          resolve(dll, "BCryptDecrypt", c.decrypt) && resolve(dll, "BCryptGenRandom", c.random) &&
          resolve(dll, "BCryptDeriveKeyPBKDF2", c.pbkdf2)))
      return;
    if (c.open(&c.aesGcm, BCRYPT_AES_ALGORITHM, nullptr, 0) != STATUS_SUCCESS) return;
    if (c.setProperty(c.aesGcm, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                      sizeof(BCRYPT_CHAIN_MODE_GCM), 0) != STATUS_SUCCESS)
      return;
    if (c.open(&c.hmacSha256, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG) != STATUS_SUCCESS) return;
    c.ready = true;
  });
  return c;
}

PUCHAR bytesOf(std::string_view s) { return reinterpret_cast<PUCHAR>(const_cast<char*>(s.data())); }

// One AES-256-GCM operation on a key object made for it and destroyed after.
bool runGcm(bool encrypt, const uint8_t* key, const uint8_t* nonce, std::string_view associated, std::string_view input,
            uint8_t* output, uint8_t* tag) {
  const Cng& c = cng();
  if (!c.ready || input.size() > ULONG_MAX || associated.size() > ULONG_MAX) return false;
  BCRYPT_KEY_HANDLE handle = nullptr;
  if (c.makeKey(c.aesGcm, &handle, nullptr, 0, const_cast<PUCHAR>(key), kKeyBytes, 0) != STATUS_SUCCESS) return false;
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
  BCRYPT_INIT_AUTH_MODE_INFO(info);
  info.pbNonce = const_cast<PUCHAR>(nonce);
  info.cbNonce = kNonceBytes;
  info.pbAuthData = associated.empty() ? nullptr : bytesOf(associated);
  info.cbAuthData = static_cast<ULONG>(associated.size());
  info.pbTag = tag;
  info.cbTag = kTagBytes;
  ULONG done = 0;
  uint8_t none = 0;  // an empty text still needs a place to point at
  PUCHAR in = input.empty() ? &none : bytesOf(input);
  PUCHAR out = input.empty() ? &none : output;
  const ULONG n = static_cast<ULONG>(input.size());
  const NTSTATUS status = encrypt ? c.encrypt(handle, in, n, &info, nullptr, 0, out, n, &done, 0)
                                  : c.decrypt(handle, in, n, &info, nullptr, 0, out, n, &done, 0);
  c.destroyKey(handle);
  return status == STATUS_SUCCESS && done == n;
}

}  // namespace

bool available() { return cng().ready; }

bool randomBytes(uint8_t* out, size_t n) {
  const Cng& c = cng();
  return c.ready && n <= ULONG_MAX &&
         c.random(nullptr, out, static_cast<ULONG>(n), BCRYPT_USE_SYSTEM_PREFERRED_RNG) == STATUS_SUCCESS;
}

bool pbkdf2Sha256(std::string_view secret, const uint8_t* salt, size_t saltBytes, uint32_t iterations, uint8_t* key) {
  const Cng& c = cng();
  if (!c.ready || iterations == 0 || secret.size() > ULONG_MAX || saltBytes > ULONG_MAX) return false;
  uint8_t none = 0;
  return c.pbkdf2(c.hmacSha256, secret.empty() ? &none : bytesOf(secret), static_cast<ULONG>(secret.size()),
                  const_cast<PUCHAR>(salt), static_cast<ULONG>(saltBytes), iterations, key, kKeyBytes,
                  0) == STATUS_SUCCESS;
}

bool sealGcm(const uint8_t* key, const uint8_t* nonce, std::string_view associated, std::string_view plain,
             std::string& out) {
  const size_t start = out.size();
  out.resize(start + plain.size() + kTagBytes);
  auto* dst = reinterpret_cast<uint8_t*>(out.data() + start);
  if (runGcm(true, key, nonce, associated, plain, dst, dst + plain.size())) return true;
  out.resize(start);
  return false;
}

bool openGcm(const uint8_t* key, const uint8_t* nonce, std::string_view associated, std::string_view sealed,
             std::string& out) {
  if (sealed.size() < kTagBytes) return false;
  const size_t n = sealed.size() - kTagBytes;
  uint8_t tag[kTagBytes];
  std::memcpy(tag, sealed.data() + n, kTagBytes);
  const size_t start = out.size();
  out.resize(start + n);
  auto* dst = reinterpret_cast<uint8_t*>(out.data() + start);
  if (runGcm(false, key, nonce, associated, sealed.substr(0, n), dst, tag)) return true;
  cleanse(dst, n);
  out.resize(start);
  return false;
}

void cleanse(void* bytes, size_t n) { SecureZeroMemory(bytes, n); }

}  // namespace store::crypto
