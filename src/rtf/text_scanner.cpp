#include "rtf/text_scanner.h"

#include <string>

namespace rtf {
namespace {

// Open addressing over a power of two: a control word costs one short hash
// and mostly one comparison, and most words of an entry (formats) miss.
class WordTable {
 public:
  WordTable() {
    add("bin", {TextWord::Bin});
    add("fonttbl", {TextWord::FontTable});
    add("colortbl", {TextWord::Destination});
    for (std::string_view d : kSkippedDestinations) add(d, {TextWord::Destination});
    for (std::string_view p : kParagraphWords) add(p, {TextWord::Paragraph});
    for (auto [w, ch] : kCharacterWords) add(w, {TextWord::Character, ch});
    add("u", {TextWord::Unicode});
    add("uc", {TextWord::UnicodeSkip});
    add(kHiddenWord, {TextWord::Hidden});
    add("plain", {TextWord::Plain});
    add("f", {TextWord::Font});
    add("fcharset", {TextWord::FontCharset});
    add("cpg", {TextWord::FontCodePage});
    add("deff", {TextWord::DefaultFont});
    add("ansicpg", {TextWord::DocumentCodePage});
    for (auto [w, page] : kCharsetWords) add(w, {TextWord::DocumentCharset, static_cast<char16_t>(page)});
  }

  TextWord find(std::string_view word) const {
    if (word.empty()) return {};
    for (size_t i = slotOf(word); !m_slots[i].word.empty(); i = (i + 1) % kSlots)
      if (same(m_slots[i].word, word)) return m_slots[i].meaning;
    return {};
  }

 private:
  struct Slot {
    std::string_view word;
    TextWord meaning;
  };
  static constexpr size_t kSlots = 512;  // over five times the words: short probes

  // Words are short: a loop here costs less than a call to compare memory.
  static bool same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) return false;
    return true;
  }

  // Length and the first two and last letters: no loop, and few collisions
  // among the words known.
  static size_t slotOf(std::string_view word) {
    const auto at = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(word[i])); };
    const uint32_t h = static_cast<uint32_t>(word.size()) * 0x9E3779B1u ^ at(0) * 0x85EBCA77u ^
                       at(word.size() / 2) * 0xC2B2AE3Du ^ at(word.size() - 1) * 0x27D4EB2Fu;
    return (h ^ (h >> 15)) % kSlots;
  }
  void add(std::string_view word, TextWord meaning) {
    size_t i = slotOf(word);
    while (!m_slots[i].word.empty()) i = (i + 1) % kSlots;
    m_slots[i] = {word, meaning};
  }

  std::array<Slot, kSlots> m_slots{};
};

}  // namespace

TextWord textWord(std::string_view word) {
  static const WordTable table;
  return table.find(word);
}

}  // namespace rtf
