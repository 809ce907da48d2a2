#include "search/diary_search.h"

#include <algorithm>
#include <system_error>

namespace search {

Reading readEntries(const std::filesystem::path& folder, const std::vector<std::string>& keys, unsigned workers,
                    const std::atomic<bool>& stop, std::atomic<size_t>& done) {
  workers = std::max(1u, workers);
  std::vector<Reading> parts(workers);
  auto read = [&](unsigned k) {
    const store::DiaryStore store(folder);
    for (size_t i = k; i < keys.size() && !stop; i += workers) {
      if (std::optional<std::string> entry = store.Read(keys[i], kMaxEntryBytes)) parts[k].index.putEntry(keys[i], *entry);
      else ++parts[k].unreadable;
      ++done;
    }
  };
  std::vector<std::thread> helpers;
  std::vector<unsigned> here{0};  // shares read on this thread: its own, and any no thread could be made for
  for (unsigned k = 1; k < workers; ++k) {
    try {
      helpers.emplace_back(read, k);
    } catch (const std::system_error&) {
      here.push_back(k);
    }
  }
  for (unsigned k : here) read(k);
  for (std::thread& t : helpers) t.join();
  for (unsigned k = 1; k < workers; ++k) {
    parts[0].index.merge(std::move(parts[k].index));
    parts[0].unreadable += parts[k].unreadable;
  }
  return std::move(parts[0]);
}

unsigned readingWorkers() { return std::clamp(std::thread::hardware_concurrency(), 1u, 2u); }

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
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  m_progress->total = keys.size();
  m_worker = std::thread([keys = std::move(keys), folder = m_folder, progress = m_progress, post = m_post,
                          alive = std::weak_ptr<int>(m_alive), this] {
    auto reading = std::make_shared<Reading>(readEntries(folder, keys, readingWorkers(), progress->stop, progress->done));
    if (progress->stop) return;
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
