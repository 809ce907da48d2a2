#include "app/day_on_screen.h"

#include <chrono>
#include <new>
#include <utility>

#include "base/cp1250.h"
#include "rtf/pieces.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace app {
namespace {

// Wine's RichEdit reader crashes on rich text nested 32 groups deep, and on
// a name in the font table or style sheet, or a control word with its
// number, longer than its buffer of about 1 KB; the control's own files nest
// three or four groups and hold short names. Anything beyond these is read
// by the diary's own reader and handed over as its writer writes it: flat,
// with names of at most 31 characters.
constexpr int kControlDepth = 24;
constexpr size_t kControlToken = 255;

bool controlCanRead(std::string_view rtf) {
  const rtf::Extent e = rtf::measure(rtf);
  return e.depth <= kControlDepth && e.longestWord <= kControlToken && e.longestName <= kControlToken;
}

// A day's rich text longer than this arrives in pieces of about this size,
// the first a screen or two: under Wine the control takes a piece of 16 KB
// in a few hundredths of a second, so typing meanwhile stays quick.
constexpr size_t kArriveInPiecesAbove = 256 * 1024;
constexpr size_t kPieceBytes = 16 * 1024;
constexpr size_t kFirstPieceBytes = 8 * 1024;
constexpr int kPieceMs = 1;
// The first piece after the rest waits this long: the window paints and
// answers first.
constexpr int kFirstPieceAfterMs = 50;
constexpr int kPieceBudgetMs = 30;

constexpr char16_t kCaption[] = u"Pisarion";

constexpr char16_t kSaveFailed[] =
    u"Današnjega zapisa ni bilo mogoče shraniti. Besedilo ostaja v urejevalniku; preverite, ali je na disku "
    u"dovolj prostora in ali je v mapo Podatki mogoče pisati.";
constexpr char16_t kUnreadable[] =
    u"Zapisa ni bilo mogoče prebrati: morda ga ima odprtega drug program ali ga ni dovoljeno brati. Dan je "
    u"prikazan samo za branje in se ne bo shranil, da se zapis ne izgubi. Ko bo spet dosegljiv, ga izberite znova.";
constexpr char16_t kKeptAside[] =
    u"Današnji zapis je medtem, ko je bil dnevnik odprt, na disku spremenil drug program (na primer orodje, ki "
    u"usklajuje mape med računalniki, ali obnova iz varnostne kopije). Nič ni izgubljeno: zapis zdaj hrani "
    u"besedilo, ki ga pišete tukaj, različica z diska pa je shranjena poleg njega v datoteki:\n";
constexpr char16_t kKeptAsideEnd[] =
    u"\n\nDnevnik je ne prikazuje med dnevi. Tako bo shranjena vsaka nadaljnja različica z diska, brez novega "
    u"sporočila.";
constexpr char16_t kTooLarge[] =
    u"Zapisa ni bilo mogoče prikazati, ker zanj ni dovolj pomnilnika. Dan je prikazan samo za branje in se ne bo "
    u"shranil, da se zapis ne izgubi. Datoteka ostaja nespremenjena.";
constexpr char16_t kIncomplete[] =
    u"Zapisa ni bilo mogoče v celoti naložiti v urejevalnik, zato je prikazan samo za branje in se ne bo shranil. "
    u"Datoteka ostaja nespremenjena.";
constexpr char16_t kDamaged[] =
    u"Zapis je poškodovan, zato je prikazan kot golo besedilo, samo za branje. Datoteka ostaja nespremenjena.";

std::u16string pathText(const std::filesystem::path& p) {
  const std::u8string u8 = p.u8string();
  return base::utf8ToUtf16(std::string(u8.begin(), u8.end()));
}

}  // namespace

DayOnScreen::DayOnScreen(gui::Form& form, store::DiaryStore& store, std::filesystem::path rescueFolder,
                         std::function<std::string()> todayKey)
    : m_form(form), m_store(store), m_rescueFolder(std::move(rescueFolder)), m_todayKey(std::move(todayKey)),
      m_autosave(form.addTimer("tmrShrani", kAutosaveMs, gui::TimerStart::Stopped)),
      m_arrival(form.addTimer("tmrPrihod", kPieceMs, gui::TimerStart::Stopped)) {
  m_arrival.onTimer = [this] { arriveOnePiece(); };
  m_autosave.onTimer = [this] {
    m_autosave.setEnabled(false);
    autosave();
    // A failed save keeps trying, quietly, at the same pace.
    if (writing() && m_editor->modified() && !m_closed) m_autosave.setEnabled(true);
  };
}

void DayOnScreen::attach(gui::Editor& editor) {
  m_editor = &editor;
  m_editor->onChange = [this] { typed(); };
}

// Every change starts the wait again, so the save comes once typing stops.
void DayOnScreen::typed() {
  if (!writing() || m_closed) return;
  m_autosave.setEnabled(false);
  m_autosave.setEnabled(true);
}

// ---- showing a day -----------------------------------------------------------------

void DayOnScreen::show(std::string key) {
  const std::string today = m_todayKey();
  if (key.empty()) key = today;
  // Reloading the entry being written would drop what was typed since the
  // last save: choosing it again keeps the editor as it is.
  if (writing() && key == m_writing && key == today) return;
  // Today's text is saved whole before another day is shown; a past day's
  // rest is no longer wanted.
  if (writing()) arriveWhole();
  stopArriving();
  if (writing() || m_unjoined) {
    // Today's text that could not be saved stays in the editor, still editable.
    if (std::exchange(m_switchRefused, false) || !save()) return;
  }
  setWritable(key == today ? key : std::string());
  m_shown = key;
  m_store.Rescan();
  store::EntryText entry;
  if (!load(key, entry)) return;
  m_toldAbout.clear();
  m_onDisk = entry.rtf;
  // Today's entry is written on: the caret waits after its last word. A long
  // day still arriving keeps it at the start, so nothing typed meanwhile lands
  // between two of its pieces, and goes to the end once the day is all in.
  if (writing() && !arriving()) m_editor->setSelection(static_cast<int>(m_editor->text().size()), 0);
}

// The day's entry into the editor: false when it cannot be shown as it was
// written (the user is told and the day stays read-only).
bool DayOnScreen::load(const std::string& key, store::EntryText& entry) {
  Shown shown = Shown::AsWritten;
  try {
    entry = m_store.Load(key);
    switch (entry.state) {
      case store::EntryState::Missing: m_editor->setText(u""); break;
      case store::EntryState::Read: shown = putIntoEditor(entry.rtf); break;
      case store::EntryState::Unreadable:
        m_editor->setText(u"");
        setWritable({});
        tellAbout(key, kUnreadable);
        return false;
    }
  } catch (const std::bad_alloc&) {
    // A day larger than the memory there is: shown empty, read-only, never saved over.
    entry = {};
    m_editor->setText(u"");
    setWritable({});
    tellAbout(key, kTooLarge);
    return false;
  }
  if (shown == Shown::AsPlainText) {
    setWritable({});
    tellAbout(key, kDamaged);
    return false;
  }
  return true;
}

// Start-up shows today twice; a day that still cannot be shown is told once.
void DayOnScreen::tellAbout(const std::string& key, std::u16string_view text) {
  if (std::exchange(m_toldAbout, key) != key) tell(text);
}

void DayOnScreen::setWritable(const std::string& key) {
  m_writing = key;
  if (!key.empty()) m_opened = key;
  m_autosave.setEnabled(false);
  m_editor->setLocked(key.empty());
  if (onWritableChanged) onWritableChanged(!key.empty());
}

// The entry's rich text into the editor, checked first: the control is never
// handed what could bring it down.
DayOnScreen::Shown DayOnScreen::putIntoEditor(const std::string& rtf) {
  // A file that is not rich text is shown as the plain text it is.
  if (!rtf::isRtf(rtf)) {
    m_editor->setText(base::cp1250ToUtf16(rtf));
    return Shown::AsWritten;
  }
  Shown shown = Shown::AsWritten;
  std::string flat;
  std::string_view document = rtf;
  if (!controlCanRead(rtf)) {
    flat = rtf::writeRtf(rtf::readRtf(rtf));
    document = flat;
    shown = Shown::Flattened;
  }
  if (document.size() > kArriveInPiecesAbove) m_pieces = rtf::Pieces(std::string(document), kPieceBytes, kFirstPieceBytes);
  if (m_pieces.size() < 2) m_pieces = {};  // not to be cut: it comes in whole
  const std::string first = m_pieces.size() ? m_pieces.piece(0) : std::string();
  if (m_editor->setRichText(m_pieces.size() ? std::string_view(first) : document)) {
    m_next = 1;
    if (arriving()) {
      m_arrival.setInterval(kFirstPieceAfterMs);
      m_arrival.setEnabled(true);
    }
    return shown;
  }
  m_pieces = {};
  m_editor->setText(base::cp1250ToUtf16(rtf));
  return Shown::AsPlainText;
}

// Pieces for a few hundredths of a second a tick: the input that waits
// comes first, between ticks.
void DayOnScreen::arriveOnePiece() {
  m_arrival.setInterval(kPieceMs);
  const auto start = std::chrono::steady_clock::now();
  do {
    if (!appendNextPiece()) return;
  } while (arriving() && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(kPieceBudgetMs));
  if (arriving()) return;
  stopArriving();
  if (!writing()) return;
  // What was typed while the day arrived is saved as after any typing.
  if (m_editor->modified()) m_autosave.setEnabled(true);
  // The whole day is in: a caret the user left where it waited goes after
  // the last word, as for a short day; one the user placed stays.
  else if (m_editor->selection() == std::pair{0, 0})
    m_editor->setSelection(static_cast<int>(m_editor->text().size()), 0);
}

// What must see the whole day takes the rest in one document: under Wine
// every piece added to the end of a long text costs more than the one
// before it (the close of a 50 MB day waited minutes for them one by one).
void DayOnScreen::arriveWhole() {
  if (!arriving()) return;
  if (!appendRest()) return;
  stopArriving();
}

bool DayOnScreen::appendNextPiece() { return appended(m_editor->appendRichText(m_pieces.piece(m_next++))); }

bool DayOnScreen::appendRest() {
  const bool read = m_editor->appendRichText(m_pieces.rest(m_next));
  m_next = m_pieces.size();
  return appended(read);
}

// A piece the editor refused leaves the day incomplete in it: from then on
// it is read-only and never saved, so the file keeps the whole day.
bool DayOnScreen::appended(bool read) {
  if (read) return true;
  stopArriving();
  setWritable({});
  tellAbout(m_shown, kIncomplete);
  return false;
}

void DayOnScreen::stopArriving() {
  m_arrival.setEnabled(false);
  m_pieces = {};
  m_next = 0;
}

// ---- saving -------------------------------------------------------------------------

bool DayOnScreen::write() {
  if (m_unjoined && !m_closed) return false;
  if (!writing() || m_closed || !m_editor->modified()) return true;
  // Only the whole day is ever saved. A rest the editor refused leaves the
  // day incomplete there: what was typed cannot be joined to it, so the
  // save fails as any other (the close offers the rescue copy) and the file
  // keeps the whole day.
  arriveWhole();
  if (!writing()) m_unjoined = true;
  if (m_unjoined) return false;
  const std::optional<std::string> rtf = m_editor->richText();
  if (!rtf) return false;
  store::Saved saved{true, {}};
  // Typing that came back to the text on the disk changes nothing there.
  if (*rtf != m_onDisk) saved = m_store.Save(m_writing, *rtf);
  if (saved) {
    m_onDisk = *rtf;
    m_editor->setModified(false);
    m_autosave.setEnabled(false);
    m_autosaveTold = false;
  }
  // Told once the save is done, so that nothing said in the meantime finds it half made.
  if (!saved.keptAside.empty()) tellKeptAside(saved.keptAside);
  return saved.ok;
}

bool DayOnScreen::save() {
  if (write()) return true;
  tellSaveFailed();
  return false;
}

void DayOnScreen::saveBeforeSwitch() { m_switchRefused = !save(); }

void DayOnScreen::autosave() {
  // The rest of a long day is still coming: the save follows its arrival.
  if (arriving()) return;
  if (m_telling || write() || std::exchange(m_autosaveTold, true)) return;
  tellSaveFailed();
}

void DayOnScreen::tell(std::u16string_view text) {
  m_telling = true;
  m_form.platform().messageBox(text, kCaption, gui::MessageIcon::Exclamation);
  m_telling = false;
}

void DayOnScreen::tellSaveFailed() { tell(kSaveFailed); }

// Told the first time only: a folder another computer keeps writing into
// would otherwise ask for the user's attention at every autosave.
void DayOnScreen::tellKeptAside(const std::filesystem::path& kept) {
  if (std::exchange(m_keptAsideTold, true)) return;
  tell(std::u16string(kKeptAside) + pathText(kept) + kKeptAsideEnd);
}

// ---- the close ----------------------------------------------------------------------

std::filesystem::path DayOnScreen::rescueFile() const {
  // The day opened for writing: the same as the one being written, unless
  // its rest could not be taken in and it turned read-only meanwhile.
  const std::u8string name = u8"Podatki rešeno " + std::u8string(m_opened.begin(), m_opened.end());
  return m_rescueFolder / std::filesystem::path(name);
}

bool DayOnScreen::close() {
  if (m_closed) return true;
  if (!write() && !askCloseAnyway()) return false;
  m_closed = true;
  m_unjoined = false;
  m_autosave.setEnabled(false);
  return true;
}

// The user may go without today's text only after being told where it was
// put, or that it could not be put anywhere.
bool DayOnScreen::askCloseAnyway() {
  const std::u16string where = pathText(rescueFile());
  m_telling = true;
  gui::Platform& platform = m_form.platform();
  bool yes = platform.askYesNo(std::u16string(kSaveFailed) +
                                   u"\r\n\r\nAli naj dnevnik vseeno zaprem? Današnje besedilo bom prej shranil v "
                                   u"datoteko »" + where + u"«, od koder ga boste lahko prenesli nazaj.",
                               kCaption, gui::MessageIcon::Exclamation, gui::DefaultAnswer::No);
  if (yes) {
    const std::optional<std::string> rtf = m_editor->richText();
    if (!rtf || !m_store.SaveCopy(rescueFile(), m_opened, *rtf))
      yes = platform.askYesNo(u"Tudi v datoteko »" + where +
                                  u"« besedila ni bilo mogoče shraniti. Če dnevnik zaprete, se današnje besedilo "
                                  u"izgubi. Ali naj ga vseeno zaprem?",
                              kCaption, gui::MessageIcon::Exclamation, gui::DefaultAnswer::No);
  }
  m_telling = false;
  return yes;
}

}  // namespace app
