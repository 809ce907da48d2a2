#include "store/sealed.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "base/cp1250.h"

namespace store {
namespace {

constexpr std::string_view kKeyFileMagic = "PISKLJUC";
constexpr uint8_t kKeyFileVersion = 1;
constexpr std::string_view kKdfName = "PBKDF2-HMAC-SHA256";
constexpr std::string_view kCodeAlphabet = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr size_t kCodeChars = 25;
constexpr size_t kSlotBytes = 1 + 16 + 4 + crypto::kNonceBytes + crypto::kKeyBytes + crypto::kTagBytes;

std::string entryAssociated(std::string_view dateKey) {
  std::string a(kEntryMagic);
  a += static_cast<char>(kEntryVersion);
  a += dateKey;
  return a;
}

std::string header() {
  std::string h(kKeyFileMagic);
  h += static_cast<char>(kKeyFileVersion);
  h += static_cast<char>(kKdfName.size());
  h += kKdfName;
  return h;
}

void putU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t getU32(const char* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(static_cast<unsigned char>(p[i])) << (8 * i);
  return v;
}

template <size_t N>
std::string_view view(const std::array<uint8_t, N>& a) {
  return {reinterpret_cast<const char*>(a.data()), N};
}

// What a slot's seal covers: the header, the slot's name, salt and count.
std::string slotAssociated(uint8_t id, const KeySlot& slot) {
  std::string a = header();
  a += static_cast<char>(id);
  a += view(slot.salt);
  putU32(a, slot.iterations);
  return a;
}

std::optional<SecretKey> deriveKey(std::string_view secret, const KeySlot& slot) {
  SecretKey k;
  if (!crypto::pbkdf2Sha256(secret, slot.salt.data(), slot.salt.size(), slot.iterations, k.bytes.data()))
    return std::nullopt;
  return k;
}

std::optional<KeySlot> sealSlot(uint8_t id, const SecretKey& dataKey, std::string_view secret, uint32_t iterations) {
  KeySlot slot;
  slot.iterations = iterations;
  if (!crypto::randomBytes(slot.salt.data(), slot.salt.size()) ||
      !crypto::randomBytes(slot.nonce.data(), slot.nonce.size()))
    return std::nullopt;
  const std::optional<SecretKey> wrapKey = deriveKey(secret, slot);
  if (!wrapKey) return std::nullopt;
  std::string sealed;
  if (!crypto::sealGcm(wrapKey->bytes.data(), slot.nonce.data(), slotAssociated(id, slot), view(dataKey.bytes), sealed))
    return std::nullopt;
  std::memcpy(slot.wrapped.data(), sealed.data(), slot.wrapped.size());
  return slot;
}

std::optional<SecretKey> openSlot(uint8_t id, const KeySlot& slot, std::string_view secret) {
  const std::optional<SecretKey> wrapKey = deriveKey(secret, slot);
  if (!wrapKey) return std::nullopt;
  Wiped plain;
  if (!crypto::openGcm(wrapKey->bytes.data(), slot.nonce.data(), slotAssociated(id, slot), view(slot.wrapped),
                       plain.bytes) ||
      plain.bytes.size() != crypto::kKeyBytes)
    return std::nullopt;
  SecretKey k;
  std::memcpy(k.bytes.data(), plain.bytes.data(), k.bytes.size());
  return k;
}

Wiped passwordBytes(std::u16string_view password) { return Wiped{base::utf16ToUtf8(password)}; }

constexpr uint8_t kPasswordSlot = 1, kRecoverySlot = 2;

}  // namespace

std::optional<SecretKey> SecretKey::random() {
  SecretKey k;
  if (!crypto::randomBytes(k.bytes.data(), k.bytes.size())) return std::nullopt;
  return k;
}

bool isSealedEntry(std::string_view fileBytes) { return fileBytes.starts_with(kEntryMagic); }

std::optional<std::string> sealEntry(const SecretKey& key, std::string_view dateKey, std::string_view rtf) {
  std::string out(kEntryMagic);
  out += static_cast<char>(kEntryVersion);
  std::array<uint8_t, crypto::kNonceBytes> nonce;
  if (!crypto::randomBytes(nonce.data(), nonce.size())) return std::nullopt;
  out += view(nonce);
  if (!crypto::sealGcm(key.bytes.data(), nonce.data(), entryAssociated(dateKey), rtf, out)) return std::nullopt;
  return out;
}

std::optional<std::string> openEntry(const SecretKey& key, std::string_view dateKey, std::string_view fileBytes) {
  const size_t head = kEntryMagic.size() + 1;
  if (!isSealedEntry(fileBytes) || fileBytes.size() < head + crypto::kNonceBytes + crypto::kTagBytes ||
      static_cast<uint8_t>(fileBytes[kEntryMagic.size()]) != kEntryVersion)
    return std::nullopt;
  const auto* nonce = reinterpret_cast<const uint8_t*>(fileBytes.data() + head);
  std::string rtf;
  if (!crypto::openGcm(key.bytes.data(), nonce, entryAssociated(dateKey), fileBytes.substr(head + crypto::kNonceBytes),
                       rtf))
    return std::nullopt;
  return rtf;
}

uint32_t calibratePasswordIterations(double seconds) {
  constexpr uint32_t kProbe = 100'000;
  const uint8_t salt[16] = {};
  uint8_t out[crypto::kKeyBytes];
  const auto start = std::chrono::steady_clock::now();
  if (!crypto::pbkdf2Sha256("calibration", salt, sizeof salt, kProbe, out)) return kMinPasswordIterations;
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double rounds = took > 0 ? kProbe * seconds / took : 0;
  // A wildly fast reading (a clock's coarse tick) is kept within reason.
  if (rounds <= kMinPasswordIterations) return kMinPasswordIterations;
  return rounds >= kMaxIterations ? kMaxIterations : static_cast<uint32_t>(rounds);
}

std::optional<std::string> makeRecoveryCode() {
  std::array<uint8_t, kCodeChars> random;
  if (!crypto::randomBytes(random.data(), random.size())) return std::nullopt;
  std::string code;
  for (size_t i = 0; i < kCodeChars; ++i) {
    if (i > 0 && i % 5 == 0) code += '-';
    code += kCodeAlphabet[random[i] % kCodeAlphabet.size()];  // 256 is a multiple of 32: no bias
  }
  crypto::cleanse(random.data(), random.size());
  return code;
}

std::optional<std::string> normalRecoveryCode(std::u16string_view typed) {
  std::string code;
  for (char16_t c : typed) {
    if (c == u'-' || c == u' ') continue;
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c > 0x7F || kCodeAlphabet.find(static_cast<char>(c)) == std::string_view::npos) return std::nullopt;
    code += static_cast<char>(c);
  }
  if (code.size() != kCodeChars) return std::nullopt;
  for (size_t i = 5; i < code.size(); i += 6) code.insert(i, 1, '-');
  return code;
}

std::optional<KeyFile> KeyFile::make(const SecretKey& dataKey, std::u16string_view password,
                                     std::string_view recoveryCode, uint32_t passwordIterations) {
  const Wiped secret = passwordBytes(password);
  const auto p = sealSlot(kPasswordSlot, dataKey, secret.bytes, passwordIterations);
  const auto r = sealSlot(kRecoverySlot, dataKey, recoveryCode, kRecoveryIterations);
  if (!p || !r) return std::nullopt;
  return KeyFile{*p, *r};
}

std::string KeyFile::bytes() const {
  std::string out = header();
  const std::pair<uint8_t, const KeySlot*> slots[] = {{kPasswordSlot, &password}, {kRecoverySlot, &recovery}};
  for (const auto& [id, slot] : slots) {
    out += static_cast<char>(id);
    out += view(slot->salt);
    putU32(out, slot->iterations);
    out += view(slot->nonce);
    out += view(slot->wrapped);
  }
  return out;
}

std::optional<KeyFile> KeyFile::parse(std::string_view bytes) {
  const std::string h = header();
  if (bytes.size() != h.size() + 2 * kSlotBytes || !bytes.starts_with(h)) return std::nullopt;
  KeyFile file;
  const char* p = bytes.data() + h.size();
  KeySlot* slots[] = {&file.password, &file.recovery};
  for (uint8_t id = kPasswordSlot; id <= kRecoverySlot; ++id) {
    if (static_cast<uint8_t>(*p++) != id) return std::nullopt;
    KeySlot& s = *slots[id - 1];
    std::memcpy(s.salt.data(), p, s.salt.size());
    p += s.salt.size();
    s.iterations = getU32(p);
    p += 4;
    std::memcpy(s.nonce.data(), p, s.nonce.size());
    p += s.nonce.size();
    std::memcpy(s.wrapped.data(), p, s.wrapped.size());
    p += s.wrapped.size();
    if (s.iterations == 0 || s.iterations > kMaxIterations) return std::nullopt;
  }
  return file;
}

std::optional<SecretKey> KeyFile::openWithPassword(std::u16string_view pw) const {
  const Wiped secret = passwordBytes(pw);
  return openSlot(kPasswordSlot, password, secret.bytes);
}

std::optional<SecretKey> KeyFile::openWithRecoveryCode(std::string_view code) const {
  return openSlot(kRecoverySlot, recovery, code);
}

std::optional<SecretKey> KeyFile::open(std::u16string_view typed, Opener* opener) const {
  if (auto k = openWithPassword(typed)) {
    if (opener) *opener = Opener::Password;
    return k;
  }
  const std::optional<std::string> code = normalRecoveryCode(typed);
  if (!code) return std::nullopt;
  auto k = openWithRecoveryCode(*code);
  if (k && opener) *opener = Opener::RecoveryCode;
  return k;
}

bool KeyFile::rewrap(const SecretKey& dataKey, std::u16string_view newPassword, uint32_t iterations) {
  const Wiped secret = passwordBytes(newPassword);
  const auto p = sealSlot(kPasswordSlot, dataKey, secret.bytes, iterations);
  if (!p) return false;
  password = *p;
  return true;
}

KeyFileRead readKeyFile(const fs::path& path) {
  FileRead read = readExistingFile(path);
  KeyFileRead out{read.state, std::nullopt};
  if (read.state == FileState::Read) out.file = KeyFile::parse(read.bytes);
  return out;
}

bool writeKeyFileChecked(const fs::path& path, const KeyFile& file, const SecretKey& dataKey,
                         std::u16string_view password, const fs::path& temp) {
  std::error_code ec;
  if (!writeFileDurably(temp, file.bytes())) {
    fs::remove(temp, ec);
    return false;
  }
  const KeyFileRead back = readKeyFile(temp);
  const std::optional<SecretKey> opened = back.file ? back.file->openWithPassword(password) : std::nullopt;
  if (!opened || opened->bytes != dataKey.bytes || !replaceFileDurably(temp, path)) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

namespace {
constexpr std::string_view kRemovalName = "odsifriranje";
}  // namespace

bool writeRemovalMark(const fs::path& path, const SecretKey& dataKey, const fs::path& temp) {
  const std::optional<std::string> bytes = sealEntry(dataKey, kRemovalName, "1");
  return bytes && writeFileAtomic(path, *bytes, temp);
}

bool removalMarked(const fs::path& path, const SecretKey& dataKey) {
  const std::optional<std::string> bytes = readFile(path, 256);
  return bytes && openEntry(dataKey, kRemovalName, *bytes) == "1";
}

bool sameSecret(std::u16string_view a, std::u16string_view b) {
  const size_t n = std::max(a.size(), b.size());
  unsigned difference = a.size() != b.size();
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = i < a.size() ? a[i] : 0, y = i < b.size() ? b[i] : 0;
    difference |= static_cast<unsigned>(x ^ y);
  }
  // Read through a volatile so the loop is never cut short as an optimisation.
  volatile unsigned result = difference;
  return result == 0;
}

}  // namespace store
