// Any bytes given to the readers give a document that keeps its promises
// (names kept short, formats that differ from run to run), and writing that
// document and reading it again gives it back unchanged. Run with -timeout
// and -rss_limit_mb: the readers must stay linear in time and memory.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rtf/font_table.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "search/fold.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

void checkDocument(const rtf::Document& doc) {
  check(!doc.paragraphs.empty());
  for (const rtf::Paragraph& p : doc.paragraphs) {
    check(static_cast<int>(p.alignment) <= 2);
    for (size_t r = 0; r < p.runs.size(); ++r) {
      check(!p.runs[r].text.empty());
      check(r == 0 || !(p.runs[r].format == p.runs[r - 1].format));
      check(p.runs[r].format.halfPoints >= 2 && p.runs[r].format.halfPoints <= 3276);
      check(p.runs[r].format.font.size() <= rtf::FontTable::kMaxNameLength || p.runs[r].format.font == u"Arial");
      check(p.runs[r].shown().size() == p.runs[r].text.size());
      for (char16_t c : p.runs[r].text) check(c >= 0x20 || c == u'\t' || c == rtf::kLineBreak);
    }
  }
  const std::string written = rtf::writeRtf(doc);
  for (char c : written) check(static_cast<unsigned char>(c) < 0x80);
  check(rtf::readRtf(written) == doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  rtf::Reading reading;
  checkDocument(rtf::readRtf(bytes, {}, reading));
  const rtf::Extent extent = rtf::measure(bytes);
  check(extent.depth >= 0 && extent.longestWord <= size && extent.longestName <= size);
  checkDocument(rtf::readPlainText(bytes));
  // The characters alone are the document's, each paragraph ended; the
  // search's one pass folds exactly those, within room of the input's size.
  const std::u16string text = rtf::readAny(bytes).text(), alone = rtf::readText(bytes);
  check(alone == text || alone == text + u'\r');
  std::string lowered(size, '\0'), bare(size, '\0');
  const size_t n = search::foldEntry(bytes, lowered.data(), bare.data());
  const search::DayText folded = search::foldText(alone);
  check(lowered.substr(0, n) == folded.lowered && bare.substr(0, n) == folded.bare);
  return 0;
}
