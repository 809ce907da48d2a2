#pragma once
// A sealed diary: every entry encrypted and authenticated under the diary's
// own random data key, which is kept on disk only wrapped, in the key file
// beside the settings — once under a key made from the password and once
// under one made from the recovery code.
//
// An entry: the magic, a version byte, a fresh 96-bit nonce, the AES-256-GCM
// ciphertext of the day's rich text and its 16-byte tag; the magic, the
// version and the day's date key are its associated data, so a file copied
// over another day's does not open. A file without the magic is a keyless
// entry and is read as one.
//
// The key file: a magic and version, the key derivation's name, then two
// slots (password, recovery code), each its salt, iteration count, nonce and
// the sealed data key. A slot's associated data is the file's header with
// that slot's own salt and count, so neither can be changed unnoticed, and
// the password's slot can be made again without the recovery code.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "store/crypto.h"
#include "store/file_io.h"

namespace store {

// A key held in memory; its bytes are zeroed when it goes.
class SecretKey {
 public:
  SecretKey() = default;
  SecretKey(const SecretKey& other) = default;
  SecretKey& operator=(const SecretKey& other) = default;
  ~SecretKey() { crypto::cleanse(bytes.data(), bytes.size()); }
  std::array<uint8_t, crypto::kKeyBytes> bytes{};
  // A new data key from the system's random generator.
  static std::optional<SecretKey> random();
};
using SharedKey = std::shared_ptr<const SecretKey>;

// A string whose bytes are zeroed when it goes: passwords and decrypted text.
struct Wiped {
  std::string bytes;
  ~Wiped() { crypto::cleanse(bytes.data(), bytes.size()); }
};

// Keyless entries the diary writes begin with the encoded "{" of rich text
// (byte 0xFB) or are empty; the magic's first byte, NUL, would stand for a
// decoded 0x80, which begins no rich text.
inline constexpr std::string_view kEntryMagic{"\x00PSZ", 4};
inline constexpr uint8_t kEntryVersion = 1;

bool isSealedEntry(std::string_view fileBytes);
// The sealed bytes of a day's rich text; nothing when the library refused.
std::optional<std::string> sealEntry(const SecretKey& key, std::string_view dateKey, std::string_view rtf);
// The rich text, or nothing when the file is not sealed under this key for
// this day (a wrong key, a changed byte, another day's file).
std::optional<std::string> openEntry(const SecretKey& key, std::string_view dateKey, std::string_view fileBytes);

// The password's key costs at least this many rounds, more on a fast machine.
inline constexpr uint32_t kMinPasswordIterations = 600'000;
// The recovery code carries 125 random bits: no guessing gets near them, so
// its key needs no slowing down beyond a modest count.
inline constexpr uint32_t kRecoveryIterations = 100'000;

// A key file asking for more is not ours: it would hold the login for minutes.
inline constexpr uint32_t kMaxIterations = 10'000'000;

// Rounds that take about `seconds` on this machine, never fewer than the least.
uint32_t calibratePasswordIterations(double seconds = 0.5);

// "XXXXX-XXXXX-XXXXX-XXXXX-XXXXX": 25 characters from 32 that cannot be
// taken for one another (no 0, O, 1, I), from the system's random generator.
std::optional<std::string> makeRecoveryCode();
// The code as typed (any case, with or without the dashes and spaces) in its
// one form, or nothing when the text cannot be a recovery code.
std::optional<std::string> normalRecoveryCode(std::u16string_view typed);

struct KeySlot {
  std::array<uint8_t, 16> salt{};
  uint32_t iterations = 0;
  std::array<uint8_t, crypto::kNonceBytes> nonce{};
  std::array<uint8_t, crypto::kKeyBytes + crypto::kTagBytes> wrapped{};
};

enum class Opener { Password, RecoveryCode };

struct KeyFile {
  KeySlot password;
  KeySlot recovery;

  // A key file for `dataKey`; nothing when the library refused.
  static std::optional<KeyFile> make(const SecretKey& dataKey, std::u16string_view password,
                                     std::string_view recoveryCode, uint32_t passwordIterations);
  // The file's bytes and back; nothing when they are not a key file.
  std::string bytes() const;
  static std::optional<KeyFile> parse(std::string_view bytes);

  // The data key from the password's slot.
  std::optional<SecretKey> openWithPassword(std::u16string_view password) const;
  // The data key from the recovery code's slot, the code in its normal form.
  std::optional<SecretKey> openWithRecoveryCode(std::string_view code) const;
  // The data key from what was typed at the login: the password, or else the
  // recovery code; `opener` says which it was.
  std::optional<SecretKey> open(std::u16string_view typed, Opener* opener = nullptr) const;

  // The password's slot made again for a new password; the recovery slot stays.
  bool rewrap(const SecretKey& dataKey, std::u16string_view newPassword, uint32_t iterations);
};

// Beside the settings file, never in the data folder, so never taken for a day.
inline constexpr char kKeyFileName[] = "Podatki.kljuc";
// Beside it while a sealed diary goes back to the keyless form: sealed under
// the data key, so nobody without it can make a diary unseal itself.
inline constexpr char kRemovalMarkName[] = "Podatki.odsifriranje";

// A key file that is there but cannot be read, or is not a key file, keeps
// the diary closed: its entries can be opened by nothing else.
struct KeyFileRead {
  FileState state = FileState::Missing;
  std::optional<KeyFile> file;  // when Read and whole
};
KeyFileRead readKeyFile(const fs::path& path);

// The key file written beside `path`, read back and opened with `password`
// before it replaces the old one, so a password change never leaves a key
// file that does not open.
bool writeKeyFileChecked(const fs::path& path, const KeyFile& file, const SecretKey& dataKey,
                         std::u16string_view password, const fs::path& temp);

bool writeRemovalMark(const fs::path& path, const SecretKey& dataKey, const fs::path& temp);
bool removalMarked(const fs::path& path, const SecretKey& dataKey);

// Two secrets compared in a time that tells nothing of where they differ.
bool sameSecret(std::u16string_view a, std::u16string_view b);

}  // namespace store
