#include "app/sealing.h"

#include <system_error>

#include "app/frm_main.h"
#include "app/frm_obnovitev.h"
#include "app/pisarion.h"
#include "backup/daily.h"
#include "base/cp1250.h"

namespace app {
namespace {

constexpr char16_t kQuestion[] =
    u"Ali naj Pisarion dnevnik tudi na disku zaklene (šifrira)?\r\n\r\n"
    u"Brez gesla ali obnovitvene kode ga potem ne more prebrati nihče, niti vi sami.";
constexpr char16_t kCaption[] = u"Pisarion";

}  // namespace

Sealing::Sealing(Pisarion& app) : m_app(app) {}
Sealing::~Sealing() = default;

std::filesystem::path Sealing::keyFilePath() const { return m_app.environment().folder / store::kKeyFileName; }
std::filesystem::path Sealing::removalMarkPath() const { return m_app.environment().folder / store::kRemovalMarkName; }

void Sealing::tell(std::u16string_view text, bool problem) {
  const gui::MessageIcon icon = problem ? gui::MessageIcon::Exclamation : gui::MessageIcon::Information;
  // The recovery code is read first: news of the work waits until its window closes.
  frmObnovitev& code = m_app.recoveryWindow();
  if (code.form().visible()) {
    code.onClosed = [this, text = std::u16string(text), icon] { m_app.platform().messageBox(text, kCaption, icon); };
    return;
  }
  m_app.platform().messageBox(text, kCaption, icon);
}

bool Sealing::readKeyFile() {
  const store::KeyFileRead read = store::readKeyFile(keyFilePath());
  if (read.state == store::FileState::Missing) return true;
  if (read.file) {
    m_keyFile = read.file;
    return true;
  }
  // Without it nothing opens the sealed days: never start as if unsealed.
  m_app.EndOnFailure(u"Ključa dnevnika ni bilo mogoče prebrati:\n" + keyFilePath().u16string() +
                     u"\n\nBrez njega zapisov ni mogoče odpreti. Pisarion se bo zaprl, ne da bi karkoli spremenil; "
                     u"ključ lahko obnovite iz varnostne kopije.");
  return false;
}

bool Sealing::accepts(std::u16string_view typed, store::Opener* by) {
  if (!m_keyFile) return store::sameSecret(typed, m_app.state().password());
  store::Opener opener = store::Opener::Password;
  std::optional<store::SecretKey> key = m_keyFile->open(typed, &opener);
  if (!key) return false;
  if (by) *by = opener;
  if (opener == store::Opener::Password) m_app.state().setPassword(std::u16string(typed));
  if (!m_app.store().key()) {
    const bool removing = store::removalMarked(removalMarkPath(), *key);
    m_app.store().setKey(std::make_shared<store::SecretKey>(*key), !removing);
  }
  return true;
}

std::u16string Sealing::passwordForSettings() const {
  if (!m_keyFile) return m_app.state().password();
  return converting() && m_app.store().sealsWrites() ? m_app.state().password() : u"";
}

bool Sealing::offerSealing() {
  if (m_keyFile || m_app.state().password().empty()) return false;
  if (!m_app.platform().askYesNo(kQuestion, kCaption, gui::MessageIcon::Exclamation, gui::DefaultAnswer::Yes)) return false;
  return seal();
}

bool Sealing::seal() {
  const std::optional<store::SecretKey> data = store::SecretKey::random();
  const std::optional<std::string> code = store::makeRecoveryCode();
  std::optional<store::KeyFile> file;
  if (data && code) file = store::KeyFile::make(*data, m_app.state().password(), *code, store::calibratePasswordIterations());
  const std::filesystem::path temp = m_app.environment().folder / "~Podatki.kljuc.tmp";
  if (!file || !store::writeKeyFileChecked(keyFilePath(), *file, *data, m_app.state().password(), temp)) {
    tell(u"Dnevnika ni bilo mogoče šifrirati: ključa ni bilo mogoče narediti ali shraniti v mapo\n" +
             m_app.environment().folder.u16string() + u"\n\nDnevnik ostaja, kakršen je bil.",
         true);
    return false;
  }
  m_keyFile = file;
  m_app.store().setKey(std::make_shared<store::SecretKey>(*data), true);
  m_replaceBackups = true;
  m_app.recoveryWindow().ShowCode(base::utf8ToUtf16(*code));
  startConversion();
  return true;
}

bool Sealing::passwordChosen(const std::u16string& newPassword) {
  if (!m_keyFile) {
    m_app.state().setPassword(newPassword);
    m_app.saveSettingsNow();
    if (!newPassword.empty()) offerSealing();
    return true;
  }
  if (newPassword.empty()) {
    if (!offerUnsealing()) return false;
    m_app.state().setPassword(u"");  // the diary goes back to the keyless form without one
    return true;
  }
  const store::SharedKey key = m_app.store().key();
  store::KeyFile changed = *m_keyFile;
  const std::filesystem::path temp = m_app.environment().folder / "~Podatki.kljuc.tmp";
  if (!key || !changed.rewrap(*key, newPassword, store::calibratePasswordIterations()) ||
      !store::writeKeyFileChecked(keyFilePath(), changed, *key, newPassword, temp)) {
    tell(u"Novega gesla ni bilo mogoče shraniti v ključ dnevnika. Velja staro geslo.", true);
    return false;
  }
  m_keyFile = changed;
  m_app.state().setPassword(newPassword);
  m_app.saveSettingsNow();
  return true;
}

bool Sealing::offerUnsealing() {
  if (!m_keyFile || !m_app.store().key()) return false;
  if (!m_app.platform().askYesNo(u"Ali naj Pisarion dnevnik na disku odklene (odšifrira)?\r\n\r\nZapisi bodo spet "
                                 u"shranjeni brez šifriranja, ključ dnevnika bo izbrisan.",
                                 kCaption, gui::MessageIcon::Exclamation, gui::DefaultAnswer::No))
    return false;
  const store::SharedKey key = m_app.store().key();
  if (!store::writeRemovalMark(removalMarkPath(), *key, m_app.environment().folder / "~Podatki.odsifriranje.tmp")) {
    tell(u"Dnevnika ni bilo mogoče odšifrirati: v mapo dnevnika ni mogoče pisati.", true);
    return false;
  }
  m_app.store().setKey(key, false);
  startConversion();
  return true;
}

void Sealing::resume() {
  if (!m_keyFile || !m_app.store().key()) return;
  // The settings still hold the password: sealing never got to its end, and
  // the archives made before it may hold readable days.
  m_replaceBackups = m_app.store().sealsWrites() && !m_app.settings.password.empty();
  startConversion();
}

void Sealing::startConversion() {
  m_conversion = std::make_unique<store::Conversion>(m_app.store(), m_app.todayKey());
  if (!m_timer) {
    m_timer = &m_app.main().form().addTimer("tmrŠifriranje", 50, gui::TimerStart::Stopped);
    m_timer->onTimer = [this] { convertSome(); };
  }
  convertSome();  // today's entry at once
  if (m_conversion) m_timer->setEnabled(true);
}

// A slice of the work at every tick, so the diary stays usable.
void Sealing::convertSome() {
  if (!m_conversion) return;
  const bool more = m_conversion->step(30);
  const size_t total = std::max<size_t>(m_conversion->total(), 1);
  const std::u16string doing = m_app.store().sealsWrites() ? u"šifriram" : u"odšifriram";
  if (more) {
    m_app.main().showTitleNote(doing + u" " + base::utf8ToUtf16(std::to_string(m_conversion->done() * 100 / total)) +
                               u" %");
    return;
  }
  conversionDone();
}

void Sealing::conversionDone() {
  m_timer->setEnabled(false);
  const size_t failed = m_conversion->failed();
  m_conversion.reset();
  m_app.main().showTitleNote(u"");
  if (failed > 0) {
    // Left in the old form; the next start tries them again.
    tell(u"Nekaterih zapisov (" + base::utf8ToUtf16(std::to_string(failed)) +
             u") ni bilo mogoče prepisati; ostali so, kakršni so bili. Pisarion jih bo poskusil znova ob naslednjem "
             u"zagonu.",
         true);
    return;
  }
  if (!m_app.store().sealsWrites()) return unsealed();
  // Every day sealed: the password leaves the settings file, and the
  // archives that still hold readable days go.
  m_app.saveSettingsNow();
  if (m_replaceBackups) replaceBackups();
}

void Sealing::unsealed() {
  std::error_code ec;
  std::filesystem::remove(keyFilePath(), ec);
  if (ec) return tell(u"Ključa dnevnika ni bilo mogoče izbrisati:\n" + keyFilePath().u16string(), true);
  std::filesystem::remove(removalMarkPath(), ec);
  m_keyFile.reset();
  m_app.store().setKey(nullptr, false);
  m_app.saveSettingsNow();
  tell(u"Dnevnik je odšifriran.", false);
}

void Sealing::replaceBackups() {
  m_replaceBackups = false;
  const backup::DiaryFiles files{m_app.store().dataFolder(), m_app.settingsFile(), m_app.backupFolder(), keyFilePath()};
  if (backup::replaceArchives(files, m_app.platform().now()) == backup::Outcome::Made)
    tell(u"Dnevnik je šifriran. Starejše varnostne kopije, v katerih so bili zapisi berljivi, so izbrisane; nova "
         u"kopija šifriranega dnevnika je v mapi:\n" + m_app.backupFolder().u16string(),
         false);
  else
    tell(u"Dnevnik je šifriran, a nove varnostne kopije ni bilo mogoče narediti, zato so starejše kopije z berljivimi "
         u"zapisi ostale v mapi:\n" + m_app.backupFolder().u16string() + u"\n\nIzbrišete jih lahko sami.",
         true);
}

}  // namespace app
