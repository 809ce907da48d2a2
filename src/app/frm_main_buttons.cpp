// The main window's skinned buttons: the seven toolbar buttons with their
// timers, the three formatting menus they open, and the four round caption
// buttons with their commands.
#include "app/frm_main.h"
#include "app/frm_spremeni_geslo.h"
#include "app/frm_taskbar.h"
#include "app/pisarion.h"

namespace app {

namespace {
constexpr int kPoravnajLeft = 183, kBarvoLeft = 226, kVelikostLeft = 270;
}  // namespace

void frmMain::makeButtons() {
  const gui::Surface& atlas = m_app.PictureGUI;
  const skin::EditorSource ed = [this] { return Text.editor(); };
  using Format = skin::FormatToggle::Format;

  menus = std::make_unique<skin::FormatMenus>(m_form, atlas, kPoravnajLeft, kBarvoLeft, kVelikostLeft);

  geslo = std::make_unique<skin::PasswordButton>(BtnGeslo, atlas, "tmrBtnGeslo", "tmrBtnGesloE");
  krepko = std::make_unique<skin::FormatToggle>(BtnKrepko, atlas, "TmrBtnKrepko", "TmrBtnKrepkoE", Format::Bold, ed);
  ležeče =
      std::make_unique<skin::FormatToggle>(BtnLežeče, atlas, "tmrBtnLežeče", "tmrBtnLežečeE", Format::Italic, ed);
  podčrtano = std::make_unique<skin::FormatToggle>(BtnPodčrtano, atlas, "TMRBtnPodčrtano", "TMRBtnPodčrtanoE",
                                                   Format::Underline, ed);
  poravnaj = std::make_unique<skin::MenuButton>(BtnPoravnaj, atlas, "tmrBtnPoravnaj", "tmrBtnPoravnajE",
                                                skin::ToolbarFace::PoravnajLevo, ed, menus->mnuPoravnaj);
  spremeniBarvo =
      std::make_unique<skin::MenuButton>(BtnSpremeniBarvo, atlas, "tmrBtnSpremeniBarvo", "tmrBtnSpremeniBarvoE",
                                         skin::ToolbarFace::SpremeniBarvo, ed, menus->mnuSpremniBarvo);
  spremeniVelikost = std::make_unique<skin::MenuButton>(BtnSpremeniVelikost, atlas, "tmrBtnSpremeniVelikost",
                                                        "tmrBtnSpremeniVelikostE", skin::ToolbarFace::SpremeniVelikost,
                                                        ed, menus->mnuSpremeniVelikost);
  for (skin::ToolbarButton* b : std::initializer_list<skin::ToolbarButton*>{geslo.get(), krepko.get(), ležeče.get(),
                                                                            podčrtano.get()})
    b->CloseMenus = [this] { CloseMenus(); };
  geslo->onCommand = [this] { m_app.spremeniGeslo().Open(); };
  for (skin::MenuButton* m : {poravnaj.get(), spremeniBarvo.get(), spremeniVelikost.get()})
    m->closeOtherMenus = [this, m] { menus->closeOthers(m->menu()); };

  poravnava = std::make_unique<skin::AlignmentMenu>(menus->mnuPoravnaj, atlas, ed);
  spremeniBarvo->showMarks(m_app.faceMarks);
  spremeniVelikost->showMarks(m_app.faceMarks);
  velikost = std::make_unique<skin::SizeMenu>(menus->mnuSpremeniVelikost, atlas, m_app.faceMarks,
                                              BtnSpremeniVelikost, ed);
  barve = std::make_unique<skin::ColourMenu>(menus->mnuSpremniBarvo, atlas, m_app.faceMarks, BtnSpremeniBarvo,
                                             picBarvaZaGumb, ed);
  // The right-align item is put back to rest as the alignment menu opens or closes.
  poravnaj->beforeToggle = [this] { poravnava->drawFace(poravnava->Desno, skin::ButtonState::Rest); };

  BtnGeslo.setToolTip(u"Spremeni Geslo...");
  BtnKrepko.setToolTip(u"Krepko");
  BtnLežeče.setToolTip(u"Ležeče");
  BtnPodčrtano.setToolTip(u"Podčrtano");
  BtnPoravnaj.setToolTip(u"Nastavi Postavitev Pisave...");
  // Every toolbar button says what it does, these two as well.
  BtnSpremeniBarvo.setToolTip(u"Barva pisave");
  BtnSpremeniVelikost.setToolTip(u"Velikost pisave");

  zapri = std::make_unique<skin::RoundButton>(BtnZapri, atlas, m_form, "TmrBtnZapri", skin::CaptionButton::Zapri);
  mini = std::make_unique<skin::RoundButton>(BtnMini, atlas, m_form, "TmrBtnMini", skin::CaptionButton::Mini);
  zloži = std::make_unique<skin::RoundButton>(BtnZloži, atlas, m_form, "TmrBtnZloži", skin::CaptionButton::Zloži);
  vednoNaVrhu = std::make_unique<skin::OnTopButton>(BtnVednoNaVrhu, atlas, "TmrBtnVednoNaVrhu",
                                                    [this] { return m_app.state().OnTopSetting(); });
  for (skin::RoundButton* b : {zapri.get(), mini.get(), zloži.get()}) b->CloseMenus = [this] { CloseMenus(); };
  // Closing saves the entry and the settings and ends the program.
  zapri->onCommand = [this] { m_form.unload(); };
  // The taskbar window hides the diary as it is minimised.
  mini->onCommand = [this] { m_app.taskbar().form().setWindowState(gui::kMinimized); };
  vednoNaVrhu->toggle = [this] {
    m_app.state().setOnTopSetting(!m_app.state().OnTopSetting());
    applyOnTop();
    m_app.saveSettingsNow();  // kept at once, not only at the close
  };
  // The fold slides to the corner of the work area as it is now.
  zloži->onCommand = [this] {
    docking().StartDockDrag(0, 0);
    docking().GetSize(0, 0);
    m_app.FoldToMini();
  };

  BtnZapri.setToolTip(u"Zapri in Shrani Dnevnik");
  BtnMini.setToolTip(u"Minimiraj Dnevnik");
  BtnZloži.setToolTip(u"Zloži Dnevnik (In Prikaži Na Vrhu)");
  BtnVednoNaVrhu.setToolTip(u"Prikaži Dnevnik Na Vrhu");
}

void frmMain::layoutCaptionButtons(shape::clsTransForm& shaper) {
  const int W = m_form.pixelWidth();
  zapri->place(W - 21);
  mini->place(W - 36);
  vednoNaVrhu->place(W - 54);
  zloži->place(W - 72);
  // The atlas's magenta around each round face is cut away.
  for (gui::PictureBox* b : {&BtnZapri, &BtnMini, &BtnVednoNaVrhu, &BtnZloži}) shaper.ShapeMe(*b, base::kKeyColor);
}

void frmMain::drawOnTopFace() { vednoNaVrhu->drawFace(skin::ButtonState::Rest); }

}  // namespace app
