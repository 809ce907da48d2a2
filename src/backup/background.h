#pragma once
// The day's backup on a worker thread of low priority, so that the diary's
// window never waits for it. The worker only reads the diary's files (each
// whole: every save replaces its file at once) and writes its own archive.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "backup/daily.h"

namespace backup {

class BackgroundBackup {
 public:
  // Runs a task on the user-interface thread; callable from the worker.
  using Post = std::function<void(std::function<void()>)>;

  BackgroundBackup() = default;
  ~BackgroundBackup();  // stops the worker and waits for it
  BackgroundBackup(const BackgroundBackup&) = delete;
  BackgroundBackup& operator=(const BackgroundBackup&) = delete;

  // Starts the backup; `onDone` gets its outcome on the user-interface
  // thread, unless this object is gone by then. Once only.
  void start(DiaryFiles files, base::DateTime now, Post post, std::function<void(Outcome)> onDone);
  bool started() const { return m_worker.joinable(); }
  bool done() const { return m_state->done; }

  // The diary is closing: waits up to `patience` for the archive, then stops
  // the worker between two pieces and waits for it to clear its temporary.
  void finish(std::chrono::milliseconds patience);

 private:
  struct State {
    std::atomic<bool> stop{false}, done{false};
    std::mutex mutex;
    std::condition_variable finished;
  };
  std::shared_ptr<State> m_state = std::make_shared<State>();
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);  // posted tasks see whether this still exists
  std::thread m_worker;
};

// Lowers the calling thread's priority, for the processor and, where the
// system has it, for the disk.
void lowerThisThreadsPriority();

}  // namespace backup
