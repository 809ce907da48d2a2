#include "shape/window_ref.h"

namespace shape {

int WindowRef::pixelWidth() const {
  if (m_form) return m_form->scale()(gui::twipsToPixels(m_form->width(), m_form->tppX()));
  return m_element ? m_element->form().scale()(m_element->width()) : 0;
}

int WindowRef::pixelHeight() const {
  if (m_form) return m_form->scale()(gui::twipsToPixels(m_form->height(), m_form->tppY()));
  return m_element ? m_element->form().scale()(m_element->height()) : 0;
}

base::Scale WindowRef::scale() const {
  if (m_form) return m_form->scale();
  return m_element ? m_element->form().scale() : base::Scale{};
}

bool WindowRef::giveRegion(gui::Region region) const {
  if (!hasWindow()) return false;
  if (m_form)
    m_form->setRegion(std::move(region));
  else
    m_element->setRegion(std::move(region));
  return true;
}

}  // namespace shape
