#pragma once
// The few primitives the sealed diary needs, each a call into a well-kept
// library: Windows' own CNG (bcrypt.dll, crypto_win.cpp) in the program and
// OpenSSL's libcrypto in the native build (crypto_openssl.cpp). Both produce
// the same bytes for the same inputs, so a diary sealed by one opens in the
// other. Nothing here is cryptography of our own.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace store::crypto {

inline constexpr size_t kKeyBytes = 32;    // AES-256
inline constexpr size_t kNonceBytes = 12;  // the GCM nonce
inline constexpr size_t kTagBytes = 16;    // the GCM tag

// False when the library is missing or refuses: nothing is sealed then.
bool available();

// Bytes from the system's random generator; false when it gave none.
bool randomBytes(uint8_t* out, size_t n);

// PBKDF2 with HMAC-SHA256: kKeyBytes of key from a secret and a salt.
bool pbkdf2Sha256(std::string_view secret, const uint8_t* salt, size_t saltBytes, uint32_t iterations, uint8_t* key);

// AES-256-GCM. Sealing appends the ciphertext and then the tag to `out`;
// opening checks the tag and, only when it holds, appends the plain bytes.
bool sealGcm(const uint8_t* key, const uint8_t* nonce, std::string_view associated, std::string_view plain,
             std::string& out);
bool openGcm(const uint8_t* key, const uint8_t* nonce, std::string_view associated, std::string_view sealed,
             std::string& out);

// Zeroes memory in a way the compiler may not leave out.
void cleanse(void* bytes, size_t n);

}  // namespace store::crypto
