#include "platform/win32/single_instance_win.h"

#include <cstdint>
#include <cwchar>
#include <string>

#include "platform/win32/message_window_win.h"

namespace win32 {
namespace {

// What the running diary publishes: its process (so a later start may hand
// it the foreground) and the window it listens on.
struct Published {
  DWORD processId;
  uint64_t listener;
};

UINT bringToFrontMessage() {
  static const UINT message = RegisterWindowMessageW(L"Pisarion.BringToFront");
  return message;
}

// Object names may not hold a backslash and are at most MAX_PATH long, so
// the folder's full path goes in as a hash. The path is compared as Windows
// compares paths: in full, without regard to letter case.
std::wstring objectName(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::weakly_canonical(folder, ec);
  if (ec) full = std::filesystem::absolute(folder, ec);
  std::wstring text = full.lexically_normal().wstring();
  while (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/')) text.pop_back();
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a, 64 bits
  for (wchar_t c : text) {
    hash = (hash ^ (c & 0xFF)) * 0x100000001b3ull;
    hash = (hash ^ (static_cast<uint16_t>(c) >> 8)) * 0x100000001b3ull;
  }
  wchar_t buf[40];
  std::swprintf(buf, 40, L"%016llx", static_cast<unsigned long long>(hash));
  return L"Local\\Pisarion-" + std::wstring(buf);
}

std::wstring blockName(const std::wstring& name) { return name + L"-okno"; }

}  // namespace

SingleInstance::SingleInstance(const std::filesystem::path& dataFolder) : m_name(objectName(dataFolder)) {
  m_mutex = CreateMutexW(nullptr, FALSE, m_name.c_str());
  // Without the mutex (no rights to named objects) the diary still runs:
  // refusing to start at all would be worse than the old behaviour.
  m_first = !m_mutex || GetLastError() != ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance() {
  if (m_listener) DestroyWindow(m_listener);
  if (m_block) CloseHandle(m_block);
  if (m_mutex) CloseHandle(m_mutex);
}

void SingleInstance::listen(HINSTANCE instance, std::function<void()> bringToFront) {
  m_bringToFront = std::move(bringToFront);
  m_listener = createMessageWindow(instance, L"Pisarion.Instance", listenerProc, this);
  if (!m_listener) return;
  m_block = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Published),
                               blockName(m_name).c_str());
  if (!m_block) return;
  if (auto* p = static_cast<Published*>(MapViewOfFile(m_block, FILE_MAP_WRITE, 0, 0, sizeof(Published)))) {
    *p = {GetCurrentProcessId(), reinterpret_cast<uint64_t>(m_listener)};
    UnmapViewOfFile(p);
  }
}

bool SingleInstance::bringRunningToFront(int timeoutMs) const {
  for (int waited = 0; waited <= timeoutMs; waited += 100) {
    Published published{};
    if (HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, blockName(m_name).c_str())) {
      if (auto* p = static_cast<const Published*>(MapViewOfFile(block, FILE_MAP_READ, 0, 0, sizeof(Published)))) {
        published = *p;
        UnmapViewOfFile(p);
      }
      CloseHandle(block);
    }
    const HWND listener = reinterpret_cast<HWND>(published.listener);
    if (listener && IsWindow(listener)) {
      // The running diary may take the foreground from this start, which
      // the user has just given it.
      AllowSetForegroundWindow(published.processId);
      return PostMessageW(listener, bringToFrontMessage(), 0, 0) != 0;
    }
    Sleep(100);
  }
  return false;
}

LRESULT CALLBACK SingleInstance::listenerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == bringToFrontMessage()) {
    auto* self = reinterpret_cast<SingleInstance*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->m_bringToFront) self->m_bringToFront();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace win32
