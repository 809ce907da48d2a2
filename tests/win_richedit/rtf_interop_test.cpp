// Entries written by the real RichEdit load in the test editor's model and the
// other way about: both editors agree on the diary's file format.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "platform/win32/rich_edit_win.h"
#include "textmodel/text_editor.h"

namespace fs = std::filesystem;
using gui::Tri;

namespace {

const base::Color kRed = base::Color::rgb(200, 30, 40);

// "Krepko ležeče čšž" / "desno": bold, then italic red 14 pt, then underlined;
// the second paragraph right-aligned, a third one centred.
void writeSample(gui::Editor& e) {
  e.setText(u"Krepko ležeče čšž\rdesno\rsredina");
  e.setSelection(0, 6);
  e.setSelBold(true);
  e.setSelection(7, 6);
  e.setSelItalic(true);
  e.setSelColor(kRed);
  e.setSelFontSize(14);
  e.setSelection(14, 3);
  e.setSelUnderline(true);
  e.setSelection(18, 5);
  e.setSelAlignment(base::Alignment::Right);
  e.setSelection(24, 7);
  e.setSelAlignment(base::Alignment::Center);
}

void expectSample(gui::Editor& e, const char* who) {
  SCOPED_TRACE(who);
  EXPECT_EQ(e.text().substr(0, 31), u"Krepko ležeče čšž\rdesno\rsredina");
  e.setSelection(0, 6);
  EXPECT_EQ(e.SelBold(), Tri::True);
  EXPECT_EQ(e.SelItalic(), Tri::False);
  e.setSelection(7, 6);
  EXPECT_EQ(e.SelItalic(), Tri::True);
  EXPECT_EQ(e.SelBold(), Tri::False);
  EXPECT_EQ(e.SelColor(), kRed);
  EXPECT_EQ(e.SelFontSize(), 14.0);
  e.setSelection(14, 3);
  EXPECT_EQ(e.SelUnderline(), Tri::True);
  EXPECT_EQ(e.SelFontSize(), 9.0);
  e.setSelection(0, 6);
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Left);
  e.setSelection(18, 5);
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Right);
  e.setSelection(24, 7);
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Center);
}

HWND hiddenParent() {
  static HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 500, nullptr, nullptr, nullptr, nullptr);
  return hwnd;
}

struct Interop : ::testing::Test {
  std::unique_ptr<win32::RichEditEditor> rich = win32::RichEditEditor::create(hiddenParent(), RECT{0, 0, 394, 494});
  textmodel::TextEditor model;
  void SetUp() override {
    ASSERT_TRUE(rich);
    const gui::FontSpec font{u"Arial", 238, 9, false};
    rich->setFont(font);
    model.setFont(font);
  }
};

}  // namespace

TEST_F(Interop, WhatRichEditWritesTheModelReads) {
  writeSample(*rich);
  expectSample(*rich, "RichEdit itself");
  ASSERT_TRUE(model.setRichText(rich->richText().value()));
  expectSample(model, "the model reading RichEdit's file");
}

TEST_F(Interop, WhatTheModelWritesRichEditReads) {
  writeSample(model);
  ASSERT_TRUE(rich->setRichText(model.richText().value()));
  expectSample(*rich, "RichEdit reading the model's file");
}
