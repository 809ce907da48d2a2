#include "skin/rects.h"

#include <deque>
#include <string>
#include <vector>

namespace skin {
namespace {

constexpr std::string_view kRowNames[] = {"highlight", "fade 2", "fade 1", "rest", "pressed"};
constexpr std::string_view kStateNames[] = {"rest", "hover", "pressed"};

struct Table {
  std::deque<std::string> names;  // stable storage for the composed names
  std::vector<NamedRect> rects;

  void add(std::string name, Rect r) {
    names.push_back(std::move(name));
    rects.push_back({names.back(), r});
  }
};

Table build() {
  Table t;
  const std::pair<std::string_view, ToolbarFace> toolbar[] = {
      {"BtnGeslo", ToolbarFace::Geslo},
      {"BtnKrepko on", ToolbarFace::KrepkoOn},
      {"BtnKrepko off", ToolbarFace::KrepkoOff},
      {"BtnLežeče on", ToolbarFace::LežečeOn},
      {"BtnLežeče off", ToolbarFace::LežečeOff},
      {"BtnPodčrtano on", ToolbarFace::PodčrtanoOn},
      {"BtnPodčrtano off", ToolbarFace::PodčrtanoOff},
      {"BtnPoravnaj left", ToolbarFace::PoravnajLevo},
      {"BtnPoravnaj right", ToolbarFace::PoravnajDesno},
      {"BtnPoravnaj centre", ToolbarFace::PoravnajNaSredino},
      {"BtnSpremeniBarvo", ToolbarFace::SpremeniBarvo},
      {"BtnSpremeniVelikost", ToolbarFace::SpremeniVelikost},
  };
  for (auto [name, face] : toolbar)
    for (Row row : kRows)
      t.add(std::string(name) + " " + std::string(kRowNames[static_cast<int>(row)]), toolbarFace(face, row));
  for (Row row : kRows) {
    const std::string rn(kRowNames[static_cast<int>(row)]);
    t.add("colour area " + rn, colourArea(row));
    const SizeDigitPlaces p = sizeDigitPlaces(row);
    const DigitStrip s = digitStrip(row);
    t.add("size tens " + rn, {p.tens.x, p.tens.y, s.w, s.h});
    t.add("size units " + rn, {p.units.x, p.units.y, s.w, s.h});
  }
  for (const DigitStrip& s : kDigitStrips)
    t.add("digits " + std::to_string(s.w) + "x" + std::to_string(s.h), s.rect());

  const std::pair<std::string_view, CaptionButton> captions[] = {
      {"BtnZapri", CaptionButton::Zapri},
      {"BtnMini", CaptionButton::Mini},
      {"BtnZloži", CaptionButton::Zloži},
      {"BtnVednoNaVrhu off", CaptionButton::VednoNaVrhuOff},
      {"BtnVednoNaVrhu on", CaptionButton::VednoNaVrhuOn},
      {"frmMini BtnZloži", CaptionButton::MiniZloži},
  };
  for (auto [name, button] : captions)
    for (ButtonState s : kButtonStates)
      t.add(std::string(name) + " " + std::string(kStateNames[static_cast<int>(s)]), captionFace(button, s));

  const std::pair<std::string_view, base::Alignment> items[] = {
      {"mnuBtnPoravnajLevo", base::Alignment::Left},
      {"mnuBtnPoravnajNaSredino", base::Alignment::Center},
      {"mnuBtnPoravnajDesno", base::Alignment::Right},
  };
  for (auto [name, item] : items)
    for (ButtonState s : kButtonStates)
      t.add(std::string(name) + " " + std::string(kStateNames[static_cast<int>(s)]), alignmentItemFace(item, s));

  const std::pair<std::string_view, Rect> named[] = {
      {"title tile", r::titleTile},
      {"PicNaslov tile", r::titleTextTile},
      {"bottom edge tile", r::bottomEdge},
      {"left edge", r::leftEdge},
      {"right edge", r::rightEdge},
      {"top-left corner", r::topLeftCorner},
      {"bottom-left corner", r::bottomLeftCorner},
      {"top-right corner", r::topRightCorner},
      {"bottom-right corner", r::bottomRightCorner},
      {"caption-button plate", r::captionPlate},
      {"right edge beside the toolbar", r::toolbarRightEdge},
      {"toolbar band tile", r::toolbarBand},
      {"toolbar left end", r::toolbarLeftEnd},
      {"toolbar right end", r::toolbarRightEnd},
      {"separator active", r::activeSeparator},
      {"separator inactive", r::inactiveSeparator},
      {"box", r::boxFrame},
      {"PicText left edge", r::boxLeft},
      {"PicText right edge", r::boxRight},
      {"PicText top edge", r::boxTop},
      {"PicText bottom edge", r::boxBottom},
      {"PicText top-left end", r::boxTopLeft},
      {"PicText top-right end", r::boxTopRight},
      {"PicText bottom-left end", r::boxBottomLeft},
      {"PicText bottom-right end", r::boxBottomRight},
      {"PicDatumi row", r::dayListMiddle},
      {"PicDatumi top", r::dayListTop},
      {"PicDatumi bottom", r::dayListBottom},
      {"date box", r::dateBox},
      {"drop button", r::dropButton},
      {"drop button pressed", r::dropButtonPressed},
      {"search field", r::searchField},
      {"BtnSearchClose rest", r::searchClose},
      {"BtnSearchClose pressed", r::searchClosePressed},
      {"mnuPoravnaj", r::mnuPoravnaj},
      {"menu tile", r::menuTile},
      {"menu edge", r::menuEdge},
      {"menu separator", r::menuSeparator},
      {"size menu tile", r::sizeTile},
      {"size menu right edge", r::sizeRightEdge},
      {"size menu edge", r::sizeEdge},
      {"swatch frame", r::swatchFrame},
      {"hover frame", r::swatchHover},
      {"hover frame pressed", r::swatchPressed},
      {"frmGeslo", r::frmGeslo},
      {"password area", r::passwordBox},
      {"password dot", r::passwordDot},
      {"frmSpremeniGeslo", r::frmSpremeniGeslo},
      {"picSpodaj", r::picSpodaj},
      {"frmMini", r::frmMini},
  };
  for (auto [name, rect] : named) t.add(std::string(name), rect);
  return t;
}

const Table& table() {
  static const Table t = build();
  return t;
}

}  // namespace

std::span<const NamedRect> allRects() { return table().rects; }

std::optional<Rect> findRect(std::string_view name) {
  for (const NamedRect& n : table().rects)
    if (n.name == name) return n.rect;
  return std::nullopt;
}

}  // namespace skin
