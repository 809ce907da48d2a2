#include "app/start_up.h"

#include <string>
#include <system_error>

#include "app/folders.h"
#include "app/pisarion.h"
#include "app/sealing.h"
#include "base/date.h"

namespace app {
namespace {

std::u16string shown(const std::filesystem::path& p) { return p.u16string(); }

void carryOver(Pisarion& app) {
  const Environment& env = app.environment();
  if (env.programFolder.empty() || env.programFolder == env.folder) return;
  const Carry carry = carryToUserFolder(env.programFolder, env.folder);
  if (carry == Carry::AlreadyThere) return;
  std::u16string text = u"V mapo programa ni mogoče pisati, zato Pisarion odslej hrani dnevnik v mapi:\n" +
                        shown(env.folder) + u"\n\n";
  text += carry == Carry::Moved
              ? u"Zapisi in nastavitve iz mape programa so bili tja prekopirani; izvirniki so ostali, kjer so bili."
              : u"Nekaterih zapisov iz mape programa ni bilo mogoče prekopirati; izvirniki so ostali, kjer so bili.";
  app.platform().messageBox(text, u"Pisarion", gui::MessageIcon::Exclamation);
}

bool readSettings(Pisarion& app) {
  const store::SettingsRead read =
      store::readSettingsChecked(app.settingsFile(), app.numberFormat(), app.environment().settingsPatience);
  if (read.state == store::FileState::Unreadable) {
    // It may hold a password: opening unlocked, or writing the defaults over
    // it at the close, would give the diary away.
    app.EndOnFailure(u"Datoteke z nastavitvami ni bilo mogoče prebrati:\n" + shown(app.settingsFile()) +
                     u"\n\nMorda jo ima odprto drug program. Pisarion se bo zaprl, ne da bi karkoli spremenil; "
                     u"poskusite ga znova odpreti čez trenutek.");
    return false;
  }
  app.settings = read.settings;
  return true;
}

bool endOnUnreadableDataFolder(Pisarion& app) {
  app.EndOnFailure(u"Mape z zapisi ni bilo mogoče odpreti:\n" + shown(app.store().dataFolder()) +
                   u"\n\nPisarion se bo zaprl, ne da bi karkoli spremenil. Preverite, ali mapa obstaja in ali jo je "
                   u"mogoče brati.");
  return false;
}

// A data folder that is there but cannot be listed is not a diary without
// entries: the diary ends, and creates nothing in it. The window opens on
// today's month: this year's days are listed now, the rest when first asked
// for (a hundred years of names cost a start as much as all its other work).
bool checkDataFolder(Pisarion& app) {
  std::error_code ec;
  const auto type = std::filesystem::symlink_status(app.store().dataFolder(), ec).type();
  if (type == std::filesystem::file_type::not_found) return true;
  if (app.exporting() ? app.store().Rescan() : app.store().RescanYear(base::keyYear(app.todayKey()))) return true;
  return endOnUnreadableDataFolder(app);
}

// Another account, session or computer has this diary open: two writers
// would save over each other, so this one ends before it writes anything.
bool holdTheDiary(Pisarion& app) {
  if (app.store().HoldLock()) return true;
  app.EndOnFailure(u"Dnevnik v mapi\n" + shown(app.store().folder()) +
                   u"\nje že odprt drugje: v drugem uporabniškem računu, v drugi seji ali na drugem računalniku. "
                   u"Hkrati ga lahko piše le en Pisarion, zato se bo ta zaprl, ne da bi karkoli spremenil.\n\n"
                   u"Zaprite dnevnik tam in ga nato odprite znova.");
  return false;
}

void tellBackupFailed(Pisarion& app) {
  app.platform().messageBox(u"Današnje varnostne kopije dnevnika ni bilo mogoče narediti v mapi:\n" +
                                shown(app.backupFolder()) +
                                u"\n\nDnevnik deluje naprej kot običajno; kopijo bo Pisarion poskusil narediti ob "
                                u"naslednjem zagonu.",
                            u"Pisarion", gui::MessageIcon::Exclamation);
}

}  // namespace

bool prepareDiaryFiles(Pisarion& app) {
  carryOver(app);
  if (!readSettings(app) || !app.sealing().readKeyFile() || !checkDataFolder(app)) return false;
  // An export only reads, so it may run beside the diary, whose save may be
  // under way. The diary takes its folder's lock before it clears anything
  // (a data folder not yet made is locked once it is made).
  if (app.exporting()) return true;
  std::error_code ec;
  if (std::filesystem::is_directory(app.store().dataFolder(), ec) && !holdTheDiary(app)) return false;
  app.store().removeLeftovers();
  return true;
}

bool prepareToWrite(Pisarion& app) {
  // A missing data folder is made (a first start); it must list afterwards.
  if (!app.store().ensureDataFolder() || !app.store().Rescan()) return endOnUnreadableDataFolder(app);
  return holdTheDiary(app);
}

void startDailyBackup(Pisarion& app) {
  // A sealed diary's archive holds its key file, so it restores on its own.
  const std::filesystem::path key = app.sealing().sealed() ? app.sealing().keyFilePath() : std::filesystem::path();
  const backup::DiaryFiles files{app.store().dataFolder(), app.settingsFile(), app.backupFolder(), key};
  gui::Platform& platform = app.platform();
  app.dailyBackup().start(files, platform.now(), [&platform](std::function<void()> task) { platform.post(std::move(task)); },
                          [&app](backup::Outcome outcome) {
                            if (outcome == backup::Outcome::Failed && !app.ended()) tellBackupFailed(app);
                          });
}

}  // namespace app
