// The editor's right-click menu: the usual clipboard commands in Slovenian.
// On a read-only day only copying and selecting are offered. Below them,
// looking back: this day in earlier years, and the year at a glance. Last, a
// diary with a password can be sealed on disk, and a sealed one unsealed.
#include "app/frm_main.h"
#include "app/pisarion.h"
#include "app/sealing.h"

namespace app {
namespace {
enum Command : size_t { kCut, kCopy, kPaste, kDelete, kSelectAll, kOnThisDay, kYearAtAGlance, kSealing };
}  // namespace

void frmMain::Text_ContextMenu() {
  CloseMenus();
  CloseDateDropDowns();
  gui::Editor& ed = editor();
  const bool writable = m_day.writing() && !ed.Locked();
  const bool selected = ed.selection().second != 0;
  std::vector<gui::MenuItem> items{{u"Izreži", writable && selected},
                                   {u"Kopiraj", selected},
                                   {u"Prilepi", writable},
                                   {u"Izbriši", writable && selected},
                                   {u"Izberi vse", !ed.text().empty()},
                                   {u"Na ta dan", true},
                                   {u"Leto na pogled", true}};
  Sealing& sealing = m_app.sealing();
  const bool canSeal = !sealing.sealed() && !m_app.state().password().empty();
  if (sealing.sealed() || canSeal)
    items.push_back({sealing.sealed() ? u"Odšifriraj dnevnik …" : u"Šifriraj dnevnik …", !sealing.converting()});
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
    case kSealing: sealing.sealed() ? sealing.offerUnsealing() : sealing.offerSealing(); break;
    default: break;
  }
}

}  // namespace app
