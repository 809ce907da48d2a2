#pragma once
// What a region can be given to: a form, or an element of one. A form and the
// windowed elements (picture boxes, panels, buttons …) have a window; labels,
// shapes and lines are painted on their parent and have none.
#include "gui/element.h"
#include "gui/form.h"

namespace shape {

class WindowRef {
 public:
  WindowRef() = default;  // nothing
  WindowRef(gui::Form& form) : m_form(&form) {}
  WindowRef(gui::Element& element) : m_element(&element) {}

  bool isNothing() const { return !m_form && !m_element; }
  bool hasWindow() const { return m_form || (m_element && m_element->windowed()); }
  gui::Form* form() const { return m_form; }
  gui::Element* element() const { return m_element; }

  // The window's size in its own pixels (at its form's scale); a form's size
  // in twips is rounded to whole pixels, halves to even.
  int pixelWidth() const;
  int pixelHeight() const;
  // The scale the window is drawn at.
  base::Scale scale() const;

  // The window takes the region as its shape (SetWindowRgn); a reference
  // without a window answers false and nothing changes.
  bool giveRegion(gui::Region region) const;

  friend bool operator==(const WindowRef&, const WindowRef&) = default;

 private:
  gui::Form* m_form = nullptr;
  gui::Element* m_element = nullptr;
};

}  // namespace shape
