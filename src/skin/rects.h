#pragma once
// Every rectangle the program copies out of the skin atlas (683 × 391), in one
// table. Windows and controls ask for faces through the small functions below
// (toolbarFace, captionFace, alignmentItemFace, …) or the named constants in
// skin::r; allRects() lists them all with their names for tests and the
// contact sheet. Header-only, so the atlas generator paints from the same table.
#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "base/alignment.h"
#include "base/geometry.h"

namespace skin {

using base::Point;
using base::Rect;

inline constexpr int kAtlasWidth = 683;
inline constexpr int kAtlasHeight = 391;

// ---- Toolbar buttons: five face rows, one column per button look --------

// The rows of a toolbar button's faces, in the order a hover shows them.
enum class Row { Highlight, Fade2, Fade1, Rest, Pressed };
inline constexpr std::array kRows{Row::Highlight, Row::Fade2, Row::Fade1, Row::Rest, Row::Pressed};
inline constexpr int kToolbarFaceHeight = 39;

constexpr int rowY(Row row) {
  switch (row) {
    case Row::Highlight: return 183;
    case Row::Fade2: return 222;
    case Row::Fade1: return 261;
    case Row::Rest: return 300;
    case Row::Pressed: return 339;
  }
  return 300;
}

// One column of faces. The toggles have an "on" (format set) and an "off"
// column; the alignment button one column per alignment.
enum class ToolbarFace {
  Geslo,
  KrepkoOn, KrepkoOff,
  LežečeOn, LežečeOff,
  PodčrtanoOn, PodčrtanoOff,
  PoravnajLevo, PoravnajDesno, PoravnajNaSredino,
  SpremeniBarvo,
  SpremeniVelikost,
};
inline constexpr int kToolbarFaceCount = 12;

constexpr int toolbarFaceX(ToolbarFace f) {
  constexpr int xs[kToolbarFaceCount] = {190, 232, 272, 312, 352, 392, 432, 472, 512, 552, 592, 636};
  return xs[static_cast<int>(f)];
}
// Width of the face in the atlas; a 39-pixel button shows its left 39 columns.
constexpr int toolbarFaceWidth(ToolbarFace f) {
  return f == ToolbarFace::SpremeniBarvo ? 43 : f == ToolbarFace::SpremeniVelikost ? 46 : 41;
}
// Width of the button on the window, which is how much of the face shows.
constexpr int toolbarButtonWidth(ToolbarFace f) {
  switch (f) {
    case ToolbarFace::Geslo: return 41;
    case ToolbarFace::SpremeniBarvo: return 43;
    case ToolbarFace::SpremeniVelikost: return 46;
    default: return 39;
  }
}
constexpr Rect toolbarFace(ToolbarFace f, Row row) {
  return {toolbarFaceX(f), rowY(row), toolbarFaceWidth(f), kToolbarFaceHeight};
}
// The column a toggle shows: "on" only when the selection's format is set.
constexpr ToolbarFace krepkoFace(bool on) { return on ? ToolbarFace::KrepkoOn : ToolbarFace::KrepkoOff; }
constexpr ToolbarFace ležečeFace(bool on) { return on ? ToolbarFace::LežečeOn : ToolbarFace::LežečeOff; }
constexpr ToolbarFace podčrtanoFace(bool on) { return on ? ToolbarFace::PodčrtanoOn : ToolbarFace::PodčrtanoOff; }
// The alignment button's column for the selection's alignment.
constexpr ToolbarFace poravnajFace(base::Alignment alignment) {
  switch (alignment) {
    case base::Alignment::Right: return ToolbarFace::PoravnajDesno;
    case base::Alignment::Center: return ToolbarFace::PoravnajNaSredino;
    case base::Alignment::Left: break;
  }
  return ToolbarFace::PoravnajLevo;
}

// The colour button's swatch area inside each of its faces, repainted at run
// time with the current text colour. It grows as the hover fades in.
constexpr Rect colourArea(Row row) {
  switch (row) {
    case Row::Rest: return {597, 312, 23, 15};
    case Row::Fade1: return {596, 272, 25, 17};
    case Row::Fade2: return {595, 232, 27, 19};
    case Row::Highlight: return {594, 192, 29, 21};
    case Row::Pressed: return {596, 350, 29, 21};
  }
  return {};
}

// Digit strips at x 371: ten glyphs of one size side by side. Each face of the
// size button takes its digits from one strip.
struct DigitStrip {
  int y, w, h;
  constexpr Rect rect() const { return {371, y, 10 * w, h}; }
  constexpr Rect glyph(int digit) const { return {371 + digit * w, y, w, h}; }
};
inline constexpr std::array kDigitStrips{DigitStrip{0, 8, 12}, DigitStrip{12, 7, 11}, DigitStrip{23, 6, 10},
                                         DigitStrip{33, 6, 9}};
constexpr DigitStrip digitStrip(Row row) {
  switch (row) {
    case Row::Highlight: case Row::Pressed: return kDigitStrips[0];
    case Row::Fade2: return kDigitStrips[1];
    case Row::Fade1: return kDigitStrips[2];
    case Row::Rest: return kDigitStrips[3];
  }
  return kDigitStrips[3];
}
// Where the size button's tens and units digits go inside the atlas.
struct SizeDigitPlaces {
  Point tens, units;
};
constexpr SizeDigitPlaces sizeDigitPlaces(Row row) {
  switch (row) {
    case Row::Highlight: return {{640, 197}, {649, 197}};
    case Row::Fade2: return {{642, 237}, {650, 237}};
    case Row::Fade1: return {{644, 276}, {651, 276}};
    case Row::Rest: return {{645, 316}, {652, 316}};
    case Row::Pressed: return {{642, 355}, {651, 355}};
  }
  return {};
}

// ---- Round 13 × 13 caption buttons --------------------------------------

enum class ButtonState { Rest, Hover, Pressed };
inline constexpr std::array kButtonStates{ButtonState::Rest, ButtonState::Hover, ButtonState::Pressed};
// A three-face button shows the highlight for the fade rows it does not have.
constexpr ButtonState buttonState(Row row) {
  return row == Row::Rest ? ButtonState::Rest : row == Row::Pressed ? ButtonState::Pressed : ButtonState::Hover;
}

enum class CaptionButton {
  Zapri,           // close: cross
  Mini,            // minimise: dash
  Zloži,           // fold into the mini clock: up chevron
  VednoNaVrhuOff,  // keep on top, off: ring
  VednoNaVrhuOn,   // keep on top, on: square
  MiniZloži,       // the mini clock's unfold button: down chevron
};
inline constexpr int kCaptionButtonCount = 6;
inline constexpr int kCaptionSize = 13;

constexpr Rect captionFace(CaptionButton b, ButtonState s) {
  constexpr Point rest[kCaptionButtonCount] = {{19, 33}, {19, 46}, {19, 72}, {19, 59}, {79, 14}, {58, 72}};
  const Point p = rest[static_cast<int>(b)];
  return {p.x + 13 * static_cast<int>(s), p.y, kCaptionSize, kCaptionSize};
}
constexpr CaptionButton vednoNaVrhuFace(bool onTop) {
  return onTop ? CaptionButton::VednoNaVrhuOn : CaptionButton::VednoNaVrhuOff;
}

// ---- Alignment menu items (24 × 24 faces shown in 23 × 23 buttons) -------

// The atlas holds the items' faces in the menu's order: left, centre, right.
constexpr int alignmentItemColumn(base::Alignment a) {
  return a == base::Alignment::Center ? 1 : a == base::Alignment::Right ? 2 : 0;
}
constexpr Rect alignmentItemFace(base::Alignment item, ButtonState s) {
  return {293 + 24 * alignmentItemColumn(item), 29 + 23 * static_cast<int>(s), 24, 24};
}

// ---- Named pieces --------------------------------------------------------

namespace r {
// Main window frame.
inline constexpr Rect titleTile{19, 0, 60, 26};          // title strip tile
inline constexpr Rect titleTextTile{19, 4, 60, 15};  // tile behind the title text (PicNaslov)
inline constexpr Rect bottomEdge{19, 27, 60, 5};      // bottom edge tile
inline constexpr Rect leftEdge{0, 27, 6, 60};
inline constexpr Rect rightEdge{7, 27, 5, 60};
inline constexpr Rect topLeftCorner{0, 0, 6, 26};
inline constexpr Rect bottomLeftCorner{0, 88, 6, 5};
inline constexpr Rect topRightCorner{7, 0, 5, 26};
inline constexpr Rect bottomRightCorner{7, 88, 5, 5};
inline constexpr Rect captionPlate{0, 94, 115, 26};  // caption-button plate
inline constexpr Rect toolbarRightEdge{13, 0, 5, 78};  // right edge beside the toolbar
inline constexpr Rect toolbarBand{11, 205, 60, 32};   // toolbar band tile
inline constexpr Rect toolbarLeftEnd{0, 205, 10, 32};    // toolbar left end
inline constexpr Rect toolbarRightEnd{73, 205, 32, 32};  // toolbar right end
inline constexpr Rect activeSeparator{106, 205, 2, 32};
inline constexpr Rect inactiveSeparator{56, 205, 2, 32};  // a slice of the band

// The 175 × 32 box graphic: the editor frame PicText and the day list
// background PicDatumi are both cut from it.
inline constexpr Rect boxFrame{118, 0, 175, 32};
inline constexpr Rect boxLeft{118, 11, 3, 10};
inline constexpr Rect boxRight{290, 11, 3, 10};
inline constexpr Rect boxTop{170, 0, 10, 3};
inline constexpr Rect boxBottom{170, 29, 10, 3};
inline constexpr Rect boxTopLeft{118, 0, 70, 3};
inline constexpr Rect boxTopRight{223, 0, 70, 3};
inline constexpr Rect boxBottomLeft{118, 29, 70, 3};
inline constexpr Rect boxBottomRight{223, 29, 70, 3};
inline constexpr Rect dayListMiddle{118, 11, 175, 10};
inline constexpr Rect dayListTop{118, 0, 175, 10};
inline constexpr Rect dayListBottom{118, 22, 175, 10};

// Year and month boxes.
inline constexpr Rect dateBox{58, 32, 175, 20};
inline constexpr Rect dropButton{79, 0, 14, 14};
inline constexpr Rect dropButtonPressed{93, 0, 14, 14};

// The search field over the year box: the box with a magnifier, and the
// round button that ends the search.
inline constexpr Rect searchField{460, 0, 175, 20};
inline constexpr Rect searchClose{460, 22, 14, 14};
inline constexpr Rect searchClosePressed{474, 22, 14, 14};

// Menus.
inline constexpr Rect mnuPoravnaj{293, 0, 78, 29};
inline constexpr Rect menuTile{291, 120, 166, 20};  // background tile
inline constexpr Rect menuEdge{291, 118, 166, 1};        // top and bottom edge
inline constexpr Rect menuSeparator{291, 141, 166, 2};     // separator line
inline constexpr Rect sizeTile{291, 120, 23, 20};
inline constexpr Rect sizeRightEdge{456, 120, 1, 20};
inline constexpr Rect sizeEdge{291, 118, 24, 1};
inline constexpr Rect swatchFrame{294, 99, 18, 18};           // frame around each swatch
inline constexpr Rect swatchHover{313, 98, 20, 20};         // hover frame
inline constexpr Rect swatchPressed{333, 98, 20, 20};

// Password windows.
inline constexpr Rect frmGeslo{0, 120, 190, 85};
inline constexpr Rect passwordBox{58, 52, 154, 20};  // the empty password area, repainted at (18, 33)
inline constexpr Rect passwordDot{116, 104, 10, 16};  // one dot cell
inline constexpr Rect frmSpremeniGeslo{0, 237, 190, 145};
inline constexpr Rect picSpodaj{0, 383, 190, 8};

// Mini clock window.
inline constexpr Rect frmMini{190, 72, 101, 111};
}  // namespace r

struct NamedRect {
  std::string_view name;
  Rect rect;
};

// Every rectangle above with its name: caption faces as "BtnZapri rest",
// toolbar faces as "BtnKrepko on highlight", and so on.
std::span<const NamedRect> allRects();
std::optional<Rect> findRect(std::string_view name);

}  // namespace skin
