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
    {
      std::lock_guard<std::mutex> lock(state->mutex);
      state->done = true;
    }
    state->finished.notify_all();
    if (onDone) post([alive, onDone, outcome] {
        if (alive.lock()) onDone(outcome);
      });
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
