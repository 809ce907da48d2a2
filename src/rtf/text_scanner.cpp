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
    add("fonttbl", {TextWord::Destination});
    add("colortbl", {TextWord::Destination});
    for (std::string_view d : kSkippedDestinations) add(d, {TextWord::Destination});
    for (const char* p : {"par", "sect", "row"}) add(p, {TextWord::Paragraph});
    for (auto [w, ch] : kCharacterWords) add(w, {TextWord::Character, ch});
    add("u", {TextWord::Unicode});
    add("uc", {TextWord::UnicodeSkip});
  }

  TextWord find(std::string_view word) const {
    for (size_t i = slotOf(word); !m_slots[i].word.empty(); i = (i + 1) % kSlots)
      if (m_slots[i].word == word) return m_slots[i].meaning;
    return {};
  }

 private:
  struct Slot {
    std::string_view word;
    TextWord meaning;
  };
  static constexpr size_t kSlots = 256;  // over four times the words: short probes

  static size_t slotOf(std::string_view word) {
    uint32_t h = 2166136261u;
    for (char c : word) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h % kSlots;
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
