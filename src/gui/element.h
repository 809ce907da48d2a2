#pragma once
// Child items of a form: picture boxes, labels, panels, shapes, lines, the
// hidden text box, the host of a native child (the editor) and the place of
// a native one-line field (the search box).
//
// Index:
//   MouseHandler, KeyHandlers ......... VB-style event signatures
//   Container ......................... children in z-order (Form and Element)
//   Element ........................... common state: rectangle, Tag, region …
//   PictureBox, Label, Panel, Shape, Line, TextBox, Host, EditBox
//   (the system-drawn buttons: gui/button.h)
//
// Stacking follows the window system the program was written for: inside one
// parent, the graphical items (Label, Shape, Line) are painted on the parent
// itself, so every windowed item (PictureBox, Panel, TextBox, Host) lies
// above all of them; z-order (creation order, bringToFront, sendToBack)
// decides within each of the two layers. Shapes and lines take no mouse
// input: a press on them goes to what lies beneath.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/editor.h"
#include "gui/line_edit.h"
#include "gui/native_child.h"
#include "gui/region.h"
#include "gui/surface.h"
#include "gui/text.h"

namespace gui {

class Form;
class Element;

// Mouse buttons as the handlers receive them; a move reports the held buttons
// as a bit mask of these.
enum MouseButton : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
// Shift state bits.
enum ShiftState : int { kShift = 1, kCtrl = 2, kAlt = 4 };
// Key codes the program uses (virtual-key codes).
enum KeyCode : int {
  kKeyBack = 8, kKeyTab = 9, kKeyReturn = 13, kKeyEscape = 27, kKeySpace = 32,
  kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40
};

// button: the button that changed (down/up) or the held buttons (move);
// x, y in the receiver's own pixels (negative or beyond its size while it
// holds the mouse).
using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
using KeyHandler = std::function<void(int keyCode, int shift)>;
// The character may be changed; setting it to 0 swallows it.
using KeyPressHandler = std::function<void(char16_t& ch)>;

enum class ElementKind { PictureBox, Label, Panel, Shape, Line, TextBox, Host, EditBox, CommandButton, CheckBox, OptionButton };

// Holds children in z-order, back to front.
class Container {
 public:
  Container() = default;
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;
  virtual ~Container();

  // Creates a child on top of its siblings (of its layer): T(name, args...).
  // Once it is linked in, its attached() runs, where a user control builds
  // its own children.
  template <class T, class... Args>
  T& add(std::string name, Args&&... args) {
    auto child = std::make_unique<T>(std::move(name), std::forward<Args>(args)...);
    T& ref = *child;
    adopt(std::move(child));
    return ref;
  }
  // Destroys a child and everything inside it.
  void remove(Element& child);
  // Back to front.
  const std::vector<std::unique_ptr<Element>>& children() const { return m_children; }
  // First match by name, searching the whole subtree depth first.
  Element* find(std::string_view name) const;

  virtual Form& form() = 0;
  virtual const Form& form() const = 0;

 protected:
  friend class Element;
  void adopt(std::unique_ptr<Element> child);
  void clearChildren();
  void restack(Element& child, bool toFront);

 private:
  std::vector<std::unique_ptr<Element>> m_children;
};

class Element : public Container {
 public:
  Element(ElementKind kind, std::string name);
  ~Element() override;

  ElementKind kind() const { return m_kind; }
  const std::string& name() const { return m_name; }
  Form& form() override { return *m_form; }
  const Form& form() const override { return *m_form; }
  // The element this one lies in; nullptr when it lies directly on the form.
  Element* parentElement() const { return m_parentElement; }
  Container& parent() const { return *m_parent; }

  // Rectangle in the parent's pixels.
  int left() const { return m_bounds.x; }
  int top() const { return m_bounds.y; }
  int width() const { return m_bounds.w; }
  int height() const { return m_bounds.h; }
  Rect bounds() const { return m_bounds; }
  void setLeft(int v) { setBounds({v, m_bounds.y, m_bounds.w, m_bounds.h}); }
  void setTop(int v) { setBounds({m_bounds.x, v, m_bounds.w, m_bounds.h}); }
  void setWidth(int v) { setBounds({m_bounds.x, m_bounds.y, v, m_bounds.h}); }
  void setHeight(int v) { setBounds({m_bounds.x, m_bounds.y, m_bounds.w, v}); }
  void move(int left, int top, int width, int height) { setBounds({left, top, width, height}); }
  virtual void setBounds(Rect r);
  // The rectangle in the form's client pixels (100 %), and in screen pixels
  // (at the form's scale).
  Rect formRect() const;
  Rect screenRect() const;

  bool visible() const { return m_visible; }
  void setVisible(bool v);
  // Visible itself and every parent (the form's own visibility aside).
  bool shown() const;
  bool enabled() const { return m_enabled; }
  void setEnabled(bool v);

  const std::string& tag() const { return m_tag; }
  void setTag(std::string tag) { m_tag = std::move(tag); }
  const std::u16string& toolTip() const { return m_toolTip; }
  void setToolTip(std::u16string t) { m_toolTip = std::move(t); }

  void bringToFront();
  void sendToBack();

  // Shape in the element's own pixels at the form's scale (as the shaper
  // cuts it from the element's picture): clips its drawing and its hit area.
  const std::optional<Region>& region() const { return m_region; }
  void setRegion(std::optional<Region> r);

  // Whether a left press on it takes the keyboard focus (text box and host
  // by default; picture buttons don't take the keys from the editor).
  bool takesFocus() const { return m_takesFocus; }
  void setTakesFocus(bool v) { m_takesFocus = v; }
  bool hasFocus() const;
  // Gives this element the keyboard focus of its form.
  void setFocus();

  // Windowed items lie above the graphical ones of the same parent.
  bool windowed() const;
  // Takes part in hit-testing (shapes and lines never do).
  bool receivesMouse() const;
  // A point of the window's pixels, from the element's top-left, inside the
  // rectangle and the region.
  bool hitArea(Point local) const;

  // Marks the element's pixels on the form as changed (nothing while it is
  // not shown); they are presented at the end of the current event.
  void invalidate();
  // Its picture hides everything beneath it, so composing its rectangle needs
  // nothing else (a region makes it see-through at the edges).
  virtual bool opaque() const { return false; }
  // It is painted over the pixels beneath it and must be composed whole.
  virtual bool composedWhole() const { return false; }

  MouseHandler onMouseDown, onMouseMove, onMouseUp;
  std::function<void()> onClick, onDblClick;
  // The wheel turned over the element: delta in notches of 120, away from
  // the user positive. Unhandled, it goes to the element's parent.
  std::function<void(int delta, int shift)> onMouseWheel;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus, onLostFocus;

  // A window of the platform's own that this element hosts, or nullptr.
  virtual NativeChild* nativeChild() const { return nullptr; }

  // Called by the form after the handlers; the text box and host use them.
  virtual void keyPressDefault(char16_t) {}
  virtual void keyDownDefault(int, int) {}
  virtual void mouseUpDefault(int) {}

  // Paints this element (not its children) onto `out`, whose origin is the
  // form's client origin, touching only pixels inside `clip` (the window's
  // own pixels, at the form's scale).
  virtual void paint(Surface& out, TextService& text, const Region& clip) const;

  // The form is now drawn at another scale (also when the element joins a
  // form): what it keeps in pixels is made again at the new scale.
  virtual void rescaled();

 protected:
  friend class Container;
  // The element is linked into its parent and form (called once by add).
  virtual void attached() {}
  virtual void resized() {}
  // The rectangle on the form that the element's pixels can reach: its own,
  // cut by every parent's.
  Rect visibleFormRect() const;
  // Tells the form that what stacks over a native child may have changed.
  void stackingChanged();

 private:
  void markDirty();

  ElementKind m_kind;
  std::string m_name;
  Form* m_form = nullptr;
  Container* m_parent = nullptr;
  Element* m_parentElement = nullptr;
  Rect m_bounds;
  bool m_visible = true;
  bool m_enabled = true;
  bool m_takesFocus = false;
  std::string m_tag;
  std::u16string m_toolTip;
  std::optional<Region> m_region;
};

// Keeps what is drawn on it; refresh() shows it.
class PictureBox : public Element {
 public:
  explicit PictureBox(std::string name) : Element(ElementKind::PictureBox, std::move(name)) {}
  // Asking for the surface to draw on marks the whole box changed.
  Surface& surface() {
    invalidate();
    return m_surface;
  }
  const Surface& surface() const { return m_surface; }
  // Copies src's rectangle to `to`, marking changed only the pixels it
  // covers, and only when one of them differs (a face drawn again as it was
  // costs no present).
  void blit(const Surface& src, Rect from, Point to);
  Color backColor() const { return m_backColor; }
  void setBackColor(Color c);
  // Fills the surface with the back colour.
  void cls();
  // Shows the current surface (presented at the end of the current event).
  void refresh() { invalidate(); }
  bool opaque() const override { return !region(); }
  void paint(Surface& out, TextService& text, const Region& clip) const override;
  void rescaled() override;

 protected:
  void resized() override;

 private:
  Color m_backColor = Color::rgb(255, 255, 255);
  Surface m_surface;
};

class Label : public Element {
 public:
  explicit Label(std::string name) : Element(ElementKind::Label, std::move(name)) {}
  const std::u16string& text() const { return m_text; }
  void setText(std::u16string t);
  Color foreColor() const { return m_foreColor; }
  void setForeColor(Color c);
  Color backColor() const { return m_backColor; }
  void setBackColor(Color c);
  // A transparent label paints only its text.
  bool transparent() const { return m_transparent; }
  void setTransparent(bool t);
  const FontSpec& font() const { return m_font; }
  void setFont(FontSpec f);
  base::Alignment alignment() const { return m_alignment; }
  void setAlignment(base::Alignment a);
  bool opaque() const override { return !m_transparent && !region(); }
  bool composedWhole() const override { return m_transparent; }
  void paint(Surface& out, TextService& text, const Region& clip) const override;

 private:
  // The text is drawn by the platform (slow); the picture it made is kept
  // with the pixels it was drawn on, and used again while those are the same.
  mutable Surface m_drawnOn, m_drawn;
  void redraw();  // text, font, colour or alignment changed
  std::u16string m_text;
  Color m_foreColor{};
  Color m_backColor = Color::rgb(255, 255, 255);
  bool m_transparent = false;
  FontSpec m_font;
  base::Alignment m_alignment = base::Alignment::Left;
};

class Panel : public Element {
 public:
  explicit Panel(std::string name) : Element(ElementKind::Panel, std::move(name)) {}
  Color backColor() const { return m_backColor; }
  void setBackColor(Color c);
  bool opaque() const override { return !region(); }
  void paint(Surface& out, TextService& text, const Region& clip) const override;

 private:
  Color m_backColor = Color::rgb(255, 255, 255);
};

enum class FillStyle { Transparent, Solid };
enum class BorderStyle { None, Solid };

// A rectangle: optional solid fill and a 1-pixel border just inside its edge.
class Shape : public Element {
 public:
  explicit Shape(std::string name) : Element(ElementKind::Shape, std::move(name)) {}
  Color fillColor() const { return m_fillColor; }
  void setFillColor(Color c);
  Color borderColor() const { return m_borderColor; }
  void setBorderColor(Color c);
  FillStyle fillStyle() const { return m_fillStyle; }
  void setFillStyle(FillStyle s);
  BorderStyle borderStyle() const { return m_borderStyle; }
  void setBorderStyle(BorderStyle s);
  void paint(Surface& out, TextService& text, const Region& clip) const override;

 private:
  Color m_fillColor{};
  Color m_borderColor{};
  FillStyle m_fillStyle = FillStyle::Transparent;
  BorderStyle m_borderStyle = BorderStyle::Solid;
};

// A 1-pixel line from (x1, y1) towards (x2, y2) in the parent's pixels; the
// end point itself is not drawn. Its bounds are the enclosing rectangle.
class Line : public Element {
 public:
  explicit Line(std::string name) : Element(ElementKind::Line, std::move(name)) {}
  int x1() const { return m_x1; }
  int y1() const { return m_y1; }
  int x2() const { return m_x2; }
  int y2() const { return m_y2; }
  void setPoints(int x1, int y1, int x2, int y2);
  Color color() const { return m_color; }
  void setColor(Color c);
  void paint(Surface& out, TextService& text, const Region& clip) const override;
  void setBounds(Rect r) override;  // moves the end points with the rectangle

 private:
  int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
  Color m_color{};
};

// A single-line text box used as a hidden key receiver: a typed character is
// appended, Backspace removes the last one, other control characters are
// ignored, and a character beyond maxLength (0 = unlimited) is refused.
class TextBox : public Element {
 public:
  explicit TextBox(std::string name);
  const std::u16string& text() const { return m_text; }
  // Runs onChange when the text differs; cut to maxLength like the box does.
  void setText(std::u16string t);
  int maxLength() const { return m_maxLength; }
  void setMaxLength(int n) { m_maxLength = n; }
  std::function<void()> onChange;
  void keyPressDefault(char16_t ch) override;

 private:
  std::u16string m_text;
  int m_maxLength = 0;
};

// Reserves the place of a native child window (the editor) and owns it: the
// child follows the host's bounds, is cut where elements stack above it, and
// takes the focus and the characters the form lets through.
class Host : public Element {
 public:
  explicit Host(std::string name);
  Editor* editor() const { return m_editor.get(); }
  void attach(HostedEditor hosted);
  NativeChild* nativeChild() const override { return m_window.get(); }
  void keyPressDefault(char16_t ch) override;
  void setBounds(Rect r) override;
  // The right button released over the editor asks for its context menu.
  void mouseUpDefault(int button) override;
  // The page colour and caret of a writable or a read-only editor.
  void setLook(const EditLook& look);
  const EditLook& look() const { return m_look; }

 private:
  EditLook m_look;
  std::unique_ptr<Editor> m_editor;
  std::unique_ptr<NativeChild> m_window;  // goes before the editor it shows
};

// Reserves the place of a one-line text field of the platform's own and
// owns it. The field does its own editing; its keys reach the element's
// handlers first, and a key that onTakeKey answers true for (Enter, Escape,
// the arrows of a field that steers a list) goes no further.
class EditBox : public Element {
 public:
  explicit EditBox(std::string name);
  void attach(HostedLineEdit hosted);
  LineEdit* edit() const { return m_edit.get(); }
  NativeChild* nativeChild() const override { return m_window.get(); }
  std::u16string text() const { return m_edit ? m_edit->text() : std::u16string(); }
  // Not a change of the user's: onChange does not run.
  void setText(std::u16string_view text);

  std::function<void()> onChange;  // the user changed the text
  std::function<bool(int keyCode, int shift)> onTakeKey;

  void keyDownDefault(int keyCode, int shift) override;
  void keyPressDefault(char16_t ch) override;
  void setBounds(Rect r) override;

 private:
  bool takeKey(int keyCode, int shift);

  std::unique_ptr<LineEdit> m_edit;
  std::unique_ptr<NativeChild> m_window;
};

}  // namespace gui
