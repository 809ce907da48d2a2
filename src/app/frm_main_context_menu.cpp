// The editor's right-click menu: the usual clipboard commands in Slovenian.
// On a read-only day only copying and selecting are offered. Below them,
// looking back: this day in earlier years, and the year at a glance.
#include "app/frm_main.h"
#include "app/pisarion.h"

namespace app {
namespace {
enum Command : size_t { kCut, kCopy, kPaste, kDelete, kSelectAll, kOnThisDay, kYearAtAGlance };
}  // namespace

void frmMain::Text_ContextMenu() {
  CloseMenus();
  CloseDateDropDowns();
  gui::Editor& ed = editor();
  const bool writable = m_day.writing() && !ed.Locked();
  const bool selected = ed.selection().second != 0;
  const std::vector<gui::MenuItem> items{{u"Izreži", writable && selected},
                                         {u"Kopiraj", selected},
                                         {u"Prilepi", writable},
                                         {u"Izbriši", writable && selected},
                                         {u"Izberi vse", !ed.text().empty()},
                                         {u"Na ta dan", true},
                                         {u"Leto na pogled", true}};
  const std::optional<size_t> chosen = m_app.platform().popupMenu(m_form, items);
  if (!chosen || !items[*chosen].enabled) return;
  switch (*chosen) {
    case kCut: ed.cut(); break;
    case kCopy: ed.copy(); break;
    case kPaste: ed.paste(); break;
    case kDelete: ed.deleteSelection(); break;
    case kSelectAll: ed.selectAll(); break;
    case kOnThisDay: OnThisDay(); break;
    case kYearAtAGlance: OpenYearAtAGlance(); break;
    default: break;
  }
}

}  // namespace app
