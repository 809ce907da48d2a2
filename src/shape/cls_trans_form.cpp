#include "shape/cls_trans_form.h"

#include "gui/button.h"
#include "shape/error.h"
#include "shape/key_runs.h"

namespace shape {
namespace {

// The object-error base plus 2512.
constexpr int32_t kNotShapeable = -2147218992;

// `base` minus the runs of `Color` in `picture`, in the picture's own
// pixels: a picture at 2× is cut at 2×, along its own edges.
gui::Region shapeOf(const gui::Surface& picture, base::Color key, gui::Rect base) {
  const uint32_t k = key.value & 0xFFFFFF;
  const std::vector<KeyRun> runs = findKeyRuns(picture.deviceWidth(), picture.deviceHeight(),
                                               [&](int x, int y) { return (picture.row(y)[x] & 0xFFFFFF) == k; });
  return withoutRuns(base, runs);
}

bool isButton(gui::ElementKind k) {
  return k == gui::ElementKind::CommandButton || k == gui::ElementKind::CheckBox || k == gui::ElementKind::OptionButton;
}

}  // namespace

void clsTransForm::ShapeMe(gui::Form& Name, base::Color Color) {
  const gui::Surface& picture = Name.surface();
  Name.setRegion(shapeOf(picture, Color, picture.deviceBounds()));
}

void clsTransForm::ShapeMe(gui::Element& Name, base::Color Color) {
  if (const auto* box = dynamic_cast<const gui::PictureBox*>(&Name)) {
    // Reading the picture changes nothing on screen.
    Name.setRegion(shapeOf(box->surface(), Color, box->surface().deviceBounds()));
    return;
  }
  auto* button = dynamic_cast<gui::Button*>(&Name);
  if (!button || !isButton(Name.kind()))
    throw Error(kNotShapeable,
                "Must pass in the name of a Form, PictureBox, CommandButton, CheckBox or OptionButton.  TransForm "
                "ShapeMe method failed.",
                "TransForm");
  button->setCaption(u"");
  button->setBackColor(Color);
  button->refresh();
  const gui::Surface picture = button->face(Name.form().platform().text());
  Name.setRegion(shapeOf(picture, Color, picture.scale()(gui::Rect{2, 2, picture.width() - 4, picture.height() - 4})));
}

}  // namespace shape
