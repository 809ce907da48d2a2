// Our readers against the text the editor shows (support/shown_text_cases.h):
// the document reader behind the export and the headless editor word for
// word, capitals included; the search's scanner word for word, case aside
// (the search does not tell case apart).
#include <gtest/gtest.h>

#include "base/letter_case.h"
#include "rtf/reader.h"
#include "support/shown_text_cases.h"

namespace {

std::u16string shownByTheReader(const rtf::Document& doc) {
  std::u16string out;
  for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
    if (p) out += u'\r';
    for (const rtf::Run& r : doc.paragraphs[p].runs) out += r.shown();
  }
  return out;
}

class ShownText : public ::testing::TestWithParam<shown::Case> {};

TEST_P(ShownText, OurReadersShowWhatTheEditorShows) {
  const shown::Case& c = GetParam();
  EXPECT_EQ(shown::words(shownByTheReader(rtf::readRtf(c.rtf))), shown::words(c.text));
  EXPECT_EQ(shown::words(base::toUpper(rtf::readText(c.rtf))), shown::words(base::toUpper(c.text)));
}

INSTANTIATE_TEST_SUITE_P(Documents, ShownText, ::testing::ValuesIn(shown::kCases));

}  // namespace
