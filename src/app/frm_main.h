#pragma once
// The main window: the skinned frame, the title strip, the editor of the
// chosen day's entry, the year, month and day pickers, the formatting
// toolbar, and the window's start-up, drag and shutdown.
//
// frm_main.cpp: frame, load, unload, drag · frm_main_dates.cpp: the pickers
// and showing a day · frm_main_toolbar.cpp: the toolbar's table, its buttons and menus,
// toggles, indicators · frm_main_buttons.cpp: the caption buttons ·
// frm_main_keys.cpp: where the keyboard is, how it moves, how it is shown
#include <memory>
#include <string>
#include <vector>

#include "app/day_on_screen.h"
#include "controls/combo_box2.h"
#include "controls/datumi.h"
#include "gui/form.h"
#include "search/diary_search.h"
#include "search/query.h"
#include "shape/cls_docking_handler.h"
#include "shape/cls_trans_form.h"
#include "shape/std_trans_s1.h"
#include "skin/alignment_menu.h"
#include "skin/colour_menu.h"
#include "skin/format_menus.h"
#include "skin/size_menu.h"
#include "skin/skinned_button.h"
#include "store/entries.h"
#include "store/settings.h"

namespace app {

class Pisarion;
class SearchField;
class frmLeto;

class frmMain {
  Pisarion& m_app;
  gui::Form m_form;

 public:
  explicit frmMain(Pisarion& app);
  ~frmMain();

  gui::Form& form() { return m_form; }
  // The keyboard to the day's text, so that writing can start at once.
  void focusEditor() { Text.setFocus(); }
  void placeFromSettings(const store::Settings& settings);
  // Keeps the window on top or not, by OnTopSetting, through the docking handler.
  void applyOnTop();
  // The keep-on-top button's rest face for the current setting.
  void drawOnTopFace();
  // The diary goes out of sight (minimised, or folded into the mini clock):
  // today's changed text is saved now.
  void SaveWhileAway();
  // The day's backup starts a moment after the window is up and drawn.
  void backUpSoon();
  // The settings file written now, quietly: false when it could not be.
  bool saveSettings();
  // A few words after the title (the progress of sealing); empty: none.
  void showTitleNote(std::u16string_view note);

  // Everything below is the window's own: its controls, their handlers and
  // its state. The rest of the program and the tests reach the window only
  // through the calls above, its form and the input the user gives it.
 private:
  gui::Editor& editor() { return *Text.editor(); }

  void Form_Load();
  void Form_Unload(bool& cancel);
  void Form_MouseDown(int button, int shift, double x, double y);
  void Form_MouseMove(int button, int shift, double x, double y);

  void Form_Click();
  // Ctrl+key anywhere in the window, before the editor sees it: true when taken.
  bool Form_Shortcut(int keyCode, int shift);

  void LayoutMainWindow();
  void LayoutToolbar();
  // Shows a day's entry: today's editable with the formatting buttons, any
  // other read-only without them. An empty key stands for today. Choosing
  // the entry being written again keeps the editor as it is.
  void ShowDay(std::string key);
  // The window's place, the keep-on-top choice and the password into the
  // settings file. When it cannot be written the user is asked whether to
  // close anyway (losing those changes); false when they say no.
  bool WriteSettings();

  // ---- date navigation
  void Datumi1_IzbtranDatum(std::string& Dan);
  void Datumi1_SpremembaIzbora(std::string& StarDan, std::string& NovDan);
  void Datumi1_ČiščenjeIzbora(bool& Danes);
  void Datumi1_Klik();
  void cmbLeta_Izbran(std::string& tekst);
  void cmbMesci_Izbran(std::string& tekst);
  void cmbLeta_Resize();
  void cmbMesci_Resize();
  void BtnLeta_MouseDown(int button, int shift, double x, double y);
  void lblLeto_MouseDown(int button, int shift, double x, double y);
  void BtnMesec_MouseDown(int button, int shift, double x, double y);
  void lblMesec_MouseDown(int button, int shift, double x, double y);
  void Text_Click();
  // Right button released in the editor: cut, copy, paste, delete, select all.
  void Text_ContextMenu();
  // ---- searching the whole diary (frm_main_search.cpp)
  // Ctrl+F: the search field over the year and month boxes, results in the day list.
  void OpenSearch();
  // Back to the year and month boxes and the month of the day on screen.
  void CloseSearch();
  bool searching() const;
  // Searches now for the field's words.
  void runSearch();

  // ---- looking back (frm_main_looking_back.cpp)
  // Ctrl+D: the shown date in earlier years, in the day list as search results.
  void OnThisDay();
  // Ctrl+Shift+D: the year window for the shown day's year.
  void OpenYearAtAGlance();
  // Ctrl+P: the day on screen to the printer, under its heading.
  void PrintDay();
  void showDayOfYearWindow(const std::string& key);
  void HideYearWindow();
  std::string keyOnScreen() const;  // the shown day's key, today's when none is

  // Hides the year and month drop-downs that are open.
  void CloseDateDropDowns();
  // Hides the size, colour and alignment menus that are open.
  void CloseMenus();

  // ---- formatting toolbar
  // Ctrl+B, Ctrl+I, Ctrl+U: the toolbar toggle's command on today's
  // selection, its face following; nothing on a read-only day.
  void ToggleFormat(skin::Format format);
  // The editor's selection moved: the indicators follow it while it is editable.
  void Text_SelChange();

  // The window's edge-snapping object, made on first use.
  shape::clsDockingHandler& docking();

  // The key of the day now shown.
  const std::string& shownKey() const { return m_day.shownKey(); }

  gui::PictureBox& PicNaslov;
  gui::PictureBox& PicText;
  gui::Host& Text;

  gui::PictureBox& PicLeto;
  gui::Label& lblLeto;
  gui::PictureBox& BtnLeta;
  gui::PictureBox& PicMesec;
  gui::Label& lblMesec;  // the month's name; its tag the month's two digits
  gui::PictureBox& BtnMesec;
  gui::PictureBox& PicDatumi;
  controls::Datumi& Datumi1;
  gui::PictureBox& PiccmbLeta;
  controls::ComboBox2& cmbLeta;
  gui::PictureBox& PicCmbMesci;
  controls::ComboBox2& cmbMesci;

  gui::PictureBox& BtnGeslo;
  gui::PictureBox& BtnKrepko;
  gui::PictureBox& BtnLežeče;
  gui::PictureBox& BtnPodčrtano;
  gui::PictureBox& BtnPoravnaj;
  gui::PictureBox& BtnSpremeniBarvo;
  gui::PictureBox& BtnSpremeniVelikost;
  // Its back colour is the text colour the colour button shows.
  gui::PictureBox& picBarvaZaGumb;
  gui::PictureBox& BtnZapri;
  gui::PictureBox& BtnMini;
  gui::PictureBox& BtnVednoNaVrhu;
  gui::PictureBox& BtnZloži;

  // The behaviour of the buttons above: faces, states, timers, commands.
  std::unique_ptr<skin::FormatMenus> menus;  // mnuPoravnaj, mnuSpremniBarvo, mnuSpremeniVelikost
  std::unique_ptr<skin::AlignmentMenu> poravnava;  // the items inside mnuPoravnaj
  std::unique_ptr<skin::SizeMenu> velikost;        // the sizes inside mnuSpremeniVelikost
  std::unique_ptr<skin::ColourMenu> barve;         // the swatches inside mnuSpremniBarvo
  std::unique_ptr<skin::SkinnedButton> geslo, krepko, ležeče, podčrtano, poravnaj, spremeniBarvo, spremeniVelikost;
  std::unique_ptr<skin::SkinnedButton> zapri, mini, zloži, vednoNaVrhu;
  std::unique_ptr<skin::SkinnedButton> yearOpener, monthOpener;  // BtnLeta, BtnMesec
  std::unique_ptr<SearchField> searchField;
  std::unique_ptr<search::DiarySearch> diarySearch;  // made by the first search
  std::unique_ptr<frmLeto> m_leto;                   // the year window, made on first use

  // Pointer position inside the window at the last left press.
  int DragAnchorX = 0;
  int DragAnchorY = 0;

  // The window's shape: its rounded corners.
  shape::stdTRANSs1 Regija;

  void paintFrame();
  void paintEditorFrame();
  void printTitle(const std::u16string& title);
  void endSession();
  void wireWindowEvents();
  void wireEvents();

  // frm_main_dates.cpp
  void makeDateOpeners();
  void layoutDatePickers(shape::clsTransForm& shaper);
  void fillPickersForToday();
  void fillDays(const std::string& month, const std::string& year);
  void setMonthLabel(const std::string& month);
  void openYearList();
  void openMonthList();
  void listLostFocus(controls::ComboBox2& list);
  void closeList(gui::PictureBox& holder, skin::SkinnedButton& opener);
  // Every skinned button, menu and the search field copy their faces from
  // the atlas of the window's scale of now.
  void takeAtlasForScale();
  void fitListHolder(gui::PictureBox& holder, controls::ComboBox2& list);
  // Where an open list beginning above y should end to hide whole what it covers.
  int bottomOfWhatLiesBeneath(int y) const;

  // frm_main_search.cpp
  void makeSearch();
  void showMonthOf(const std::string& key);
  void showResults();
  void searchDayShown(const std::string& key);
  void searchEnter();
  void searchArrow(int keyCode);
  void showReadingProgress();
  void refreshWrittenDay();

  // frm_main_access.cpp
  void describe(gui::AccNode& window);
  gui::AccNode describeToolbar() const;
  void describeDateBoxes(gui::AccNode& window) const;
  std::u16string editorName() const;
  void giveDefaultActions(gui::AccNode& window);

  // frm_main_buttons.cpp
  void makeCaptionButtons();
  void layoutCaptionButtons(shape::clsTransForm& shaper);

  // frm_main_keys.cpp
  void wireKeyboard();
  // Tab, Shift+Tab, Ctrl+Tab and Escape, before whoever has the keys.
  bool takeNavigationKey(int keyCode, int shift);
  // The Ctrl keys of the caption buttons, the alignment and the password
  // window; false for a key that is none of them.
  bool takeCommandKey(int keyCode, int shift);
  // Ctrl+L, Ctrl+Shift+E, Ctrl+R: the alignment menu's item on today's
  // paragraphs, the toolbar's face following; nothing on a read-only day.
  void AlignParagraphs(base::Alignment alignment);
  void moveKeyboard(int step);
  void box_KeyDown(controls::ComboBox2& list, int keyCode);
  // A row chosen in a list: the keys go back to the editor after a mouse
  // choice, to the list's box after Enter.
  void afterListChoice(controls::ComboBox2& list);
  bool closeOpenLists();
  // The mark round whatever has the keys.
  void markFocus();
  void makeFocusRing(gui::Container& parent);
  gui::Shape* m_focusRing[2] = {nullptr, nullptr};
  // The toolbar's buttons and the caption buttons, each left to right.
  std::vector<gui::PictureBox*> toolbarBoxes() const;
  std::vector<gui::PictureBox*> captionBoxes() const;
  // Space, Enter and the arrows on a toolbar or caption button that has the keys.
  void button_KeyDown(gui::PictureBox& box, int keyCode);
  // What a click on the button does: its toggle or its command.
  void pressButton(gui::PictureBox& box);
  // A button's command, with what the mouse would have closed on its way to it.
  void runCommand(skin::SkinnedButton& button);
  // The menu a toolbar button opens; nullptr for the other buttons.
  gui::PictureBox* menuOf(const gui::Element& opener) const;
  // A menu's items in the order the arrows walk them, and how many lie in a row.
  std::vector<gui::Element*> menuItems(const gui::PictureBox& menu) const;
  int menuColumns(const gui::PictureBox& menu) const;
  // The item (1 …) of the selection's alignment, size or colour; 0: none (mixed).
  int currentMenuItem(const gui::PictureBox& menu) const;
  void openMenuByKeyboard(gui::PictureBox& opener, gui::PictureBox& menu);
  // The highlight of the open menu on item k; 0: on none.
  void pointMenuItem(gui::PictureBox& menu, int k);
  void chooseMenuItem(gui::PictureBox& menu, int k);
  int m_menuItem = 0;  // the item the keyboard points at in the open menu; 0: none

  // frm_main_toolbar.cpp
  void makeToolbar();
  void drawIndicators();
  // The toolbar of a day that can be written, or of one that cannot.
  enum class ToolbarLook { Active, Inactive };
  void drawSeparators(ToolbarLook look);
  void showFormatting(ToolbarLook look);

  std::unique_ptr<shape::clsDockingHandler> m_docking;
  void showWritable(bool writable);
  // The editor's page and the lists in the skin's colours, or in the
  // system's while high contrast is on.
  void applyColours();
  gui::EditLook editLook() const;
  bool m_writable = true;  // the day on screen can be written

  DayOnScreen m_day;
  gui::Timer& tmrVarnostnaKopija;
  bool m_sessionEnding = false;  // logging off: no question can be answered
  search::Query m_query;         // the words last searched for
  std::u16string m_queryText;
};

}  // namespace app
