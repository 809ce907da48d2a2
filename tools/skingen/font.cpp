#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cmath>
#include <fstream>
#include <vector>

namespace skingen {
namespace {

constexpr std::array<const char*, 4> kFiles = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                                               "DejaVuSerif-BoldItalic.ttf"};

std::vector<char32_t> decodeUtf8(std::string_view s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : 3;
    char32_t cp = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
    for (int k = 1; k <= extra && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    out.push_back(cp);
    i += 1 + extra;
  }
  return out;
}

}  // namespace

struct Fonts::Impl {
  FT_Library lib = nullptr;
  std::array<FT_Face, 4> faces{};
  ~Impl() {
    for (FT_Face f : faces)
      if (f) FT_Done_Face(f);
    if (lib) FT_Done_FreeType(lib);
  }
  FT_Face face(Face f, int px) const {
    FT_Face ft = faces[static_cast<int>(f)];
    FT_Set_Pixel_Sizes(ft, 0, px);
    return ft;
  }
};

Fonts::Fonts(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
Fonts::Fonts(Fonts&&) noexcept = default;
Fonts::~Fonts() = default;

std::optional<Fonts> Fonts::open(const std::string& dir) {
  auto impl = std::make_unique<Impl>();
  if (FT_Init_FreeType(&impl->lib)) return std::nullopt;
  for (size_t i = 0; i < kFiles.size(); ++i) {
    const std::string path = dir + "/" + kFiles[i];
    if (!std::ifstream(path).good() || FT_New_Face(impl->lib, path.c_str(), 0, &impl->faces[i])) return std::nullopt;
  }
  return Fonts(std::move(impl));
}

int Fonts::draw(Canvas& c, Face face, int pixelSize, int x, int y, std::string_view utf8, Color colour,
                int steps, double anchor) const {
  // At a larger scale the glyphs are rasterised afresh at the scaled size.
  const base::Scale scale = c.scale();
  int shift = 0;
  if (anchor != 0 && !scale.identity()) {
    Canvas scratch(1, 1, kKey, scale);
    const int painted = draw(scratch, face, pixelSize, -10000, -10000, utf8, Color{});
    shift = static_cast<int>(std::lround((painted - scale(measure(face, pixelSize, utf8))) * anchor));
  }
  FT_Face ft = m_impl->face(face, scale(pixelSize));
  const int x0 = scale(x) - shift, y0 = scale(y);
  int pen = x0;
  FT_UInt previous = 0;
  for (char32_t cp : decodeUtf8(utf8)) {
    const FT_UInt index = FT_Get_Char_Index(ft, cp);
    if (previous && FT_HAS_KERNING(ft)) {
      FT_Vector k;
      FT_Get_Kerning(ft, previous, index, FT_KERNING_DEFAULT, &k);
      pen += static_cast<int>(k.x >> 6);
    }
    previous = index;
    if (FT_Load_Glyph(ft, index, FT_LOAD_RENDER)) continue;
    const FT_GlyphSlot g = ft->glyph;
    const FT_Bitmap& bm = g->bitmap;
    for (unsigned row = 0; row < bm.rows; ++row)
      for (unsigned col = 0; col < bm.width; ++col) {
        const int level = static_cast<int>(std::lround(bm.buffer[row * bm.pitch + col] * steps / 255.0));
        c.blend(pen + g->bitmap_left + static_cast<int>(col), y0 - g->bitmap_top + static_cast<int>(row), colour,
                double(level) / steps);
      }
    pen += static_cast<int>(g->advance.x >> 6);
  }
  return pen - x0;
}

int Fonts::measure(Face face, int pixelSize, std::string_view utf8) const {
  Canvas scratch(1, 1);
  return draw(scratch, face, pixelSize, -10000, -10000, utf8, Color{});
}

int Fonts::capHeight(Face face, int pixelSize) const {
  FT_Face ft = m_impl->face(face, pixelSize);
  if (FT_Load_Char(ft, 'H', FT_LOAD_DEFAULT)) return pixelSize * 7 / 10;
  return static_cast<int>(ft->glyph->metrics.horiBearingY >> 6);
}

}  // namespace skingen
