#pragma once
// The main window: the skinned frame, the title strip, the editor of the
// chosen day's entry, and the window's start-up, drag and shutdown.
#include <memory>
#include <string>

#include "gui/form.h"
#include "store/entries.h"
#include "store/settings.h"

namespace app {

class Pisarion;

// The editor seen by the store: its own rich-text file methods.
class EditorFile : public store::RichTextFile {
 public:
  explicit EditorFile(gui::Editor& editor) : m_editor(editor) {}
  bool SaveFile(const store::fs::path& path) override { return m_editor.SaveFile(path); }
  bool LoadFile(const store::fs::path& path) override { return m_editor.LoadFile(path); }
  void Clear() override { m_editor.setText(u""); }

 private:
  gui::Editor& m_editor;
};

class frmMain {
  Pisarion& m_app;
  gui::Form m_form;

 public:
  explicit frmMain(Pisarion& app);

  gui::Form& form() { return m_form; }
  gui::Editor& editor() { return *Text.editor(); }

  void Form_Load();
  void Form_Unload(bool& cancel);
  void Form_MouseDown(int button, int shift, double x, double y);
  void Form_MouseMove(int button, int shift, double x, double y);

  void LayoutMainWindow();
  // Shows a day's entry: today's editable, any other read-only. An empty key
  // stands for today.
  void ShowDay(std::string key);
  // Saves the editor into the entry opened for editing today.
  bool SaveToday();

  void placeFromSettings(const store::Settings& settings);
  // SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST by OnTopSetting.
  void applyOnTop();

  // The key of the day now shown and of the day opened for editing (the
  // date when today's entry was shown: past midnight it stays the old day).
  const std::string& shownKey() const { return m_shownKey; }
  const std::string& editingKey() const { return m_editingKey; }
  bool IzbranDanes() const { return !m_shownKey.empty() && m_shownKey == m_editingKey; }

  gui::PictureBox& PicNaslov;
  gui::PictureBox& PicText;
  gui::Host& Text;

  // Pointer position inside the window at the last left press.
  int DragAnchorX = 0;
  int DragAnchorY = 0;

 private:
  void paintFrame();
  void paintEditorFrame();
  void printTitle(const std::u16string& title);
  void endSession();

  std::unique_ptr<EditorFile> m_editorFile;
  std::string m_shownKey;
  std::string m_editingKey;
  bool m_unloading = false;
};

}  // namespace app
