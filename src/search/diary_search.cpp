#include "search/diary_search.h"

#include <algorithm>

namespace search {

DiarySearch::DiarySearch(std::filesystem::path folder, Post post) : m_folder(std::move(folder)), m_post(std::move(post)) {}

DiarySearch::~DiarySearch() {
  m_progress->stop = true;
  if (m_worker.joinable()) m_worker.join();
}

void DiarySearch::startReading(std::vector<std::string> keys, const std::string& skip) {
  if (started()) return;
  // Newest first, so that a stopped reading has read the days looked for most.
  std::erase_if(keys, [&](const std::string& k) { return k == skip || !dateOrder(k); });
  std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) { return *dateOrder(a) > *dateOrder(b); });
  m_progress->total = keys.size();
  m_worker = std::thread([keys = std::move(keys), folder = m_folder, progress = m_progress, post = m_post,
                          alive = std::weak_ptr<int>(m_alive), this] {
    const store::DiaryStore store(folder);
    auto reading = std::make_shared<Reading>();
    for (const std::string& key : keys) {
      if (progress->stop) return;
      if (std::optional<std::string> entry = store.Read(key, kMaxEntryBytes)) reading->index.putEntry(key, *entry);
      else ++reading->unreadable;
      ++progress->done;
    }
    post([alive, reading, this] {
      if (alive.lock()) finished(*reading);
    });
  });
}

void DiarySearch::finished(Reading& reading) {
  if (m_worker.joinable()) m_worker.join();
  m_index = std::move(reading.index);
  m_unreadable = reading.unreadable;
  for (const auto& [key, text] : m_given) m_index.put(key, text);
  m_given.clear();
  m_ready = true;
  if (auto handler = onReady) handler();
}

void DiarySearch::setText(const std::string& key, std::u16string_view text) {
  if (m_ready) m_index.put(key, text);
  else m_given[key] = std::u16string(text);
}

}  // namespace search
