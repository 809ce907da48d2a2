// The real diary as a screen reader reads it, through the system's own
// accessibility API from this process: the lock screen's password field,
// then the main window's controls with their roles, names, states and
// values, the editor's name, and the focus told as the keyboard moves.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "base/date.h"
#include "e2e_support.h"

using namespace e2e;

namespace {

// IAccessible's identifier, written out: the import library's is not it.
const IID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

VARIANT self() {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

std::wstring text(IAccessible* a, HRESULT (IAccessible::*get)(VARIANT, BSTR*)) {
  BSTR s = nullptr;
  std::wstring out;
  if ((a->*get)(self(), &s) == S_OK && s) out = s;
  if (s) SysFreeString(s);
  return out;
}
LONG number(IAccessible* a, HRESULT (IAccessible::*get)(VARIANT, VARIANT*)) {
  VARIANT v;
  v.vt = VT_EMPTY;
  return (a->*get)(self(), &v) == S_OK && v.vt == VT_I4 ? v.lVal : -1;
}

struct Heard {
  std::wstring name, value;
  LONG role = 0, state = 0;
};

// Every node under `a`, depth first, as the reader meets them.
void walk(IAccessible* a, std::vector<Heard>& out) {
  out.push_back({text(a, &IAccessible::get_accName), text(a, &IAccessible::get_accValue),
                 number(a, &IAccessible::get_accRole), number(a, &IAccessible::get_accState)});
  LONG count = 0;
  if (FAILED(a->get_accChildCount(&count))) return;
  for (LONG i = 1; i <= count; ++i) {
    VARIANT id;
    id.vt = VT_I4;
    id.lVal = i;
    IDispatch* child = nullptr;
    if (a->get_accChild(id, &child) != S_OK || !child) continue;
    IAccessible* c = nullptr;
    if (SUCCEEDED(child->QueryInterface(kIAccessible, reinterpret_cast<void**>(&c))) && c) {
      walk(c, out);
      c->Release();
    }
    child->Release();
  }
}

std::vector<Heard> read(HWND window) {
  std::vector<Heard> all;
  IAccessible* root = nullptr;
  if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&root))) &&
      root) {
    walk(root, all);
    root->Release();
  }
  return all;
}

const Heard* find(const std::vector<Heard>& all, const std::wstring& name) {
  for (const Heard& h : all)
    if (h.name == name) return &h;
  return nullptr;
}

// The focus events this process's hook received from the diary's windows.
struct FocusEvent {
  HWND hwnd;
  LONG object, child;
};
std::vector<FocusEvent> g_focus;
void CALLBACK onFocus(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  g_focus.push_back({hwnd, object, child});
}

std::wstring wide(const std::string& s) { return {s.begin(), s.end()}; }

// Whether one of the diary's focus events named a node of that name.
bool told(HWND window, const std::wstring& name) {
  for (const FocusEvent& e : g_focus) {
    IAccessible* about = nullptr;
    VARIANT child;
    if (e.hwnd != window || FAILED(AccessibleObjectFromEvent(e.hwnd, e.object, e.child, &about, &child)) || !about)
      continue;
    BSTR got = nullptr;
    const bool same = about->get_accName(child, &got) == S_OK && got && name == got;
    if (got) SysFreeString(got);
    about->Release();
    if (same) return true;
  }
  return false;
}


}  // namespace

TEST(AccessibilityEndToEnd, AReaderNamesEveryControlAndHearsTheFocusMove) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Diary diary;
  const std::string today = todayKey();
  const bool first = base::keyDay(today) == "01";
  diary.writeEntry(base::keyMonth(today) + (first ? "-02-" : "-01-") + base::keyYear(today),
                   "{\\rtf1\\ansi drugi dan\\par\r\n}\r\n");
  diary.writeSettings({3000, 4500, false, u"geslo"});
  ASSERT_TRUE(diary.start());
  HWND login = diary.waitForWindow("frmGeslo");
  ASSERT_NE(login, nullptr);
  settle();
  {
    const std::vector<Heard> heard = read(login);
    const Heard* field = find(heard, L"Geslo");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->role, ROLE_SYSTEM_TEXT);
    EXPECT_TRUE(field->state & STATE_SYSTEM_PROTECTED);
    EXPECT_TRUE(field->state & STATE_SYSTEM_FOCUSED);
    typeText(L"ges");
    settle();
    EXPECT_EQ(find(read(login), L"Geslo")->value, L"");  // a password is never read out
    typeText(L"lo");
    pressKey(VK_RETURN);
  }
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  settle(1000);

  const std::vector<Heard> heard = read(main);
  ASSERT_FALSE(heard.empty());
  const struct {
    const wchar_t* name;
    LONG role;
  } controls[] = {{L"Krepko", ROLE_SYSTEM_PUSHBUTTON},
                  {L"Ležeče", ROLE_SYSTEM_PUSHBUTTON},
                  {L"Nastavi Postavitev Pisave...", ROLE_SYSTEM_BUTTONMENU},
                  {L"Barva pisave", ROLE_SYSTEM_BUTTONMENU},
                  {L"Velikost pisave", ROLE_SYSTEM_BUTTONMENU},
                  {L"Zapis za danes", ROLE_SYSTEM_TEXT},
                  {L"Leto", ROLE_SYSTEM_COMBOBOX},
                  {L"Mesec", ROLE_SYSTEM_COMBOBOX},
                  {L"Dnevi", ROLE_SYSTEM_LIST},
                  {L"Zloži Dnevnik (In Prikaži Na Vrhu) (Ctrl+M)", ROLE_SYSTEM_PUSHBUTTON},
                  {L"Zapri in Shrani Dnevnik (Ctrl+W)", ROLE_SYSTEM_PUSHBUTTON}};
  for (const auto& c : controls) {
    const Heard* h = find(heard, c.name);
    ASSERT_NE(h, nullptr) << std::string(c.name, c.name + wcslen(c.name));
    EXPECT_EQ(h->role, c.role);
  }
  EXPECT_EQ(find(heard, L"Leto")->value, wide(base::keyYear(today)));
  EXPECT_TRUE(find(heard, L"Zapis za danes")->state & STATE_SYSTEM_FOCUSED);
  int rows = 0;
  const Heard* chosen = nullptr;
  for (const Heard& h : heard)
    if (h.role == ROLE_SYSTEM_LISTITEM) {
      ++rows;
      if (h.state & STATE_SYSTEM_SELECTED) chosen = &h;
    }
  EXPECT_EQ(rows, 2);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->name.rfind(L"Danes (", 0), 0u);

  // The editor is the system's own; its name says which day it shows.
  IAccessible* editor = nullptr;
  ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(diary.editor(), OBJID_CLIENT, kIAccessible,
                                                   reinterpret_cast<void**>(&editor))));
  EXPECT_EQ(text(editor, &IAccessible::get_accName), L"Zapis za danes");
  editor->Release();

  // Tab takes the keys to the day list: the reader is told of today's row.
  DWORD process = 0;
  GetWindowThreadProcessId(main, &process);
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, onFocus, process, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  g_focus.clear();
  pressKey(VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return told(main, chosen->name); }, 5000));
  UnhookWinEvent(hook);

  // Bold turned on in today's text: the toggle reads as pressed.
  click(main, {200, 300});
  pressCtrlKey('B');
  typeText(L"x");
  EXPECT_TRUE(waitUntil([&] {
    const Heard* bold = find(read(main), L"Krepko");
    return bold && (bold->state & STATE_SYSTEM_PRESSED);
  }));
  closeDiary(diary);
  CoUninitialize();
}

// Tab onto the toolbar, Right to the alignment button, Enter opens its menu,
// Down, Enter centres today's text: the reader hears the focus go from button
// to button and item to item, the item in use is checked, the ring shows on
// the button and the entry is saved centred.
TEST(AccessibilityEndToEnd, TheToolbarAndItsMenuByKeys) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Diary diary;
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  settle(1000);
  ASSERT_FALSE(read(main).empty());  // a reader is listening from now on
  click(main, {100, 120});
  typeText(L"sredina");
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"sredina"; }));
  DWORD process = 0;
  GetWindowThreadProcessId(main, &process);
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, onFocus, process, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  g_focus.clear();
  const struct {
    WORD key;
    int times;
    const wchar_t* focus;
  } walk[] = {{VK_TAB, 5, L"Spremeni Geslo... (Ctrl+G)"},  // past the day list, the boxes, the caption
              {VK_RIGHT, 4, L"Nastavi Postavitev Pisave..."},
              {VK_RETURN, 1, L"Poravnaj Levo (Ctrl+L)"},
              {VK_DOWN, 1, L"Poravnaj Na Sredino (Ctrl+Shift+E)"}};
  for (const auto& w : walk) {
    for (int i = 0; i < w.times; ++i) pressKey(w.key);
    EXPECT_TRUE(waitUntil([&] { return told(main, w.focus); }, 5000)) << std::string(w.focus, w.focus + wcslen(w.focus));
  }
  const Heard* levo = find(read(main), L"Poravnaj Levo (Ctrl+L)");
  ASSERT_NE(levo, nullptr);
  EXPECT_TRUE(levo->state & STATE_SYSTEM_CHECKED);
  pressKey(VK_RETURN);
  // The menu closed with the keys on its button, the ring inside its edge.
  EXPECT_TRUE(waitUntil([&] {
    const Heard* button = find(read(main), L"Nastavi Postavitev Pisave...");
    return button && (button->state & STATE_SYSTEM_FOCUSED) && (button->state & STATE_SYSTEM_COLLAPSED);
  }));
  UnhookWinEvent(hook);
  saveScreenshot(main, "accessibility-2-the-alignment-button-by-keys");
  EXPECT_EQ(screenshot(main).pixel(183, 19 + 20), base::Color::rgb(70, 109, 167));
  // The reader's default action on the toolbar's sixth child opens the colours.
  IAccessible* root = nullptr;
  IDispatch* toolbar = nullptr;
  ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(main, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&root))));
  VARIANT child = self();
  child.lVal = 1;
  ASSERT_EQ(root->get_accChild(child, &toolbar), S_OK);
  IAccessible* bar = nullptr;
  ASSERT_TRUE(SUCCEEDED(toolbar->QueryInterface(kIAccessible, reinterpret_cast<void**>(&bar))));
  child.lVal = 6;
  EXPECT_EQ(bar->accDoDefaultAction(child), S_OK);
  EXPECT_TRUE(waitUntil([&] {
    const Heard* colours = find(read(main), L"Barva pisave");
    return colours && (colours->state & STATE_SYSTEM_EXPANDED);
  }));
  bar->Release();
  toolbar->Release();
  root->Release();
  pressKey(VK_ESCAPE);
  pressCtrlKey('W');
  EXPECT_EQ(diary.waitForExit(), DWORD{0});
  const std::string saved = diary.decodedEntry(todayKey()).value_or("");
  EXPECT_NE(saved.find("\\qc"), std::string::npos) << saved;
  EXPECT_NE(saved.find("sredina"), std::string::npos) << saved;
  CoUninitialize();
}
