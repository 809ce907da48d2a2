// The text the real editor shows for each small document of
// support/shown_text_cases.h: its characters with hidden ones left out
// (paragraph marks stay: the editor still breaks the line) and those in
// capitals drawn so, read from the control's own character formats.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/rich_edit_win.h"
#include "support/shown_text_cases.h"

namespace {

HWND hiddenParent() {
  static HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 500, nullptr, nullptr, nullptr, nullptr);
  return hwnd;
}

std::u16string shownBy(win32::RichEditEditor& editor) {
  const std::u16string text = editor.text();
  std::u16string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    SendMessageW(editor.hwnd(), EM_SETSEL, i, i + 1);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(editor.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    char16_t c = text[i];
    if ((cf.dwEffects & CFE_HIDDEN) && c != u'\r') continue;
    if (cf.dwEffects & CFE_ALLCAPS) c = static_cast<char16_t>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(c))));
    shown += c;
  }
  return shown;
}

class EditorShows : public ::testing::TestWithParam<shown::Case> {};

TEST_P(EditorShows, TheTextKeptAsExpected) {
  const shown::Case& c = GetParam();
  const auto editor = win32::RichEditEditor::create(hiddenParent(), RECT{0, 0, 394, 494});
  ASSERT_TRUE(editor);
  ASSERT_TRUE(editor->setRichText(c.rtf));
  EXPECT_EQ(shown::words(shownBy(*editor)), shown::words(c.wine ? c.wine : c.text));
}

INSTANTIATE_TEST_SUITE_P(Documents, EditorShows, ::testing::ValuesIn(shown::kCases));

}  // namespace
