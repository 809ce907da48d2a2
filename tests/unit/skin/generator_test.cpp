// The committed artwork is exactly what tools/skingen paints, and what the
// program has built in is exactly the committed artwork.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/scale.h"
#include "skin/atlas.h"
#include "skin/bmp.h"
#include "skin/png.h"

#if PISARION_HAVE_SKINGEN
#include "font.h"
#include "generate.h"
#endif

namespace {

std::vector<uint8_t> readAsset(const std::string& name) {
  std::ifstream in(std::string(PISARION_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The data of a PNG's first chunk of the given type (empty when none).
std::vector<uint8_t> pngChunk(const std::vector<uint8_t>& png, std::string_view type) {
  for (size_t at = 8; at + 12 <= png.size();) {
    const size_t length = size_t(png[at]) << 24 | size_t(png[at + 1]) << 16 | size_t(png[at + 2]) << 8 | png[at + 3];
    if (length > png.size() - at - 12) break;
    if (std::string_view(reinterpret_cast<const char*>(png.data() + at + 4), 4) == type)
      return {png.begin() + long(at + 8), png.begin() + long(at + 8 + length)};
    at += 12 + length;
  }
  return {};
}

}  // namespace

TEST(SkinArtwork, TheProgramCarriesTheCommittedPictures) {
  const std::pair<const char*, gui::Surface> built[] = {
      {"skin.bmp", skin::loadAtlas()}, {"clock.bmp", skin::loadClockFace()}, {"clockcap.bmp", skin::loadClockCap()}};
  for (const auto& [name, surface] : built) {
    const std::vector<uint8_t> bytes = readAsset(name);
    ASSERT_FALSE(bytes.empty()) << name;
    // 8 bits per pixel with a 256-entry palette.
    EXPECT_EQ(bytes[28], 8) << name;
    EXPECT_EQ(bytes[46] | bytes[47] << 8, 256) << name;
    const auto decoded = skin::decodeBmp(bytes);
    ASSERT_TRUE(decoded.has_value()) << name;
    EXPECT_EQ(*decoded, surface) << name;
  }
  // The larger scales: palette PNGs the program decodes to exactly their pixels.
  for (int p : skin::kScales) {
    if (p == 100) continue;
    const std::pair<std::string, gui::Surface> scaled[] = {{"skin", skin::loadAtlas(p).devicePixels()},
                                                           {"clock", skin::loadClockFace(p).devicePixels()},
                                                           {"clockcap", skin::loadClockCap(p).devicePixels()}};
    for (const auto& [stem, surface] : scaled) {
      const std::string name = stem + "-" + std::to_string(p) + ".png";
      const std::vector<uint8_t> bytes = readAsset(name);
      ASSERT_GT(bytes.size(), 33u) << name;
      EXPECT_EQ(bytes[24], 8) << name;  // bit depth
      EXPECT_EQ(bytes[25], 3) << name;  // palette
      const auto decoded = skin::decodePng(bytes);
      ASSERT_TRUE(decoded.has_value()) << name;
      EXPECT_EQ(*decoded, surface) << name;
    }
  }
}

TEST(SkinArtwork, IconHoldsBothSizesAndTheResourcesNameIt) {
  const std::vector<uint8_t> ico = readAsset("pisarion.ico");
  ASSERT_GE(ico.size(), 6u + 32u);
  EXPECT_EQ(ico[2], 1);  // an icon
  ASSERT_EQ(ico[4], 2);  // two images
  EXPECT_EQ(ico[6], 16);
  EXPECT_EQ(ico[6 + 16], 32);
  const std::vector<uint8_t> rc = readAsset("pisarion.rc"), manifest = readAsset("pisarion.manifest");
  const std::string rcText(rc.begin(), rc.end()), manifestText(manifest.begin(), manifest.end());
  EXPECT_NE(rcText.find("1 ICON \"pisarion.ico\""), std::string::npos);
  EXPECT_NE(rcText.find("1 24 \"pisarion.manifest\""), std::string::npos);
  EXPECT_NE(manifestText.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>"),
            std::string::npos);
  EXPECT_NE(manifestText.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifestText.find("level=\"asInvoker\""), std::string::npos);
}

// The 100 % pictures and the other files must match byte for byte; the
// compressed PNGs as a reader sees them, palette and pixels, so that another
// zlib packing the same pixels differently passes.
TEST(SkinArtwork, GeneratorReproducesTheCommittedFiles) {
#if PISARION_HAVE_SKINGEN
  const auto fonts = skingen::Fonts::open(skingen::kDefaultFontDir);
  if (!fonts) GTEST_SKIP() << "the DejaVu fonts (fonts-dejavu-core) are not installed";
  std::string error;
  const auto files = skingen::generateArtwork(*fonts, &error);
  ASSERT_TRUE(files.has_value()) << error;
  ASSERT_EQ(files->size(), 7u + 3 * (skin::kScales.size() - 1));
  for (const auto& f : *files) {
    const std::vector<uint8_t> committed = readAsset(f.name);
    if (!f.name.ends_with(".png")) {
      EXPECT_TRUE(f.bytes == committed) << f.name << " differs from assets/" << f.name;
      continue;
    }
    EXPECT_EQ(pngChunk(f.bytes, "PLTE"), pngChunk(committed, "PLTE")) << f.name << ": the palette differs";
    const auto painted = skin::decodePng(f.bytes), kept = skin::decodePng(committed);
    ASSERT_TRUE(painted.has_value()) << f.name;
    ASSERT_TRUE(kept.has_value()) << "assets/" << f.name;
    EXPECT_TRUE(*painted == *kept) << f.name << ": the pixels differ from assets/" << f.name;
  }
#else
  GTEST_SKIP() << "built without FreeType, so without the generator";
#endif
}
