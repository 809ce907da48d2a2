// The editor as the toolbar sees it: what the selection answers, what the
// commands change, typing, the read-only mode and the selection event.
#include <gtest/gtest.h>

#include "textmodel/text_editor.h"

using gui::Tri;
using textmodel::TextEditor;

namespace {

constexpr base::Color kRed = base::Color::rgb(255, 0, 0);
constexpr base::Color kBlue = base::Color::rgb(0, 0, 192);

// "ena dva tri" with "dva" bold.
void typeWithBoldMiddle(TextEditor& e) {
  e.setText(u"ena dva tri");
  e.setSelection(4, 3);
  e.setSelBold(true);
}

}  // namespace

TEST(Selection, MixedFormatsAnswerUndetermined) {
  TextEditor e;
  typeWithBoldMiddle(e);
  e.setSelection(4, 3);
  EXPECT_EQ(e.SelBold(), Tri::True);
  e.setSelection(0, 11);
  EXPECT_EQ(e.SelBold(), Tri::Undetermined);
  e.setSelection(0, 3);
  EXPECT_EQ(e.SelBold(), Tri::False);
  e.setSelection(2, 3);  // "a d": straddles the edge of the bold word
  EXPECT_EQ(e.SelBold(), Tri::Undetermined);

  e.setSelection(0, 5);
  e.setSelItalic(true);
  e.setSelUnderline(true);
  e.setSelection(0, 6);
  EXPECT_EQ(e.SelItalic(), Tri::Undetermined);
  EXPECT_EQ(e.SelUnderline(), Tri::Undetermined);
  e.setSelection(1, 3);
  EXPECT_EQ(e.SelItalic(), Tri::True);
  EXPECT_EQ(e.SelUnderline(), Tri::True);
}

TEST(Selection, MixedColoursAndSizesHaveNoValue) {
  TextEditor e;
  e.setText(u"rdeča modra");
  e.setSelection(0, 5);
  e.setSelColor(kRed);
  e.setSelFontSize(14);
  e.setSelection(6, 5);
  e.setSelColor(kBlue);
  e.setSelFontSize(24);

  e.setSelection(0, 5);
  EXPECT_EQ(e.SelColor(), kRed);
  EXPECT_EQ(e.SelFontSize(), 14.0);
  e.setSelection(0, 11);
  EXPECT_EQ(e.SelColor(), std::nullopt);
  EXPECT_EQ(e.SelFontSize(), std::nullopt);
  e.setSelection(5, 1);  // the space between keeps the editor's default
  EXPECT_EQ(e.SelColor(), base::Color::rgb(0, 0, 0));
  EXPECT_EQ(e.SelFontSize(), 9.0);
}

TEST(Selection, SettersCoverTheWholeSelectionAcrossRuns) {
  TextEditor e;
  typeWithBoldMiddle(e);
  // Bold applied over a partly bold selection makes all of it bold; toggling
  // it off then clears all of it.
  e.setSelection(2, 7);
  e.setSelBold(true);
  EXPECT_EQ(e.SelBold(), Tri::True);
  e.setSelection(0, 11);
  EXPECT_EQ(e.SelBold(), Tri::Undetermined);
  e.setSelBold(false);
  EXPECT_EQ(e.SelBold(), Tri::False);

  // Sizes from the picker, and half points that RTF can hold.
  e.setSelFontSize(8.5);
  EXPECT_EQ(e.SelFontSize(), 8.5);
  e.setSelFontSize(72);
  EXPECT_EQ(e.SelFontSize(), 72.0);
  e.setSelFontSize(0);
  e.setSelFontSize(-3);
  EXPECT_EQ(e.SelFontSize(), 72.0);
  e.setSelFontSize(1e12);  // beyond what RTF can hold
  EXPECT_EQ(e.SelFontSize(), 1638.0);

  // Only the selected part changes: the document shows three runs.
  e.setSelection(4, 3);
  e.setSelColor(kRed);
  const rtf::Document doc = e.document();
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  ASSERT_EQ(doc.paragraphs[0].runs.size(), 3u);
  EXPECT_EQ(doc.paragraphs[0].runs[1].text, u"dva");
  EXPECT_EQ(doc.paragraphs[0].runs[1].format.color, kRed);
  EXPECT_EQ(doc.paragraphs[0].runs[0].format.color, base::Color{});
}

TEST(Selection, EmptySelectionAnswersTheFormatAtTheCaret) {
  TextEditor e;
  typeWithBoldMiddle(e);
  e.setSelection(7, 0);  // just after "dva"
  EXPECT_EQ(e.SelBold(), Tri::True);
  e.setSelection(4, 0);  // just before it: the space is not bold
  EXPECT_EQ(e.SelBold(), Tri::False);
  e.setSelection(11, 0);
  EXPECT_EQ(e.SelBold(), Tri::False);

  // At the start of a paragraph, the text that follows.
  e.setText(u"a\rb");
  e.setSelection(2, 1);
  e.setSelBold(true);
  e.setSelection(2, 0);
  EXPECT_EQ(e.SelBold(), Tri::True);
  e.setSelection(0, 0);
  EXPECT_EQ(e.SelBold(), Tri::False);
}

TEST(Selection, AlignmentOfTheSelectedParagraphs) {
  TextEditor e;
  e.setText(u"prvi\rdrugi\rtretji");
  e.setSelection(7, 0);
  e.setSelAlignment(base::Alignment::Center);
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Center);
  e.setSelection(0, 0);
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Left);
  e.setSelection(2, 5);  // from "prvi" into "drugi"
  EXPECT_EQ(e.SelAlignment(), std::nullopt);
  e.setSelection(0, 5);  // "prvi" and its paragraph mark only
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Left);
  e.setSelection(3, 12);  // all three
  e.setSelAlignment(base::Alignment::Right);
  for (int caret : {0, 6, 17}) {
    e.setSelection(caret, 0);
    EXPECT_EQ(e.SelAlignment(), base::Alignment::Right) << caret;
  }
  e.setSelAlignment(static_cast<base::Alignment>(7));  // not an alignment
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Right);
}

TEST(Typing, NewTextTakesTheFormatAtTheCaret) {
  TextEditor e;
  typeWithBoldMiddle(e);
  e.setSelection(7, 0);
  e.replaceSelection(u"xx");
  EXPECT_EQ(e.text(), u"ena dvaxx tri");
  EXPECT_EQ(e.selection(), std::make_pair(9, 0));
  e.setSelection(4, 5);
  EXPECT_EQ(e.SelBold(), Tri::True);

  // Replacing a selection: the new text takes the format of what it replaces.
  e.setSelection(4, 5);
  e.replaceSelection(u"štiri");
  e.setSelection(4, 5);
  EXPECT_EQ(e.SelBold(), Tri::True);
  EXPECT_EQ(e.text(), u"ena štiri tri");
}

TEST(Typing, FormatChosenWithNothingSelectedAppliesToWhatIsTypedNext) {
  TextEditor e;
  e.setText(u"ab");
  e.setSelection(1, 0);
  e.setSelBold(true);
  e.setSelColor(kRed);
  e.setSelFontSize(18);
  EXPECT_EQ(e.SelBold(), Tri::True);
  EXPECT_EQ(e.SelColor(), kRed);
  EXPECT_EQ(e.SelFontSize(), 18.0);
  e.replaceSelection(u"X");
  EXPECT_EQ(e.text(), u"aXb");
  e.setSelection(1, 1);
  EXPECT_EQ(e.SelBold(), Tri::True);
  EXPECT_EQ(e.SelColor(), kRed);
  e.setSelection(0, 1);
  EXPECT_EQ(e.SelBold(), Tri::False);
  e.setSelection(2, 1);
  EXPECT_EQ(e.SelFontSize(), 9.0);

  // Moving the caret forgets a choice not yet typed.
  e.setSelection(3, 0);
  e.setSelItalic(true);
  e.setSelection(0, 0);
  e.setSelection(3, 0);
  EXPECT_EQ(e.SelItalic(), Tri::False);

  // In an empty editor the choice is kept by the empty paragraph.
  e.setText(u"");
  e.setSelUnderline(true);
  e.replaceSelection(u"p");
  e.setSelection(0, 1);
  EXPECT_EQ(e.SelUnderline(), Tri::True);
}

TEST(Typing, LineEndsSplitParagraphsThatKeepTheirAlignment) {
  TextEditor e;
  e.setText(u"sredina");
  e.setSelAlignment(base::Alignment::Center);
  e.setSelection(3, 0);
  e.replaceSelection(u"\r\nA\nB\rC");
  EXPECT_EQ(e.text(), u"sre\rA\rB\rCdina");
  for (int caret : {0, 4, 6, 8}) {
    e.setSelection(caret, 0);
    EXPECT_EQ(e.SelAlignment(), base::Alignment::Center);
  }
  // Deleting across paragraphs joins them into the one whose end survives.
  e.setSelection(0, 0);
  e.setSelAlignment(base::Alignment::Right);
  e.setSelection(2, 3);  // "e\rA"
  e.replaceSelection(u"");
  EXPECT_EQ(e.text(), u"sr\rB\rCdina");
  e.setSelection(0, 0);
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Center);
  // Other control characters are not text.
  e.setText(std::u16string_view(u"a\x01\tb\0c", 6));
  EXPECT_EQ(e.text(), u"a\tbc");
}

TEST(Locked, RefusesEditsButAllowsSelectionAndLoading) {
  TextEditor e;
  typeWithBoldMiddle(e);
  e.setLocked(true);
  EXPECT_TRUE(e.Locked());
  e.setSelection(0, 11);
  e.replaceSelection(u"prepisano");
  e.setSelBold(true);
  e.setSelItalic(true);
  e.setSelUnderline(true);
  e.setSelColor(kRed);
  e.setSelFontSize(30);
  e.setSelAlignment(base::Alignment::Center);
  EXPECT_EQ(e.text(), u"ena dva tri");
  EXPECT_EQ(e.selection(), std::make_pair(0, 11));
  EXPECT_EQ(e.SelBold(), Tri::Undetermined);
  EXPECT_EQ(e.SelItalic(), Tri::False);
  EXPECT_EQ(e.SelUnderline(), Tri::False);
  EXPECT_EQ(e.SelColor(), base::Color{});
  EXPECT_EQ(e.SelFontSize(), 9.0);
  EXPECT_EQ(e.SelAlignment(), base::Alignment::Left);
  // The program itself still replaces the content of a read-only editor.
  e.setText(u"drug dan");
  EXPECT_EQ(e.text(), u"drug dan");
  e.setLocked(false);
  e.setSelection(0, 4);
  e.setSelBold(true);
  EXPECT_EQ(e.SelBold(), Tri::True);
}

TEST(SelectionEvent, RaisedWheneverTheSelectionOrCaretMoves) {
  TextEditor e;
  int events = 0;
  e.onSelChange = [&] { ++events; };
  e.setText(u"abc");
  EXPECT_EQ(events, 1);
  e.setSelection(1, 1);
  EXPECT_EQ(events, 2);
  e.setSelection(1, 1);  // no move, no event
  EXPECT_EQ(events, 2);
  e.replaceSelection(u"xy");
  EXPECT_EQ(events, 3);
  e.setSelBold(true);  // formatting moves nothing
  EXPECT_EQ(events, 3);
  e.setSelection(-5, 100);  // clamped to the text
  EXPECT_EQ(e.selection(), std::make_pair(0, 4));
  EXPECT_EQ(events, 4);
  e.setSelection(4, -3);  // a selection made backwards
  EXPECT_EQ(e.selection(), std::make_pair(1, 3));
  e.setLocked(true);
  e.replaceSelection(u"no");
  EXPECT_EQ(events, 5);
}

TEST(DefaultFont, NewTextTakesTheFontGivenToTheEditor) {
  TextEditor e;
  e.setFont({u"Tahoma", 238, 12, true});
  e.setText(u"x");
  e.setSelection(0, 1);
  EXPECT_EQ(e.SelFontSize(), 12.0);
  EXPECT_EQ(e.SelBold(), Tri::True);
  EXPECT_EQ(e.document().paragraphs[0].runs[0].format.font, u"Tahoma");
  // An empty editor shows the new font at its caret at once.
  TextEditor empty;
  empty.setFont({u"Arial", 238, 10, false});
  EXPECT_EQ(empty.SelFontSize(), 10.0);
}
