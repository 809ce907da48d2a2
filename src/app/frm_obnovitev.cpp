#include "app/frm_obnovitev.h"

#include <utility>

#include "app/pisarion.h"
#include "base/cp1250.h"
#include "skin/atlas.h"
#include "skin/window_table.h"
#include "store/file_io.h"

namespace app {
namespace {

constexpr int kWidth = 330, kHeight = 150;
const gui::FontSpec kFont{u"Arial", 238, 8.25, false};
const gui::FontSpec kBold{u"Arial", 238, 8.25, true};
const gui::FontSpec kCodeFont{u"Courier New", 238, 12, true};

void style(gui::Label& label, gui::Rect r, const gui::FontSpec& font, base::Alignment alignment) {
  label.move(r.x, r.y, r.w, r.h);
  label.setFont(font);
  label.setAlignment(alignment);
  label.setForeColor(skin::kTextBlue);
  label.setBackColor(gui::Color::rgb(255, 255, 255));
}

}  // namespace

frmObnovitev::frmObnovitev(Pisarion& app)
    : m_app(app),
      m_form(app.platform(), "frmObnovitev"),
      lblNaslov(m_form.add<gui::Label>("lblNaslov")),
      lblKoda(m_form.add<gui::Label>("lblKoda")),
      lblNasvet(m_form.add<gui::Label>("lblNasvet")),
      lblNasvet2(m_form.add<gui::Label>("lblNasvet2")),
      lblNasvet3(m_form.add<gui::Label>("lblNasvet3")),
      BtnKopiraj(m_form.add<gui::Label>("BtnKopiraj")),
      BtnShrani(m_form.add<gui::Label>("BtnShrani")),
      Text1(m_form.add<gui::TextBox>("Text1")) {
  m_form.setCaption(u"Obnovitvena koda");
  m_form.setWidth(kWidth * m_form.tppX());
  m_form.setHeight(kHeight * m_form.tppY());
  paintAndStyle();
  Text1.move(0, kHeight + 20, 10, 10);
  Text1.setTakesFocus(true);
  BtnKopiraj.onClick = [this] { BtnKopiraj_Click(); };
  BtnShrani.onClick = [this] { BtnShrani_Click(); };
  Text1.onKeyDown = [this](int key, int shift) { Text1_KeyDown(key, shift); };
  m_form.onClick = [this] { Text1.setFocus(); };
  m_form.onDescribe = [this](gui::AccNode& window) { describe(window); };
  m_form.onUnload = [this](bool& cancel) {
    cancel = true;
    close();
  };
}

// The window's frame, the labels' places, fonts and words, the two buttons.
void frmObnovitev::paintAndStyle() {
  m_form.surface().fill(m_form.surface().bounds(), skin::kTextBlue);
  m_form.surface().fill({2, 2, kWidth - 4, kHeight - 4}, gui::Color::rgb(255, 255, 255));
  style(lblNaslov, {10, 10, kWidth - 20, 16}, kBold, base::Alignment::Center);
  lblNaslov.setText(u"Obnovitvena koda dnevnika");
  style(lblKoda, {10, 34, kWidth - 20, 22}, kCodeFont, base::Alignment::Center);
  const char16_t* advice[] = {u"Če pozabite geslo, dnevnik odpre le ta koda.",
                              u"Shranite jo na varno, stran od računalnika;",
                              u"brez gesla in brez nje zapisov ne prebere nihče."};
  gui::Label* lines[] = {&lblNasvet, &lblNasvet2, &lblNasvet3};
  for (int i = 0; i < 3; ++i) {
    style(*lines[i], {10, 62 + 15 * i, kWidth - 20, 15}, kFont, base::Alignment::Center);
    lines[i]->setText(advice[i]);
  }
  style(BtnKopiraj, {40, 116, 110, 20}, kBold, base::Alignment::Center);
  BtnKopiraj.setText(u"Kopiraj");
  BtnKopiraj.setToolTip(u"Kopiraj kodo na odložišče (Ctrl+C)");
  BtnKopiraj.setBackColor(skin::kPaleBlue);
  style(BtnShrani, {180, 116, 110, 20}, kBold, base::Alignment::Center);
  BtnShrani.setText(u"Shrani …");
  BtnShrani.setToolTip(u"Shrani kodo v datoteko (Ctrl+S)");
  BtnShrani.setBackColor(skin::kPaleBlue);
}

void frmObnovitev::ShowCode(std::u16string code) {
  m_code = std::move(code);
  lblKoda.setText(m_code);
  const gui::Rect wa = m_app.platform().workArea();
  const gui::Rect size = m_form.scaledBounds({}, kWidth, kHeight);
  m_form.setPixelBounds({wa.x + (wa.w - size.w) / 2, wa.y + (wa.h - size.h) / 2, size.w, size.h});
  m_form.setWindowPos(gui::InsertAfter::Topmost, m_form.pixelBounds());
  m_form.refresh();
  m_form.show();
  Text1.setFocus();
}

void frmObnovitev::BtnKopiraj_Click() {
  if (!m_app.platform().copyText(m_code))
    m_app.platform().messageBox(u"Kode ni bilo mogoče kopirati na odložišče.", u"Pisarion",
                                gui::MessageIcon::Exclamation);
  Text1.setFocus();
}

void frmObnovitev::BtnShrani_Click() {
  const auto answer = m_app.platform().askSaveFile(
      m_form, {u"Shrani obnovitveno kodo", u"Pisarion obnovitvena koda.txt", {{u"Besedilo (*.txt)", u"txt"}}});
  Text1.setFocus();
  if (!answer) return;
  std::filesystem::path file = answer->file;
  if (!file.has_extension()) file += ".txt";
  const std::string text = "Obnovitvena koda dnevnika Pisarion:\r\n" + base::utf16ToUtf8(m_code) + "\r\n";
  std::filesystem::path temp = file;
  temp += ".tmp";
  if (!store::writeFileAtomic(file, text, temp))
    m_app.platform().messageBox(u"Kode ni bilo mogoče shraniti v datoteko:\n" + file.u16string(), u"Pisarion",
                                gui::MessageIcon::Exclamation);
}

void frmObnovitev::Text1_KeyDown(int keyCode, int shift) {
  if (keyCode == gui::kKeyReturn || keyCode == gui::kKeyEscape) close();
  else if (shift == gui::kCtrl && keyCode == 'C') BtnKopiraj_Click();
  else if (shift == gui::kCtrl && keyCode == 'S') BtnShrani_Click();
}

// A screen reader hears the title, the code itself (to be written down),
// the advice and the two buttons, which it can press.
void frmObnovitev::describe(gui::AccNode& window) {
  window.add(skin::describeControl(lblNaslov, gui::AccRole::StaticText, lblNaslov.text()));
  window.add(skin::describeControl(lblKoda, gui::AccRole::StaticText, u"Obnovitvena koda")).value = lblKoda.text();
  for (const gui::Label* line : {&lblNasvet, &lblNasvet2, &lblNasvet3})
    window.add(skin::describeControl(*line, gui::AccRole::StaticText, line->text()));
  window.add(skin::describeControl(BtnKopiraj, gui::AccRole::PushButton, BtnKopiraj.toolTip())).doDefault = [this] { BtnKopiraj_Click(); };
  window.add(skin::describeControl(BtnShrani, gui::AccRole::PushButton, BtnShrani.toolTip())).doDefault = [this] { BtnShrani_Click(); };
}

void frmObnovitev::close() {
  m_form.hide();
  m_code.assign(m_code.size(), u' ');  // the code is on screen once only
  lblKoda.setText(u"");
  if (auto then = std::exchange(onClosed, nullptr)) then();
}

}  // namespace app
