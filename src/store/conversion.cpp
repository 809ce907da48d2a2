#include "store/conversion.h"

#include <algorithm>
#include <chrono>

namespace store {

Conversion::Conversion(DiaryStore& store, std::string_view todayKey) : m_store(store) {
  m_store.Rescan();
  for (const std::string& name : m_store.listing())
    if (!m_store.InWrittenForm(name)) m_keys.push_back(name);
  // Today's text is the one being written: it is sealed first.
  const auto today = std::find(m_keys.begin(), m_keys.end(), todayKey);
  if (today != m_keys.end()) std::rotate(m_keys.begin(), today, today + 1);
}

bool Conversion::step(int budgetMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(budgetMs);
  do {
    if (finished()) return false;
    if (!m_store.Convert(m_keys[m_next])) ++m_failed;
    ++m_next;
  } while (std::chrono::steady_clock::now() < until);
  return !finished();
}

}  // namespace store
