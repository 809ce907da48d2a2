#pragma once
// clsDockingHandler: what the window drags know of the desktop's work area
// (the screen minus the taskbar), and a parent form's keep-on-top switch.
// GetSize records the work area in the program-wide WorkArea, in twips, at
// the start of a drag and before a fold; the drag code keeps the window
// inside it. StartDockDrag records it in the handler itself, for
// UpdateDockDrag's edge flags.
#include <functional>

#include "gui/form.h"
#include "gui/platform.h"

namespace shape {

// The program-wide work area in twips, as GetSize last read it.
struct WorkArea {
  int WorkAreaLeft = 0, WorkAreaTop = 0, WorkAreaRight = 0, WorkAreaBottom = 0;
  friend bool operator==(const WorkArea&, const WorkArea&) = default;
};

// A window dragged by a press at `anchor` (pixels inside it): placed so that
// the anchor lies under the pointer's screen position `cursor`, first
// vertically, then horizontally, each kept inside the work area (twips). The
// place comes from the pointer alone, never from where the window stood, so
// the window ends under the pointer however fast the hand moves, and what an
// edge refused of one move is not lost for the next.
void DragWithin(gui::Form& form, gui::Point cursor, gui::Point anchor, const WorkArea& wa);

class clsDockingHandler {
 public:
  // `recordWorkArea` keeps the work area every drag reads, as GetSize reads it.
  using Record = std::function<void(const WorkArea&)>;
  clsDockingHandler(gui::Platform& platform, Record recordWorkArea);

  gui::Form* ParentForm() const { return m_parentForm; }
  void setParentForm(gui::Form* form) { m_parentForm = form; }

  bool AlwaysOnTop() const { return m_alwaysOnTop; }
  // Moves the parent form into the topmost band or out of it, keeping its
  // place and size.
  void setAlwaysOnTop(bool v);
  // The insert-after handle that the last setAlwaysOnTop used.
  gui::InsertAfter insertAfter() const { return m_insertAfter; }

  // Twips; 10 pixels by default.
  int SnapDistance() const { return m_snapDistance; }
  void setSnapDistance(int twips) { m_snapDistance = twips; }

  // Reads the work area into the program-wide one; X, Y become the drag
  // anchor. When the system cannot answer, the previous values stay.
  void GetSize(int X, int Y);
  // The same, into the handler's own work area.
  void StartDockDrag(int X, int Y);
  // Notes which work-area edges the parent form, moved by (X, Y) less the
  // anchor, lies within SnapDistance of. It moves no window.
  void UpdateDockDrag(int X, int Y);

  const WorkArea& ownWorkArea() const { return m_own; }
  struct Edges {
    bool left = false, top = false, right = false, bottom = false;
    friend bool operator==(const Edges&, const Edges&) = default;
  };
  const Edges& snapped() const { return m_snapped; }

 private:
  bool readWorkArea(WorkArea& into) const;

  gui::Platform& m_platform;
  Record m_recordWorkArea;
  gui::Form* m_parentForm = nullptr;
  bool m_alwaysOnTop = false;
  gui::InsertAfter m_insertAfter = gui::InsertAfter::NoTopmost;
  int m_snapDistance;
  int m_anchorX = 0, m_anchorY = 0;
  WorkArea m_own;
  Edges m_snapped;
};

}  // namespace shape
