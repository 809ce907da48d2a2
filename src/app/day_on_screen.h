#pragma once
// The day on screen: which day the editor shows, which day's entry it is
// writing, whether that text changed, and every save of it — before another
// day is shown, a few seconds after typing stops, when the diary is put
// away, and at the close. The main window asks it; the rules live here.
//
// Rules, in short:
// - Only today's entry is written, and only when the editor's text changed
//   since it was loaded or last saved: a day only looked at stays on the disk
//   byte for byte.
// - An entry that exists but cannot be read, that the editor cannot show as
//   rich text, or that is too large for the memory there is, is shown
//   read-only with a message and never saved; choosing the day again tries
//   again.
// - Text that could not be saved stays in the editor; showing another day
//   waits until it is saved, and the close asks before letting it go (a
//   rescue copy is written first when the user agrees).
// - An entry another program changed on disk while it was open is not
//   written over: the store keeps that version beside it, and the user is
//   told the first time.
// - A long day shows its first screen at once and the rest arrives in
//   pieces, one a timer tick, while the user reads and writes. Nothing is
//   saved until the whole day is in: an autosave waits for it, and a close
//   or the choice of another day takes the rest in at once first.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/editor.h"
#include "gui/form.h"
#include "rtf/pieces.h"
#include "store/entries.h"

namespace app {

class DayOnScreen {
 public:
  // `rescueFolder` receives the rescue copy ("Podatki rešeno <key>") when the
  // close goes on without a save; `todayKey` is asked each time it matters.
  DayOnScreen(gui::Form& form, store::DiaryStore& store, std::filesystem::path rescueFolder,
              std::function<std::string()> todayKey);

  // The editor whose text this is; called once it exists.
  void attach(gui::Editor& editor);

  // Whether the editor is open for writing: the main window shows or hides
  // the formatting buttons to match. Raised before a day's text is loaded
  // and again when the load turns a day read-only.
  std::function<void(bool writable)> onWritableChanged;

  const std::string& shownKey() const { return m_shown; }
  // The entry being written (the day it was when today's entry was shown:
  // past midnight it stays the old day); empty when the editor is read-only.
  const std::string& writingKey() const { return m_writing; }
  bool writing() const { return !m_writing.empty(); }
  // The day whose entry was last opened for writing; it stays while other
  // days are shown (empty until today's entry has been shown once).
  const std::string& openedKey() const { return m_opened; }

  // Shows a day (empty key: today). The entry being written is saved first
  // when it changed; if that fails the editor keeps it and nothing changes.
  // Choosing the entry being written again keeps the editor as it is.
  void show(std::string key);
  // The day list is about to move away from its row: the changed text is
  // saved now; a failure is told here and show() that follows keeps the text.
  void saveBeforeSwitch();
  // Saves the changed text now, telling the user when it fails.
  bool save();
  // Saves the changed text without a word unless it is the first failure
  // since the last success; called by the timer after typing stops, and when
  // the diary is minimised, folded or loses the focus.
  void autosave();
  // The diary is closing: answers whether it may end. A failed save asks
  // whether to close anyway (default no); on yes a rescue copy is written.
  // After a yes nothing more is saved.
  bool close();
  bool closed() const { return m_closed; }
  // The close was called off after all (the settings could not be written
  // and the user stays): saving goes on as before.
  void reopen() { m_closed = false; }

  std::filesystem::path rescueFile() const;

  // After typing stops, the changed text is saved this much later.
  static constexpr int kAutosaveMs = 5000;
  // Whether part of the day shown is still to come into the editor.
  bool arriving() const { return m_next < m_pieces.size(); }
  // The rest of a long day into the editor now, for what must see all of it.
  void takeInTheRest() {
    if (arriving()) arriveWhole();
  }

 private:
  enum class Shown { AsWritten, Flattened, AsPlainText };
  Shown putIntoEditor(const std::string& rtf);
  bool load(const std::string& key, store::EntryText& entry);
  void setWritable(const std::string& key);
  // Writes the changed text into its entry; true when nothing was left unsaved.
  bool write();
  void tell(std::u16string_view text);
  void tellSaveFailed();
  void tellKeptAside(const std::filesystem::path& kept);
  void tellAbout(const std::string& key, std::u16string_view text);
  bool askCloseAnyway();
  void typed();
  // The next pieces of a long day into the editor, for a tick; all that is
  // left of it, as one document.
  void arriveOnePiece();
  void arriveWhole();
  bool appendNextPiece();
  bool appendRest();
  bool appended(bool read);
  void stopArriving();

  gui::Form& m_form;
  store::DiaryStore& m_store;
  std::filesystem::path m_rescueFolder;
  std::function<std::string()> m_todayKey;
  gui::Editor* m_editor = nullptr;
  gui::Timer& m_autosave;
  gui::Timer& m_arrival;
  rtf::Pieces m_pieces;  // a long day's rich text, cut; piece 0 is in the editor
  size_t m_next = 0;     // the next piece to come in

  std::string m_shown;
  std::string m_writing;
  std::string m_opened;
  std::string m_onDisk;           // the rich text the entry being written holds
  std::string m_toldAbout;        // the day last told unreadable or damaged
  bool m_switchRefused = false;   // the save before a switch failed and was told
  bool m_autosaveTold = false;    // an autosave failure was told since the last success
  bool m_keptAsideTold = false;   // a version from the disk was kept aside and told
  bool m_telling = false;         // a message is up: the timer and focus changes wait
  bool m_closed = false;
  // Typed while a long day arrived whose rest the editor then refused: it
  // cannot be saved with the whole day, so it is never let go unasked.
  bool m_unjoined = false;
};

}  // namespace app
