// What a screen reader is told of the main window: the toolbar's buttons and
// their open menu, the editor named by the day it shows, the year and month
// boxes with their shown text, the day list with its rows, the search field
// and its count, the caption buttons.
#include <algorithm>

#include "app/frm_main.h"
#include "app/pisarion.h"
#include "app/search_field.h"
#include "base/cp1250.h"
#include "base/date.h"
#include "export/format.h"
#include "skin/window_table.h"

namespace app {
namespace {
using Role = gui::AccRole;

// The controls that are not skinned buttons (those tell their own role and
// tip): the boxes and the day list; the editor's name follows the day.
const skin::AccessRow kAccess[] = {
    {"PicLeto", Role::ComboBox, u"Leto"},
    {"PicMesec", Role::ComboBox, u"Mesec"},
    {"Datumi1", Role::List, u"Dnevi"},
};

void addButton(gui::AccNode& into, const skin::SkinnedButton& button) {
  if (auto node = button.describe()) into.add(std::move(*node));
}

// The rows of a list: each a selectable item named by its text, the chosen
// one selected (and holding the keys while the list has them).
void addRows(gui::AccNode& list, const controls::RowList& rows, int chosen, bool hasKeys) {
  for (int i = 1; i <= rows.rowCount(); ++i) {
    const gui::Label& row = *rows.lblDan[i];
    gui::AccNode& item = list.add(skin::describeControl(row, Role::ListItem, row.text()));
    item.state |= gui::kAccSelectable;
    if (i == chosen) {
      item.state |= gui::kAccSelected;
      if (hasKeys) {
        item.state |= gui::kAccFocused;
        list.state &= ~gui::kAccFocused;
      }
    }
  }
}

}  // namespace

std::u16string frmMain::editorName() const {
  const std::string key = shownKey().empty() ? m_app.todayKey() : shownKey();
  const bool readOnly = !m_day.writing() || key != m_day.writingKey();
  if (!readOnly && key == m_app.todayKey()) return u"Zapis za danes";
  std::u16string name = u"Zapis za ";
  if (const auto date = base::parseDateKey(key)) name += base::utf8ToUtf16(exporting::dayHeading(*date));
  if (readOnly) name += u", samo za branje";
  return name;
}

namespace {

// The location of a group lies round its members'.
void fitAroundChildren(gui::AccNode& group) {
  gui::Rect& r = group.location;
  for (const gui::AccNode& b : group.children) {
    const int right = std::max(r.right(), b.location.right()), bottom = std::max(r.bottom(), b.location.bottom());
    r.x = std::min(r.x, b.location.x);
    r.y = std::min(r.y, b.location.y);
    r.w = right - r.x;
    r.h = bottom - r.y;
  }
}

}  // namespace

// The toolbar's buttons, the three menu openers with their menu while it is open.
gui::AccNode frmMain::describeToolbar() const {
  gui::AccNode toolbar = gui::accNode(Role::ToolBar, u"Orodna vrstica", {15, skin::kToolbarTop, 1, 1});
  addButton(toolbar, *geslo);
  addButton(toolbar, *krepko);
  addButton(toolbar, *ležeče);
  addButton(toolbar, *podčrtano);
  const std::pair<const skin::SkinnedButton*, const gui::PictureBox*> openers[] = {
      {poravnaj.get(), &menus->mnuPoravnaj},
      {spremeniBarvo.get(), &menus->mnuSpremniBarvo},
      {spremeniVelikost.get(), &menus->mnuSpremeniVelikost}};
  for (const auto& [button, menu] : openers) {
    auto node = button->describe();
    if (!node) continue;
    if (menu->shown()) {
      // The item in use is checked; the one the keyboard points at has the
      // focus, which its button then gives up.
      gui::AccNode& popup = node->add(skin::describeMenu(*menu, node->name));
      const std::vector<gui::Element*> items = menuItems(*menu);
      const auto mark = [&](int k, uint32_t state) {
        gui::AccNode* item = k > 0 && k <= static_cast<int>(items.size()) ? skin::nodeOf(popup, *items[k - 1]) : nullptr;
        if (item) item->state |= state;
        return item != nullptr;
      };
      mark(currentMenuItem(*menu), gui::kAccChecked);
      if (button->box().hasFocus() && mark(m_menuItem, gui::kAccFocused)) node->state &= ~gui::kAccFocused;
    }
    toolbar.add(std::move(*node));
  }
  fitAroundChildren(toolbar);
  return toolbar;
}

// The year and month boxes tell their shown text and, while open, their rows.
void frmMain::describeDateBoxes(gui::AccNode& window) const {
  const std::pair<const gui::PictureBox*, const controls::ComboBox2*> boxes[] = {{&PicLeto, &cmbLeta},
                                                                                {&PicMesec, &cmbMesci}};
  const gui::Label* shownText[] = {&lblLeto, &lblMesec};
  for (int i = 0; i < 2; ++i) {
    const auto [box, list] = boxes[i];
    gui::AccNode* node = skin::nodeOf(window, *box);
    if (!node) continue;
    node->value = shownText[i]->text();
    node->state |= gui::kAccHasPopup | (list->shown() ? gui::kAccExpanded : gui::kAccCollapsed);
    if (list->shown())
      addRows(node->add(skin::describeControl(*list, Role::List, node->name)), *list, list->highlightedRow(), list->hasFocus());
  }
}

void frmMain::describe(gui::AccNode& window) {
  window.add(describeToolbar());

  if (Text.editor()) {
    gui::AccNode& text = window.add(skin::describeControl(Text, Role::Text, editorName()));
    if (Text.editor()->Locked()) text.state |= gui::kAccReadOnly;
  }

  skin::describeControls(m_form, kAccess, window);
  describeDateBoxes(window);
  if (gui::AccNode* days = skin::nodeOf(window, Datumi1)) addRows(*days, Datumi1, Datumi1.Izbrana, Datumi1.hasFocus());

  if (searchField) searchField->describe(window);

  addButton(window, *zloži);
  addButton(window, *vednoNaVrhu);
  addButton(window, *mini);
  addButton(window, *zapri);
  giveDefaultActions(window);
}

// A button's default action is what Space does on it (a menu button opens
// its menu, or closes it while open); a menu item's chooses it.
void frmMain::giveDefaultActions(gui::AccNode& window) {
  for (const auto& group : {toolbarBoxes(), captionBoxes()})
    for (gui::PictureBox* box : group) {
      gui::AccNode* node = skin::nodeOf(window, *box);
      if (!node) continue;
      gui::PictureBox* menu = menuOf(*box);
      node->doDefault = [this, box, menu] {
        if (!menu) return pressButton(*box);
        if (menu->visible()) return CloseMenus();
        openMenuByKeyboard(*box, *menu);
      };
      if (!menu || !menu->shown()) continue;
      const std::vector<gui::Element*> items = menuItems(*menu);
      for (int k = 1; k <= static_cast<int>(items.size()); ++k)
        if (gui::AccNode* item = skin::nodeOf(window, *items[k - 1]))
          item->doDefault = [this, menu, k] {
            if (menu->visible()) chooseMenuItem(*menu, k);
          };
    }
}

}  // namespace app
