#pragma once
// Every skinned button of the program: a picture box whose faces are copied
// out of the skin atlas, with its tip and, for the kinds that hover, the
// shared button behaviour (skin/button_behaviour.h) and its timers. What a
// button is comes from its row of data, a ButtonSetup; the window that owns it
// gives only the commands.
//
//   toolbar kinds ... FormatToggle (BtnKrepko, BtnLežeče, BtnPodčrtano),
//                     Command (BtnGeslo), MenuOpener (BtnPoravnaj,
//                     BtnSpremeniBarvo, BtnSpremeniVelikost): 39 pixels high,
//                     hovering with fades (a tracking timer that notices the
//                     pointer leaving and an animation timer that steps the
//                     face through the fade rows); the face column is asked
//                     for afresh at every draw, so a format changed meanwhile
//                     shows in the very next frame
//   round kinds ..... Round (BtnZapri, BtnMini, BtnZloži, the mini clock's
//                     two), OnTop (BtnVednoNaVrhu): 13 × 13, rest, hover and
//                     pressed faces without fades; the tracking timer puts it
//                     back to rest when the pointer leaves; a drag with the
//                     left button held shows it pressed only while over it
//   plain kinds ..... Close (the search field's BtnSearchClose): pressed
//                     while held, a command on a release over it;
//                     ListOpener (the date boxes' BtnLeta, BtnMesec): pressed
//                     while its list is open
#include <functional>
#include <optional>
#include <string_view>

#include "gui/accessible.h"
#include "gui/editor.h"
#include "gui/element.h"
#include "skin/atlas.h"
#include "skin/button_behaviour.h"
#include "skin/rects.h"

namespace skin {

// The editor whose selection the faces follow; nullptr before it exists.
using EditorSource = std::function<gui::Editor*()>;

// Toolbar buttons sit at top 19, caption buttons at top 5.
inline constexpr int kToolbarTop = 19;
inline constexpr int kCaptionTop = 5;

enum class ButtonKind { FormatToggle, Command, MenuOpener, Round, OnTop, Close, ListOpener };
enum class Format { Bold, Italic, Underline };

// One skinned button as data.
struct ButtonSetup {
  ButtonKind kind;
  // Where its top-left corner lies in its parent; a round button's x counts
  // leftwards from the window's right edge. Its size is its face's.
  gui::Point at;
  std::u16string_view tip = u"";
  // Toolbar kinds: the face column; an alignment column follows the editor's alignment.
  ToolbarFace column = ToolbarFace::Geslo;
  Format format = Format::Bold;                // a FormatToggle's
  CaptionButton faces = CaptionButton::Zapri;  // a Round button's
  gui::Rect rest{}, pressed{};                 // the plain kinds' two faces
  // The timers' names, read only while the button is made: the toolbar
  // kinds have both, the round kinds only the tracking one, the plain kinds none.
  std::string_view tracking = "", animation = "";
};

// What a button reads from the rest of its window.
struct ButtonLinks {
  EditorSource editor = {};         // the toggles' and the alignment opener's selection
  gui::Element* menu = nullptr;     // a MenuOpener's drop-down menu
  std::function<bool()> onTop = {}; // OnTop: the setting its face set shows
  const FaceMarks* marks = nullptr; // the size or colour marks drawn over the face
  // Where the timers live; nullptr: the button's own window. The mini
  // clock's keep theirs on the main window; the pointer is always tested
  // against the button's own window.
  gui::Form* timerForm = nullptr;
};

class SkinnedButton {
 public:
  // Sets the box's tip, makes the kind's timers (50 ms, disabled) and wires
  // the box's mouse events (a ListOpener's presses stay its window's).
  SkinnedButton(gui::PictureBox& box, const gui::Surface& atlas, const ButtonSetup& setup, ButtonLinks links = {});
  SkinnedButton(const SkinnedButton&) = delete;
  SkinnedButton& operator=(const SkinnedButton&) = delete;

  // Moves the box to its place in its face's size and shows the rest face
  // (a toolbar button's frame counter back to "0").
  void place();
  // The rest face in the column or face set of now.
  void drawRest() { draw(Row::Rest); }
  // Faces are copied from `atlas` from now on (the window's scale changed);
  // the next place() or draw shows them.
  void setAtlas(const gui::Surface& atlas) { m_atlas = &atlas; }
  // A ListOpener's face: pressed while its list is open.
  void showOpen(bool open) { draw(open ? Row::Pressed : Row::Rest); }
  const gui::PictureBox& box() const { return m_box; }
  // What a screen reader is told of it: a menu opener is a menu button, any
  // other kind a push button, named by its tip; a toggle is pressed while
  // its format is on in the selection, the keep-on-top button while the
  // setting is on. Nothing while it is not shown.
  std::optional<gui::AccNode> describe() const;

  // Runs on a left release over a toolbar Command, a round or Close button;
  // on a left press of a MenuOpener just before its menu opens or closes.
  std::function<void()> onCommand;
  // Closes menus: a toolbar button runs it at every move over it (a menu
  // opener's closes the menus but its own), a Round button at a press.
  std::function<void()> closeMenus;

 private:
  bool fades() const;
  bool round() const;
  // The column a toolbar button's faces are taken from right now.
  ToolbarFace column() const;
  bool formatOn() const;
  void turnFormatOver();
  CaptionButton faceSet() const;
  void draw(Row row);
  void drawToolbarFace(Row row);
  void drawCaption(CaptionButton set, ButtonState state);

  void mouseDown(int button);
  void mouseMove(int button, double x, double y);
  void mouseUp(int button, double x, double y);
  void roundRelease(int button, double x, double y);

  gui::PictureBox& m_box;
  const gui::Surface* m_atlas;
  ButtonSetup m_setup;
  ButtonLinks m_links;
  std::optional<ButtonBehaviour> m_behaviour;  // none for the plain kinds
};

}  // namespace skin
