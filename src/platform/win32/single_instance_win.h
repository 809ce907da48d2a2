#pragma once
// One diary per data folder. Two copies on the same folder would each save
// today's entry at their close, and the last would silently win; so the
// first start takes a named mutex for the data folder's full path, and a
// later start finds the running diary through a small named block that
// holds the window it listens on, asks it to come to the front, and ends.
#include <windows.h>

#include <filesystem>
#include <functional>

namespace win32 {

class SingleInstance {
 public:
  explicit SingleInstance(const std::filesystem::path& dataFolder);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // No other diary runs on this data folder.
  bool first() const { return m_first; }

  // For the first start: a later start's request runs `bringToFront` on this
  // thread, from the message loop.
  void listen(HINSTANCE instance, std::function<void()> bringToFront);

  // For a later start: asks the running diary to come to the front, waiting
  // up to `timeoutMs` for it to listen (it may still be starting). False
  // when it could not be reached.
  bool bringRunningToFront(int timeoutMs) const;

 private:
  static LRESULT CALLBACK listenerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  std::wstring m_name;  // for the mutex; the block adds a suffix
  HANDLE m_mutex = nullptr;
  bool m_first = false;
  HANDLE m_block = nullptr;
  HWND m_listener = nullptr;
  std::function<void()> m_bringToFront;
};

}  // namespace win32
