// Index: streams (memory in and out) · window (the control made, its look and
//        notifications) · content · text · lock · character formats ·
//        paragraphs · selection
#include "platform/win32/rich_edit_win.h"

#include "platform/win32/accessible_win.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <string>
#include <utility>

#include <richole.h>
#include <tom.h>

#include "base/cp1250.h"
#include "platform/win32/system_libraries_win.h"
#include "rtf/reader.h"

namespace win32 {
namespace {

// The property that ties a control's window to its RichEditEditor.
constexpr wchar_t kEditorProp[] = L"Pisarion.RichEditEditor";
constexpr wchar_t kControlProcProp[] = L"Pisarion.RichEditProc";
constexpr UINT kUtf16CodePage = 1200;
// RichEdit limits typing to 32K characters unless told otherwise; a diary
// entry has no reason to stop there.
constexpr LPARAM kTextLimit = 64 * 1024 * 1024;
// Content longer than this (characters) is not emptied but left behind with
// its control (see renew()).
constexpr LRESULT kRenewAbove = 16 * 1024;
// The undo steps the control keeps, its own default.
constexpr WPARAM kUndoSteps = 100;
// RichEdit's own bounds for a character height, in points.
constexpr double kMinPoints = 1, kMaxPoints = 1638;

HMODULE loadRichEdit() {
  static HMODULE module = loadSystemLibrary(L"msftedit.dll");
  return module;
}

RichEditEditor* editorOf(HWND hwnd) {
  return hwnd ? static_cast<RichEditEditor*>(GetPropW(hwnd, kEditorProp)) : nullptr;
}

CHARFORMAT2W emptyCharFormat() {
  CHARFORMAT2W cf;
  std::memset(&cf, 0, sizeof cf);
  cf.cbSize = sizeof cf;
  return cf;
}

PARAFORMAT2 emptyParaFormat() {
  PARAFORMAT2 pf;
  std::memset(&pf, 0, sizeof pf);
  pf.cbSize = sizeof pf;
  return pf;
}

// ---- streams ------------------------------------------------------------

struct MemoryReader {
  const char* data;
  size_t size;
  size_t pos = 0;
};

DWORD CALLBACK readMemory(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* in = reinterpret_cast<MemoryReader*>(cookie);
  const size_t n = std::min(in->size - in->pos, static_cast<size_t>(std::max<LONG>(wanted, 0)));
  std::memcpy(buffer, in->data + in->pos, n);
  in->pos += n;
  *given = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK writeMemory(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
  auto* out = reinterpret_cast<std::string*>(cookie);
  if (size > 0) out->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
  *written = size;
  return 0;
}

// While alive the control sends no notifications, so that a content
// replacement raises onSelChange once, at its end, and not on every step.
class QuietEvents {
 public:
  explicit QuietEvents(HWND hwnd) : m_hwnd(hwnd), m_mask(SendMessageW(hwnd, EM_GETEVENTMASK, 0, 0)) {
    SendMessageW(m_hwnd, EM_SETEVENTMASK, 0, 0);
  }
  ~QuietEvents() { SendMessageW(m_hwnd, EM_SETEVENTMASK, 0, m_mask); }
  QuietEvents(const QuietEvents&) = delete;
  QuietEvents& operator=(const QuietEvents&) = delete;

 private:
  HWND m_hwnd;
  LRESULT m_mask;
};

// While alive the control neither draws nor keeps undo steps: a long
// document comes in at the cost of the text alone, and the window is drawn
// once at the end. A short one is not worth the redrawing that switching
// the drawing off and on again costs (the parent repaints too).
class Loading {
 public:
  Loading(HWND hwnd, size_t bytes) : m_hwnd(bytes > kLongBytes ? hwnd : nullptr) {
    if (!m_hwnd) return;
    SendMessageW(m_hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_hwnd, EM_SETUNDOLIMIT, 0, 0);
  }
  ~Loading() {
    if (!m_hwnd) return;
    SendMessageW(m_hwnd, EM_SETUNDOLIMIT, kUndoSteps, 0);
    SendMessageW(m_hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hwnd, nullptr, TRUE);
  }
  Loading(const Loading&) = delete;
  Loading& operator=(const Loading&) = delete;

 private:
  static constexpr size_t kLongBytes = 32 * 1024;
  HWND m_hwnd;
};

// The text object model's document interface of a RichEdit control, written
// out here rather than taken from an import library.
constexpr IID kIidTextDocument = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

// While alive the control records no undo steps and keeps the ones it has:
// what the program adds cannot be undone, what the user typed before still
// can. The text object model suspends the undo where the control offers it
// (Windows' own); elsewhere the undo limit is none for the while, which on
// Windows also drops the earlier steps (Wine's control keeps them, and
// answers the model's suspension as not implemented).
class UndoSuspended {
 public:
  explicit UndoSuspended(HWND hwnd) : m_hwnd(hwnd) {
    IRichEditOle* ole = nullptr;
    if (SendMessageW(hwnd, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) && ole) {
      void* document = nullptr;
      if (SUCCEEDED(ole->QueryInterface(kIidTextDocument, &document)) && document)
        m_document = static_cast<ITextDocument*>(document);
      ole->Release();
    }
    if (m_document && SUCCEEDED(m_document->Undo(tomSuspend, nullptr))) return;
    if (m_document) m_document->Release();
    m_document = nullptr;
    SendMessageW(m_hwnd, EM_SETUNDOLIMIT, 0, 0);
  }
  ~UndoSuspended() {
    if (m_document) {
      m_document->Undo(tomResume, nullptr);
      m_document->Release();
    } else {
      SendMessageW(m_hwnd, EM_SETUNDOLIMIT, kUndoSteps, 0);
    }
  }
  UndoSuspended(const UndoSuspended&) = delete;
  UndoSuspended& operator=(const UndoSuspended&) = delete;

 private:
  HWND m_hwnd;
  ITextDocument* m_document = nullptr;
};

// While alive a locked editor accepts the program's own changes; the user is
// shut out again at the end.
class Writable {
 public:
  explicit Writable(HWND hwnd) : m_hwnd(hwnd), m_wasReadOnly(GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) {
    if (m_wasReadOnly) SendMessageW(m_hwnd, EM_SETREADONLY, FALSE, 0);
  }
  ~Writable() {
    if (m_wasReadOnly) SendMessageW(m_hwnd, EM_SETREADONLY, TRUE, 0);
  }
  Writable(const Writable&) = delete;
  Writable& operator=(const Writable&) = delete;

 private:
  HWND m_hwnd;
  bool m_wasReadOnly;
};

}  // namespace

// ---- window ---------------------------------------------------------------

namespace {

// No border: the diary draws the editor's frame itself. ES_NOHIDESEL keeps
// the selection visible while the user works the size, colour and alignment
// menus, which take the focus away from the editor.
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                         ES_WANTRETURN | ES_NOHIDESEL;

HWND createControl(HWND parent, const RECT& rect, DWORD style) {
  HWND hwnd = CreateWindowExW(0, MSFTEDIT_CLASS, L"", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, EM_EXLIMITTEXT, 0, kTextLimit);
  SendMessageW(hwnd, EM_SETTARGETDEVICE, 0, 0);  // wrap lines at the window's width
  return hwnd;
}

}  // namespace

std::unique_ptr<RichEditEditor> RichEditEditor::create(HWND parent, const RECT& rect) {
  if (!loadRichEdit()) return nullptr;
  HWND hwnd = createControl(parent, rect, kStyle);
  if (!hwnd) return nullptr;
  std::unique_ptr<RichEditEditor> editor(new RichEditEditor(hwnd));
  editor->adopt(hwnd);
  editor->setFont(gui::FontSpec{});
  editor->send(EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_MOUSEEVENTS | ENM_CHANGE);
  return editor;
}

// Wine's control empties a long document paragraph by paragraph, at a cost
// that grows with the square of its length (seconds for a few hundred KB),
// while a new control is empty for nothing. Replacing a long content
// therefore starts over in a new window in the old one's place, with its
// style, default format, events, shape and focus.
void RichEditEditor::renew() {
  HWND parent = GetParent(m_hwnd);
  RECT r;
  GetWindowRect(m_hwnd, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  HWND fresh = createControl(parent, r, static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE)));
  if (!fresh) return;  // the old control empties itself, slowly
  CHARFORMAT2W cf = emptyCharFormat();
  send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageW(fresh, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageW(fresh, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  SendMessageW(fresh, EM_SETEVENTMASK, 0, send(EM_GETEVENTMASK));
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(m_hwnd, shape) != ERROR) SetWindowRgn(fresh, shape, FALSE);  // the window owns it now
  else DeleteObject(shape);
  SetWindowPos(fresh, m_hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const bool focused = GetFocus() == m_hwnd;
  HWND old = std::exchange(m_hwnd, fresh);
  adopt(m_hwnd);
  applyLook(m_look);
  RemovePropW(old, kEditorProp);
  if (focused) SetFocus(m_hwnd);
  DestroyWindow(old);
  if (onRenewed) onRenewed(m_hwnd);
}

RichEditEditor::RichEditEditor(HWND hwnd) : m_hwnd(hwnd) {}

void RichEditEditor::adopt(HWND hwnd) {
  SetPropW(hwnd, kEditorProp, this);
  // Subclassed by hand rather than with SetWindowSubclass, which would load
  // the common controls before the first paint.
  const LONG_PTR control = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc));
  SetPropW(hwnd, kControlProcProp, reinterpret_cast<HANDLE>(control));
}

// The control makes its caret again whenever it likes (taking the keys, a
// line of another height); a read-only page has it taken away after every
// message, so none ever blinks there.
LRESULT CALLBACK RichEditEditor::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto control = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kControlProcProp));
  if (msg == WM_GETOBJECT) {
    // The control's standard object, named by the day it shows.
    if (const RichEditEditor* editor = editorOf(hwnd))
      if (const LRESULT named = answerWithName(hwnd, wParam, lParam, editor->m_accessibleName)) return named;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control));
    RemovePropW(hwnd, kControlProcProp);
  }
  const LRESULT result = CallWindowProcW(control, hwnd, msg, wParam, lParam);
  const RichEditEditor* editor = editorOf(hwnd);
  if (msg != WM_NCDESTROY && editor && !editor->m_look.caret && GetFocus() == hwnd) DestroyCaret();
  return result;
}

void RichEditEditor::applyLook(const gui::EditLook& look) {
  const bool caretBack = look.caret && !m_look.caret;
  m_look = look;
  send(EM_SETBKGNDCOLOR, 0, look.background.colorref());
  if (GetFocus() != m_hwnd) return;
  if (!look.caret) {
    DestroyCaret();
  } else if (caretBack) {
    // The control makes its caret as it takes the keys.
    send(WM_KILLFOCUS);
    send(WM_SETFOCUS);
  }
}

RichEditEditor::~RichEditEditor() {
  // The parent may have taken the control with it already; a handle that
  // no longer carries our property is not ours to destroy.
  if (IsWindow(m_hwnd) && editorOf(m_hwnd) == this) {
    RemovePropW(m_hwnd, kEditorProp);
    DestroyWindow(m_hwnd);
  }
}

LRESULT RichEditEditor::send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(m_hwnd, msg, wParam, lParam);
}

bool RichEditEditor::handleNotify(const NMHDR* hdr, LRESULT* result) {
  RichEditEditor* editor = hdr ? editorOf(hdr->hwndFrom) : nullptr;
  if (!editor) return false;
  *result = 0;  // let the control go on with every message it reports
  switch (hdr->code) {
    case EN_SELCHANGE:
      if (editor->onSelChange) editor->onSelChange();
      return true;
    case EN_MSGFILTER: {
      // A click is the release of the left button over the editor.
      const auto* filter = reinterpret_cast<const MSGFILTER*>(hdr);
      if (filter->msg == WM_LBUTTONUP && editor->onClick) editor->onClick();
      if (filter->msg == WM_RBUTTONUP && editor->onContextMenu) editor->onContextMenu();
      return true;
    }
    default:
      return false;
  }
}

bool RichEditEditor::handleCommand(WPARAM wParam, LPARAM lParam) {
  RichEditEditor* editor = editorOf(reinterpret_cast<HWND>(lParam));
  if (!editor || HIWORD(wParam) != EN_CHANGE) return false;
  if (editor->onChange) editor->onChange();
  return true;
}

// ---- content ------------------------------------------------------------------

std::optional<std::string> RichEditEditor::richText() const {
  std::string out;
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, writeMemory};
  send(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
  if (es.dwError != 0) return std::nullopt;
  return out;
}

bool RichEditEditor::setRichText(std::string_view rtf) {
  const bool read = replaceAllWithRtf(rtf);
  if (onSelChange) onSelChange();
  return read;
}

bool RichEditEditor::appendRichText(std::string_view rtf) {
  QuietEvents quiet(m_hwnd);
  Writable writable(m_hwnd);
  const LRESULT wasModified = send(EM_GETMODIFY);
  CHARRANGE selection{};
  send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  POINT view{};
  send(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
  send(WM_SETREDRAW, FALSE);
  // Kept out of the undo steps: undoing a piece would take the day's text away.
  UndoSuspended noUndo(m_hwnd);
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, kUtf16CodePage};
  const auto end = static_cast<LONG>(send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length)));
  CHARRANGE atEnd{end, end};
  send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&atEnd));
  MemoryReader reader{rtf.data(), rtf.size()};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&reader), 0, readMemory};
  send(EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&es));
  send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  send(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&view));
  send(EM_SETMODIFY, wasModified ? TRUE : FALSE);
  send(WM_SETREDRAW, TRUE);
  InvalidateRect(m_hwnd, nullptr, FALSE);
  return es.dwError == 0;
}

bool RichEditEditor::modified() const { return send(EM_GETMODIFY) != 0; }

void RichEditEditor::setModified(bool modified) { send(EM_SETMODIFY, modified ? TRUE : FALSE); }

bool RichEditEditor::replaceAllWithRtf(std::string_view rtf) {
  if (send(WM_GETTEXTLENGTH) > kRenewAbove) renew();
  QuietEvents quiet(m_hwnd);
  Writable writable(m_hwnd);
  Loading loading(m_hwnd, rtf.size());
  MemoryReader reader{rtf.data(), rtf.size()};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&reader), 0, readMemory};
  send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  afterReplacingAll();
  // A document cut off before its closing braces still shows what it holds
  // (Wine's reader reports such an early end as an error, and keeps the text).
  return es.dwError == 0 || send(WM_GETTEXTLENGTH) != 0;
}

void RichEditEditor::replaceAllWithText(std::u16string_view text) {
  if (send(WM_GETTEXTLENGTH) > kRenewAbove) renew();
  QuietEvents quiet(m_hwnd);
  Writable writable(m_hwnd);
  Loading loading(m_hwnd, text.size() * sizeof(char16_t));
  // Streamed rather than set with WM_SETTEXT, which may read a text that
  // happens to begin with "{\rtf" as a document.
  MemoryReader reader{reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&reader), 0, readMemory};
  send(EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&es));

  // Plain text wears the default format from end to end, left aligned,
  // whatever the previous content's last paragraph looked like.
  CHARFORMAT2W cf = emptyCharFormat();
  send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  CHARRANGE all{0, -1};
  send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  PARAFORMAT2 pf = emptyParaFormat();
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = PFA_LEFT;
  send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  afterReplacingAll();
}

void RichEditEditor::afterReplacingAll() {
  CHARRANGE start{0, 0};
  send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  send(EM_EMPTYUNDOBUFFER);
  send(EM_SETMODIFY, FALSE);
  send(EM_SCROLLCARET);
}

// ---- text -------------------------------------------------------------------

std::u16string RichEditEditor::text() const {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, kUtf16CodePage};
  const LRESULT n = send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (n <= 0) return {};
  std::u16string text(static_cast<size_t>(n) + 1, u'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(text.size() * sizeof(char16_t));
  get.flags = GT_DEFAULT;  // paragraphs end in a lone '\r'
  get.codepage = kUtf16CodePage;
  const LRESULT got = send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
  return text;
}

void RichEditEditor::setText(std::u16string_view text) {
  replaceAllWithText(text);
  if (onSelChange) onSelChange();
}

// ---- lock -------------------------------------------------------------------

bool RichEditEditor::Locked() const { return (GetWindowLongW(m_hwnd, GWL_STYLE) & ES_READONLY) != 0; }

void RichEditEditor::setLocked(bool locked) { send(EM_SETREADONLY, locked ? TRUE : FALSE); }

// ---- character formats ------------------------------------------------------

CHARFORMAT2W RichEditEditor::selectionFormat() const {
  CHARFORMAT2W cf = emptyCharFormat();
  send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf;
}

// A mask bit the control leaves clear means the selection mixes values.
gui::Tri RichEditEditor::effect(DWORD mask, DWORD effect) const {
  const CHARFORMAT2W cf = selectionFormat();
  if (!(cf.dwMask & mask)) return gui::Tri::Undetermined;
  return (cf.dwEffects & effect) ? gui::Tri::True : gui::Tri::False;
}

// Formatting is a user's edit: a locked editor refuses it, as it refuses
// typing (RichEdit itself would apply it to a read-only control).
void RichEditEditor::applyToSelection(CHARFORMAT2W& cf) {
  if (Locked()) return;
  send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  formatChanged();
}

// Not every RichEdit counts a format as a change of the text; the diary's
// saving must, so the flag is set and the change reported here.
void RichEditEditor::formatChanged() {
  send(EM_SETMODIFY, TRUE);
  if (onChange) onChange();
}

gui::Tri RichEditEditor::SelBold() const { return effect(CFM_BOLD, CFE_BOLD); }
gui::Tri RichEditEditor::SelItalic() const { return effect(CFM_ITALIC, CFE_ITALIC); }
gui::Tri RichEditEditor::SelUnderline() const { return effect(CFM_UNDERLINE, CFE_UNDERLINE); }

void RichEditEditor::setSelBold(bool on) {
  CHARFORMAT2W cf = emptyCharFormat();
  cf.dwMask = CFM_BOLD;
  cf.dwEffects = on ? CFE_BOLD : 0;
  applyToSelection(cf);
}

void RichEditEditor::setSelItalic(bool on) {
  CHARFORMAT2W cf = emptyCharFormat();
  cf.dwMask = CFM_ITALIC;
  cf.dwEffects = on ? CFE_ITALIC : 0;
  applyToSelection(cf);
}

void RichEditEditor::setSelUnderline(bool on) {
  CHARFORMAT2W cf = emptyCharFormat();
  cf.dwMask = CFM_UNDERLINE;
  cf.dwEffects = on ? CFE_UNDERLINE : 0;
  applyToSelection(cf);
}

std::optional<base::Color> RichEditEditor::SelColor() const {
  const CHARFORMAT2W cf = selectionFormat();
  if (!(cf.dwMask & CFM_COLOR)) return std::nullopt;
  // Text that never had a colour of its own is drawn in the window text colour.
  const COLORREF c = (cf.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor;
  return base::Color::fromColorref(c);
}

void RichEditEditor::setSelColor(base::Color color) {
  CHARFORMAT2W cf = emptyCharFormat();
  cf.dwMask = CFM_COLOR;
  cf.dwEffects = 0;  // clears CFE_AUTOCOLOR
  cf.crTextColor = color.colorref();
  applyToSelection(cf);
}

std::optional<double> RichEditEditor::SelFontSize() const {
  const CHARFORMAT2W cf = selectionFormat();
  if (!(cf.dwMask & CFM_SIZE)) return std::nullopt;
  return cf.yHeight / 20.0;  // twips to points
}

void RichEditEditor::setSelFontSize(double points) {
  if (!std::isfinite(points) || points <= 0) return;
  CHARFORMAT2W cf = emptyCharFormat();
  cf.dwMask = CFM_SIZE;
  cf.yHeight = static_cast<LONG>(std::lround(std::clamp(points, kMinPoints, kMaxPoints) * 20));
  applyToSelection(cf);
}

void RichEditEditor::setFont(const gui::FontSpec& font) {
  CHARFORMAT2W cf = emptyCharFormat();
  cf.dwMask = CFM_FACE | CFM_CHARSET | CFM_SIZE | CFM_BOLD;
  const std::wstring face = base::toWide(font.name);
  wcsncpy(cf.szFaceName, face.c_str(), LF_FACESIZE - 1);
  cf.bCharSet = static_cast<BYTE>(font.charset);
  const double points = std::isfinite(font.size) && font.size > 0 ? font.size : 9;
  cf.yHeight = static_cast<LONG>(std::lround(std::clamp(points, kMinPoints, kMaxPoints) * 20));
  cf.dwEffects = font.bold ? CFE_BOLD : 0;
  send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  // An empty editor's only paragraph mark decides how typing starts.
  if (send(WM_GETTEXTLENGTH) == 0) send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

// ---- paragraphs ------------------------------------------------------------

std::optional<base::Alignment> RichEditEditor::SelAlignment() const {
  PARAFORMAT2 pf = emptyParaFormat();
  send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  if (!(pf.dwMask & PFM_ALIGNMENT)) return std::nullopt;
  switch (pf.wAlignment) {
    case PFA_RIGHT:
      return base::Alignment::Right;
    case PFA_CENTER:
      return base::Alignment::Center;
    default:  // left, and justified text the diary cannot set
      return base::Alignment::Left;
  }
}

void RichEditEditor::setSelAlignment(base::Alignment alignment) {
  if (Locked() || !base::isAlignment(alignment)) return;
  PARAFORMAT2 pf = emptyParaFormat();
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = alignment == base::Alignment::Right    ? PFA_RIGHT
                  : alignment == base::Alignment::Center ? PFA_CENTER
                                                         : PFA_LEFT;
  send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  formatChanged();
}

// ---- selection -------------------------------------------------------------

void RichEditEditor::setSelection(int start, int length) {
  if (length < 0) {
    start += length;
    length = -length;
  }
  start = std::max(start, 0);
  // The control clamps the end to the text; -1 would mean "everything".
  CHARRANGE range{start, static_cast<LONG>(std::min<long long>(static_cast<long long>(start) + length, LONG_MAX))};
  send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  send(EM_SCROLLCARET);  // a selection the program makes is brought into view
}

std::pair<int, int> RichEditEditor::selection() const {
  CHARRANGE range{0, 0};
  send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return {range.cpMin, range.cpMax - range.cpMin};
}

void RichEditEditor::replaceSelection(std::u16string_view text) {
  if (Locked()) return;
  if (rtf::isRtf(base::utf16ToUtf8(text.substr(0, 5)))) {
    // RichEdit may take a text that begins like a document for one (Wine's
    // EM_REPLACESEL does not); streamed in, it stays the characters it is.
    MemoryReader reader{reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&reader), 0, readMemory};
    send(EM_STREAMIN, SF_TEXT | SF_UNICODE | SFF_SELECTION, reinterpret_cast<LPARAM>(&es));
    return;
  }
  const std::wstring wide = base::toWide(text);
  send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace win32
