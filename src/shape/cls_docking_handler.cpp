#include "shape/cls_docking_handler.h"

#include <cstdlib>

namespace shape {

void DragWithin(gui::Form& form, gui::Point cursor, gui::Point anchor, const WorkArea& wa) {
  const int top = (cursor.y - anchor.y) * form.tppY();
  if (top <= wa.WorkAreaTop) form.setTop(wa.WorkAreaTop);
  else if (top + form.height() >= wa.WorkAreaBottom) form.setTop(wa.WorkAreaBottom - form.height());
  else form.setTop(top);
  const int left = (cursor.x - anchor.x) * form.tppX();
  if (left <= wa.WorkAreaLeft) form.setLeft(wa.WorkAreaLeft);
  else if (left + form.width() >= wa.WorkAreaRight) form.setLeft(wa.WorkAreaRight - form.width());
  else form.setLeft(left);
}

clsDockingHandler::clsDockingHandler(gui::Platform& platform, Record recordWorkArea)
    : m_platform(platform), m_recordWorkArea(std::move(recordWorkArea)), m_snapDistance(10 * platform.twipsPerPixelX()) {}

bool clsDockingHandler::readWorkArea(WorkArea& into) const {
  const gui::Rect r = m_platform.workArea();
  if (r.empty()) return false;  // the system could not tell
  const int tx = m_platform.twipsPerPixelX(), ty = m_platform.twipsPerPixelY();
  into = {r.x * tx, r.y * ty, r.right() * tx, r.bottom() * ty};
  return true;
}

void clsDockingHandler::GetSize(int X, int Y) {
  if (WorkArea area; readWorkArea(area)) m_recordWorkArea(area);
  m_anchorX = X;
  m_anchorY = Y;
}

void clsDockingHandler::StartDockDrag(int X, int Y) {
  readWorkArea(m_own);
  m_anchorX = X;
  m_anchorY = Y;
}

void clsDockingHandler::UpdateDockDrag(int X, int Y) {
  const int dx = X - m_anchorX, dy = Y - m_anchorY;
  if ((dx == 0 && dy == 0) || !m_parentForm) return;
  const gui::Form& f = *m_parentForm;
  const int left = f.left() + dx, top = f.top() + dy;
  const int right = left + f.width(), bottom = top + f.height();
  auto near = [this](int a, int b) { return std::abs(a - b) <= m_snapDistance; };
  m_snapped = {near(left, m_own.WorkAreaLeft), near(top, m_own.WorkAreaTop), near(right, m_own.WorkAreaRight),
               near(bottom, m_own.WorkAreaBottom)};
}

void clsDockingHandler::setAlwaysOnTop(bool v) {
  m_alwaysOnTop = v;
  m_insertAfter = v ? gui::InsertAfter::Topmost : gui::InsertAfter::NoTopmost;
  if (m_parentForm) m_parentForm->setWindowPos(m_insertAfter, m_parentForm->pixelBounds());
}

}  // namespace shape
