#pragma once
// The framework on real Windows: one popup window per form painted from the
// form's composite through a 32-bit DIB, window timers, GDI text, the
// RichEdit editor, and the message loop.
#include <windows.h>

#include <map>
#include <memory>

#include "gui/form.h"
#include "gui/platform.h"
#include "gui/text.h"

namespace win32 {

class GdiText : public gui::TextService {
 public:
  GdiText();
  ~GdiText() override;
  gui::Size measure(const gui::FontSpec& font, std::u16string_view text) override;
  void draw(gui::Surface& target, gui::Rect box, std::u16string_view text, const gui::FontSpec& font,
            gui::Color color, base::Alignment alignment) override;

  // The font, made on first use and kept while the program runs.
  // The font at the DPI of a scale (measuring is at 100 %).
  HFONT fontFor(const gui::FontSpec& font, base::Scale scale = {});

 private:
  HDC m_dc;
  std::map<std::tuple<std::u16string, int, int, bool>, HFONT> m_fonts;
};

class Win32Platform : public gui::Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;

  HINSTANCE instance() const { return m_instance; }
  // Runs the message loop until quit(); answers the exit code.
  int run();

  int twipsPerPixelX() const override;
  int twipsPerPixelY() const override;
  int dpiAt(gui::Rect screen) const override;
  gui::Size screenSize() const override;
  gui::Rect workArea() const override;
  gui::Point cursorPos() const override;
  std::optional<gui::ContrastColours> highContrast() const override;
  base::DateTime now() const override;
  void messageBox(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon) override;
  std::optional<gui::SaveFileAnswer> askSaveFile(gui::Form& owner, const gui::SaveFileRequest& request) override;
  bool askYesNo(std::u16string_view text, std::u16string_view caption, gui::MessageIcon icon,
                gui::DefaultAnswer byDefault) override;
  gui::Rect workAreaNearest(gui::Rect screen) const override;
  std::optional<size_t> popupMenu(gui::Form& owner, const std::vector<gui::MenuItem>& items) override;
  gui::PrintOutcome print(gui::Form& owner, const gui::PrintRequest& request) override;
  bool copyText(std::u16string_view text) override;
  std::unique_ptr<gui::FormPeer> createPeer(gui::Form& form) override;
  void addTimer(gui::Timer& timer) override;
  void updateTimer(gui::Timer& timer) override;
  void removeTimer(gui::Timer& timer) override;
  gui::TextService& text() override { return m_text; }
  gui::HostedEditor createEditor(gui::Form& form, gui::Rect rect) override;
  gui::HostedLineEdit createLineEdit(gui::Form& form, gui::Rect rect, const gui::FieldLook& look) override;
  std::unique_ptr<gui::NativeToolTip> createToolTip(gui::Form& form) override;
  void quit(int exitCode) override;
  // PostMessage to the message-only window, which runs the task.
  void post(std::function<void()> task) override;

  // The user's decimal separator, for the settings file's numbers.
  char16_t decimalSeparator() const;

 private:
  static LRESULT CALLBACK timerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HINSTANCE m_instance;
  HWND m_timerWindow = nullptr;
  GdiText m_text;
  UINT_PTR m_nextTimerId = 1;
  std::map<gui::Timer*, UINT_PTR> m_timerIds;
  std::map<UINT_PTR, gui::Timer*> m_timersById;
};

// The HWND of a form's window (nullptr for a form of another platform).
HWND windowOf(const gui::Form& form);

}  // namespace win32
