#pragma once
// A diary started on the headless platform in a scratch folder, on a fixed
// day, with the text-model editor.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string_view>
#include <thread>

#include "app/frm_geslo.h"
#include "app/frm_main.h"
#include "app/frm_taskbar.h"
#include "app/pisarion.h"
#include "platform/headless/headless_platform.h"
#include "store/codec.h"
#include "store/file_io.h"
#include "store/settings.h"
#include "support/scratch.h"
#include "textmodel/text_editor.h"

class DiaryTest : public ::testing::Test {
 protected:
  ScratchFolder dir;
  headless::HeadlessPlatform platform;
  std::unique_ptr<app::Pisarion> diary;
  app::Environment env;

  DiaryTest() {
    env.settingsPatience = {2, std::chrono::milliseconds(1)};
    platform.setNow({{2026, 12, 7}, 10, 0, 0, 0});
    platform.setWorkArea({0, 0, 1280, 984});
    platform.setEditorFactory([] { return std::make_unique<textmodel::TextEditor>(); });
  }

  void start() {
    env.folder = dir.path();
    diary = std::make_unique<app::Pisarion>(platform, env);
    diary->start();
  }
  void writeSettings(const store::Settings& s) {
    ASSERT_TRUE(store::writeSettings(dir.path() / "Podatki.ini", s, {u','}, dir.path() / "t.tmp"));
  }
  store::Settings readSettings() { return store::readSettings(dir.path() / "Podatki.ini", {u','}); }
  // An entry file's content, decoded.
  std::string entry(const std::string& key) {
    store::Lines plain;
    store::transform(store::splitLines(dir.read(std::filesystem::path("Podatki") / key)), plain);
    return store::joinLines(plain);
  }
  void addEntry(const std::string& key, const std::string& plainRtf) {
    store::Lines enc;
    store::transform(store::splitLines(plainRtf), enc);
    dir.write(std::filesystem::path("Podatki") / key, store::joinLines(enc));
  }

  app::frmMain& main() { return diary->main(); }
  app::frmGeslo& login() { return diary->geslo(); }
  headless::HeadlessWindow& window(gui::Form& f) { return *platform.window(f); }
  // The main window's controls, found by name as the user finds them on screen.
  template <class T = gui::PictureBox>
  T& el(std::string_view name) {
    gui::Element* e = main().form().find(name);
    if (!e) throw std::runtime_error("the main window has no " + std::string(name));
    return dynamic_cast<T&>(*e);
  }
  gui::Label& label(std::string_view name) { return el<gui::Label>(name); }
  gui::Host& text() { return el<gui::Host>("Text"); }
  gui::Editor& editor() { return *text().editor(); }
  controls::Datumi& days() { return el<controls::Datumi>("Datumi1"); }
  controls::ComboBox2& yearList() { return el<controls::ComboBox2>("cmbLeta"); }
  controls::ComboBox2& monthList() { return el<controls::ComboBox2>("cmbMesci"); }
  std::u16string editorText() { return editor().text(); }
  void type(std::u16string_view text) {
    main().focusEditor();
    platform.typeText(text);
  }
  // The day's backup runs on a worker once the window is up: the virtual
  // clock moves on until the worker is done and its outcome has been told.
  void waitForBackup() {
    for (int i = 0; i < 100000 && !diary->dailyBackup().done(); ++i) {
      platform.advance(50);
      std::this_thread::yield();
    }
    platform.advance(50);
  }
};
