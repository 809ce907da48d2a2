#pragma once
// Searching the whole diary. The first search reads every entry on a worker
// thread, with a second beside it where there are two cores (read, decode,
// rich text to its characters), into an index in memory, and hands the finished index back to the user-interface thread
// through `post`; from then on every search scans the index there. The
// caller keeps the index up to date with the day being written (setText),
// whose file the worker leaves alone so that a save never meets a reader.
#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "search/index.h"
#include "search/query.h"

namespace search {

// The entries of `keys` (date keys, distinct, newest first) read into one
// index by `workers` threads side by side, each taking every workers-th key.
// `stop` ends the reading early; `done` counts the entries read.
struct Reading {
  Index index;
  size_t unreadable = 0;  // entries that could not be read (locked, vanished)
};
Reading readEntries(const std::filesystem::path& folder, const std::vector<std::string>& keys, unsigned workers,
                    const std::atomic<bool>& stop, std::atomic<size_t>& done);

// Both cores where there are two: the reading is half system calls, half
// reading rich text, and either half keeps a core busy.
unsigned readingWorkers();

class DiarySearch {
 public:
  // Runs a task on the user-interface thread; callable from the worker.
  using Post = std::function<void(std::function<void()>)>;

  DiarySearch(std::filesystem::path folder, Post post);
  ~DiarySearch();  // stops the reading and waits for the worker
  DiarySearch(const DiarySearch&) = delete;
  DiarySearch& operator=(const DiarySearch&) = delete;

  // Starts reading the entries of `keys` (names of the data folder; those
  // that are not date keys are skipped), all but `skip`. Once only.
  void startReading(std::vector<std::string> keys, const std::string& skip);
  bool started() const { return m_worker.joinable() || m_ready; }
  bool ready() const { return m_ready; }
  // Runs on the user-interface thread when the reading has ended.
  std::function<void()> onReady;

  // Entries read so far, and to read in all.
  size_t done() const { return m_progress->done; }
  size_t total() const { return m_progress->total; }
  // Entries that could not be read (locked, vanished); they are not searched.
  size_t unreadable() const { return m_unreadable; }

  // The day's text as it stands now: the index follows it.
  void setText(const std::string& key, std::u16string_view text);

  // The days that match, newest first (empty until ready()).
  std::vector<std::string> find(const Query& query) const { return m_index.find(query); }

 private:
  struct Progress {
    std::atomic<size_t> done{0}, total{0};
    std::atomic<bool> stop{false};
  };
  void finished(Reading& reading);

  std::filesystem::path m_folder;
  Post m_post;
  std::shared_ptr<Progress> m_progress = std::make_shared<Progress>();
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);  // posted tasks see whether this still exists
  std::thread m_worker;
  Index m_index;
  std::map<std::string, std::u16string> m_given;  // texts set while the worker reads
  size_t m_unreadable = 0;
  bool m_ready = false;
};

}  // namespace search
