#pragma once
// The diary sealed on disk: its key file, the login that opens it, the
// conversion of every entry either way, the password changed by wrapping the
// key again. While a diary is sealed its password is never on disk.
#include <memory>
#include <optional>
#include <string>

#include "store/conversion.h"
#include "store/sealed.h"

namespace gui {
class Timer;
}

namespace app {

class Pisarion;

class Sealing {
 public:
  explicit Sealing(Pisarion& app);
  ~Sealing();

  std::filesystem::path keyFilePath() const;
  std::filesystem::path removalMarkPath() const;

  // At the start, before the login: false when a key file is there but
  // cannot be read or is not one (the program has been ended, told why).
  bool readKeyFile();
  bool sealed() const { return m_keyFile.has_value(); }
  // The entries are being sealed (or unsealed) still.
  bool converting() const { return m_conversion != nullptr; }

  // What the login typed: the password, or on a sealed diary its recovery
  // code. The first success on a sealed diary gives the store its key.
  bool accepts(std::u16string_view typed, store::Opener* by = nullptr);
  // The password as the settings file keeps it: nothing once the diary is
  // sealed through and through.
  std::u16string passwordForSettings() const;

  // The question, then sealing with the current password. True when sealed.
  bool offerSealing();
  // A new password given twice in the change-password window: a sealed
  // diary's key is wrapped again, an empty one asks whether to unseal.
  // False when the password must stay as it was.
  bool passwordChosen(const std::u16string& newPassword);
  // Asks, then takes every entry back to the keyless form.
  bool offerUnsealing();

  // After the login: the conversion left by the last run goes on.
  void resume();

 private:
  bool seal();
  void startConversion();
  void convertSome();
  void conversionDone();
  void unsealed();
  void replaceBackups();
  void tell(std::u16string_view text, bool problem);

  Pisarion& m_app;
  std::optional<store::KeyFile> m_keyFile;
  std::unique_ptr<store::Conversion> m_conversion;
  gui::Timer* m_timer = nullptr;
  bool m_replaceBackups = false;  // the diary was sealed in this run
};

}  // namespace app
