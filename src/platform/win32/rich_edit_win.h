#pragma once
// The diary's entry editor on Windows: a real RichEdit control (msftedit.dll,
// window class RICHEDIT50W) behind the gui::Editor interface.
//
// The control is a child of the main window. RichEdit reports selection
// changes and mouse input to its parent with WM_NOTIFY; the parent's window
// procedure passes every WM_NOTIFY to handleNotify, which finds the editor
// the notification comes from and raises onSelChange or onClick.
//
// Locked blocks the user and the formatting commands; the program itself can
// always replace the whole content (setText, setRichText), which is how a
// past day is shown in a read-only editor. Rich text comes and goes through
// memory streams only: no copy of the text is put on the disk.
#include <windows.h>
#include <richedit.h>

#include <functional>
#include <memory>

#include "gui/editor.h"
#include "gui/native_child.h"

namespace win32 {

class RichEditEditor : public gui::Editor {
 public:
  // Creates the control as a child of `parent` at `rect` (parent client
  // pixels), with the default font of gui::FontSpec. Answers nullptr when
  // msftedit.dll or the window cannot be had.
  static std::unique_ptr<RichEditEditor> create(HWND parent, const RECT& rect);
  ~RichEditEditor() override;
  RichEditEditor(const RichEditEditor&) = delete;
  RichEditEditor& operator=(const RichEditEditor&) = delete;

  HWND hwnd() const { return m_hwnd; }

  // For the parent's WM_NOTIFY: answers true when the notification came from
  // one of these editors (then *result is what the window procedure returns).
  static bool handleNotify(const NMHDR* hdr, LRESULT* result);
  // For the parent's WM_COMMAND: EN_CHANGE of one of these editors raises
  // onChange; answers whether the command was one.
  static bool handleCommand(WPARAM wParam, LPARAM lParam);

  // The control's window was replaced by a new one in its place (see
  // renew()); whoever keeps its handle takes the new one.
  std::function<void(HWND)> onRenewed;

  std::optional<std::string> richText() const override;
  bool setRichText(std::string_view rtf) override;
  bool appendRichText(std::string_view rtf) override;
  bool modified() const override;
  void setModified(bool modified) override;

  std::u16string text() const override;
  void setText(std::u16string_view text) override;

  bool Locked() const override;
  void setLocked(bool locked) override;

  gui::Tri SelBold() const override;
  void setSelBold(bool on) override;
  gui::Tri SelItalic() const override;
  void setSelItalic(bool on) override;
  gui::Tri SelUnderline() const override;
  void setSelUnderline(bool on) override;

  std::optional<base::Alignment> SelAlignment() const override;
  void setSelAlignment(base::Alignment alignment) override;
  std::optional<base::Color> SelColor() const override;
  void setSelColor(base::Color color) override;
  std::optional<double> SelFontSize() const override;
  void setSelFontSize(double points) override;

  // The format of new text, of an empty editor and of text given by setText
  // or loaded as plain text. Formatted text already in the editor keeps its
  // own format.
  void setFont(const gui::FontSpec& font) override;

  void setSelection(int start, int length) override;
  std::pair<int, int> selection() const override;
  void replaceSelection(std::u16string_view text) override;

  // The page colour, and whether a caret shows while the control has the
  // keys (a read-only page shows none, though the text can be selected).
  void applyLook(const gui::EditLook& look);

  void cut() override { send(WM_CUT); }
  void copy() override { send(WM_COPY); }
  void paste() override { send(WM_PASTE); }
  // A reader that has the editor is told when its name changes (another day shown).
  void setAccessibleName(std::u16string_view name) override {
    if (name == m_accessibleName) return;
    m_accessibleName = name;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hwnd, OBJID_CLIENT, CHILDID_SELF);
  }

 private:
  explicit RichEditEditor(HWND hwnd);

  LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  CHARFORMAT2W selectionFormat() const;
  gui::Tri effect(DWORD mask, DWORD effect) const;
  void applyToSelection(CHARFORMAT2W& format);
  // Replace the whole content without notifications, even while locked, and
  // leave the caret at the start; the caller raises onSelChange.
  // Plain text takes the default format.
  void replaceAllWithText(std::u16string_view text);
  // False when the control's reader made nothing of a document it found faulty.
  bool replaceAllWithRtf(std::string_view rtf);
  void formatChanged();
  void afterReplacingAll();
  void renew();
  // Every control this editor makes runs its messages past subclassProc.
  void adopt(HWND hwnd);
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND m_hwnd = nullptr;
  gui::EditLook m_look;
  std::u16string m_accessibleName;
};

}  // namespace win32
