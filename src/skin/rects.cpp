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

  const std::pair<std::string_view, AlignmentItem> items[] = {
      {"mnuBtnPoravnajLevo", AlignmentItem::Levo},
      {"mnuBtnPoravnajNaSredino", AlignmentItem::NaSredino},
      {"mnuBtnPoravnajDesno", AlignmentItem::Desno},
  };
  for (auto [name, item] : items)
    for (ButtonState s : kButtonStates)
      t.add(std::string(name) + " " + std::string(kStateNames[static_cast<int>(s)]), alignmentItemFace(item, s));

  const std::pair<std::string_view, Rect> named[] = {
      {"title tile", r::naslov},
      {"PicNaslov tile", r::naslovBesedilo},
      {"bottom edge tile", r::spodnjiRob},
      {"left edge", r::leviRob},
      {"right edge", r::desniRob},
      {"top-left corner", r::kotZgorajLevo},
      {"bottom-left corner", r::kotSpodajLevo},
      {"top-right corner", r::kotZgorajDesno},
      {"bottom-right corner", r::kotSpodajDesno},
      {"caption-button plate", r::gumbiNaslova},
      {"right edge beside the toolbar", r::desniRobOrodja},
      {"toolbar band tile", r::orodjaTrak},
      {"toolbar left end", r::orodjaLevo},
      {"toolbar right end", r::orodjaDesno},
      {"separator active", r::ločiloAktivno},
      {"separator inactive", r::ločiloNeaktivno},
      {"box", r::okvir},
      {"PicText left edge", r::tekstLevo},
      {"PicText right edge", r::tekstDesno},
      {"PicText top edge", r::tekstZgoraj},
      {"PicText bottom edge", r::tekstSpodaj},
      {"PicText top-left end", r::tekstZgorajLevo},
      {"PicText top-right end", r::tekstZgorajDesno},
      {"PicText bottom-left end", r::tekstSpodajLevo},
      {"PicText bottom-right end", r::tekstSpodajDesno},
      {"PicDatumi row", r::datumiVrstica},
      {"PicDatumi top", r::datumiZgoraj},
      {"PicDatumi bottom", r::datumiSpodaj},
      {"date box", r::datumskoPolje},
      {"drop button", r::spustniGumb},
      {"drop button pressed", r::spustniGumbPritisnjen},
      {"search field", r::searchField},
      {"BtnSearchClose rest", r::searchClose},
      {"BtnSearchClose pressed", r::searchClosePressed},
      {"mnuPoravnaj", r::mnuPoravnaj},
      {"menu tile", r::menuPloščica},
      {"menu edge", r::menuRob},
      {"menu separator", r::menuLočilo},
      {"size menu tile", r::velikostPloščica},
      {"size menu right edge", r::velikostDesniRob},
      {"size menu edge", r::velikostRob},
      {"swatch frame", r::okvirBarve},
      {"hover frame", r::izbranaBarva},
      {"hover frame pressed", r::izbranaBarvaPritisnjena},
      {"frmGeslo", r::frmGeslo},
      {"password area", r::gesloPolje},
      {"password dot", r::gesloPika},
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
