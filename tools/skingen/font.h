#pragma once
// Text through FreeType, with coverage rounded to a few levels so a glyph
// adds only a few blended colours to the picture's palette.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "canvas.h"

namespace skingen {

enum class Face { Sans, SansBold, SansOblique, SerifBoldItalic };

class Fonts {
 public:
  // Opens the DejaVu faces in `dir`; nullopt when a file is missing.
  static std::optional<Fonts> open(const std::string& dir);
  Fonts(Fonts&&) noexcept;
  ~Fonts();

  // Draws UTF-8 text with its baseline at y, starting at x (100 % coordinates
  // and size; the canvas's scale is applied); returns the advance in the
  // canvas's pixels. Coverage is rounded to `steps` levels.
  //
  // Letters rasterised at a scaled size are rarely exactly the scaled width
  // of the 100 % ones. `anchor` says which point of the text keeps its place:
  // 0 its start, 0.5 its middle (centred text), 1 its end (text placed to
  // end at a mark); at 100 % it changes nothing.
  int draw(Canvas& c, Face face, int pixelSize, int x, int y, std::string_view utf8, Color colour,
           int steps = 4, double anchor = 0) const;
  // The advance at 100 %.
  int measure(Face face, int pixelSize, std::string_view utf8) const;
  // Height of the capital letters above the baseline.
  int capHeight(Face face, int pixelSize) const;

 private:
  struct Impl;
  explicit Fonts(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> m_impl;
};

inline constexpr const char* kDefaultFontDir = "/usr/share/fonts/truetype/dejavu";

}  // namespace skingen
