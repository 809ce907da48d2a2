// The headless editor driven by a random sequence of user and program
// actions: after each, the text, the selection and the formats must agree,
// and the content must survive a round trip through rich text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rtf/reader.h"
#include "rtf/writer.h"
#include "textmodel/text_editor.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool more() const { return pos_ < size_; }
  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::u16string text() {
    static const char16_t letters[] = u"ab čŽ\r\n\t\v{}\\日\x01";
    std::u16string out;
    for (int n = byte() % 8; n > 0; --n) out += letters[byte() % (sizeof(letters) / sizeof(char16_t) - 1)];
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

void checkEditor(const textmodel::TextEditor& e) {
  const std::u16string text = e.text();
  const auto [start, length] = e.selection();
  check(start >= 0 && length >= 0 && static_cast<size_t>(start + length) <= text.size());
  const rtf::Document doc = e.document();
  check(doc.text() == text);
  check(rtf::readRtf(rtf::writeRtf(doc)) == doc);
  const std::optional<base::Alignment> alignment = e.SelAlignment();
  check(!alignment || base::isAlignment(*alignment));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  textmodel::TextEditor e;
  while (in.more()) {
    const rtf::Document before = e.document();
    const bool locked = e.Locked();
    bool edits = false;
    switch (in.byte() % 12) {
      case 0: e.setSelection(in.byte() % 40 - 5, in.byte() % 40 - 10); break;
      case 1: e.replaceSelection(in.text()); edits = true; break;
      case 2: e.setSelBold(in.byte() & 1); edits = true; break;
      case 3: e.setSelItalic(in.byte() & 1); edits = true; break;
      case 4: e.setSelUnderline(in.byte() & 1); edits = true; break;
      case 5: e.setSelColor(base::Color{in.byte() * 0x010203u}); edits = true; break;
      case 6: e.setSelFontSize(in.byte() / 2.0); edits = true; break;
      case 7: e.setSelAlignment(static_cast<base::Alignment>(in.byte() % 4)); edits = true; break;
      case 8: e.setLocked(in.byte() & 1); break;
      case 9: e.setText(in.text()); break;
      case 10: e.setDocument(rtf::readRtf(rtf::writeRtf(e.document()))); break;
      case 11: {
        (void)e.SelBold(), (void)e.SelItalic(), (void)e.SelUnderline(), (void)e.SelColor(), (void)e.SelFontSize();
        break;
      }
    }
    if (locked && edits) check(e.document() == before);
    checkEditor(e);
  }
  return 0;
}
