#include "backup/background.h"

namespace backup {

BackgroundBackup::~BackgroundBackup() { finish(std::chrono::milliseconds(0)); }

void BackgroundBackup::start(DiaryFiles files, base::DateTime now, Post post, std::function<void(Outcome)> onDone) {
  if (started()) return;
  std::weak_ptr<int> alive = m_alive;
  m_worker = std::thread([state = m_state, files = std::move(files), now, post = std::move(post),
                          onDone = std::move(onDone), alive] {
    lowerThisThreadsPriority();
    BackupOptions options;
    options.stop = &state->stop;
    const Outcome outcome = makeDailyBackup(files, now, options);
    // The outcome is on its way to the window's thread before the backup
    // counts as done, so whoever sees it done finds the news already queued.
    if (onDone) post([alive, onDone, outcome] {
        if (alive.lock()) onDone(outcome);
      });
    {
      std::lock_guard<std::mutex> lock(state->mutex);
      state->done = true;
    }
    state->finished.notify_all();
  });
}

void BackgroundBackup::finish(std::chrono::milliseconds patience) {
  if (!m_worker.joinable()) return;
  {
    std::unique_lock<std::mutex> lock(m_state->mutex);
    m_state->finished.wait_for(lock, patience, [this] { return m_state->done.load(); });
  }
  m_state->stop = true;
  m_worker.join();
}

}  // namespace backup
