#pragma once
// A form's controls for the system's accessibility layer (Microsoft Active
// Accessibility): the window answers WM_GETOBJECT for its client area with
// an IAccessible tree made from the form's own description, and tells the
// system with NotifyWinEvent what changed each time it paints. Only once a
// client has asked for the tree is anything described or told, so a diary
// without a screen reader pays nothing.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "gui/accessible.h"
#include "gui/form.h"

namespace win32 {

// IAccessible's interface identifier, written out: the one of the MinGW
// import libraries is not Windows'.
extern const IID kIID_IAccessible;

class FormAccessibility {
 public:
  explicit FormAccessibility(gui::Form& form);
  // Objects a client still holds answer that the window is gone.
  ~FormAccessibility();
  FormAccessibility(const FormAccessibility&) = delete;
  FormAccessibility& operator=(const FormAccessibility&) = delete;

  // WM_GETOBJECT: the tree's root for OBJID_CLIENT; nothing (0) for the
  // other objects, which the window's default procedure answers.
  LRESULT getObject(HWND hwnd, WPARAM wp, LPARAM lp);
  // Tells the system what changed since the last description.
  void tellChanges(HWND hwnd);

  struct Anchor;

 private:
  std::shared_ptr<Anchor> m_anchor;
  std::optional<gui::AccNode> m_last;  // none until a client asks
};

// WM_GETOBJECT of a system control (the rich-text editor): its standard
// object for OBJID_CLIENT, with the name given; 0 for anything else.
LRESULT answerWithName(HWND hwnd, WPARAM wp, LPARAM lp, const std::u16string& name);

}  // namespace win32
