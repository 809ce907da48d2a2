// skingen: paints Pisarion's artwork.
//   skingen [--fonts DIR] OUTDIR        writes skin.bmp, clock.bmp, clockcap.bmp,
//                                       pisarion.ico, namestko.ico, pisarion.manifest,
//                                       pisarion.rc
//   skingen [--fonts DIR] --sheet PNG   renders the contact sheet of the atlas
//                                       built into the program
//   skingen [--fonts DIR] [--scale P] --raw PNG
//                                       the atlas as painted now at P % (100
//                                       unless told), as a PNG
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "art.h"
#include "generate.h"
#include "skin/atlas.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: skingen [--fonts DIR] OUTDIR\n       skingen [--fonts DIR] --sheet PNG\n");
  return 2;
}

bool writeFile(const std::string& path, const skingen::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  std::string fontDir = skingen::kDefaultFontDir, sheet, outDir, raw;
  int scale = 100;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--fonts" && i + 1 < argc) fontDir = argv[++i];
    else if (a == "--sheet" && i + 1 < argc) sheet = argv[++i];
    else if (a == "--raw" && i + 1 < argc) raw = argv[++i];
    else if (a == "--scale" && i + 1 < argc) {
      scale = std::atoi(argv[++i]);
      if (scale < 100 || scale > 400) return usage();
    }
    else if (!a.empty() && a[0] != '-' && outDir.empty()) outDir = a;
    else return usage();
  }
  if (sheet.empty() == outDir.empty() && raw.empty()) return usage();

  std::optional<skingen::Fonts> fonts = skingen::Fonts::open(fontDir);
  if (!fonts) {
    std::fprintf(stderr, "skingen: the DejaVu fonts are missing in %s (Debian package fonts-dejavu-core)\n",
                 fontDir.c_str());
    return 1;
  }
  if (!raw.empty()) {
    // The freshly painted atlas as a PNG, before the palette check: for
    // looking at work in progress.
    return writeFile(raw, skingen::encodePng(skingen::paintAtlas(*fonts, base::Scale{scale}))) ? 0 : 1;
  }
  if (!sheet.empty()) {
    const gui::Surface atlas2x = skin::loadAtlas(200);
    const skingen::Canvas c =
        skingen::renderSheet(skin::loadAtlas(), skin::loadClockFace(), skin::loadClockCap(), *fonts, &atlas2x);
    if (!writeFile(sheet, skingen::encodePng(c))) {
      std::fprintf(stderr, "skingen: cannot write %s\n", sheet.c_str());
      return 1;
    }
    std::printf("%s\n", sheet.c_str());
    return 0;
  }
  std::string error;
  const auto files = skingen::generateArtwork(*fonts, &error);
  if (!files) {
    std::fprintf(stderr, "skingen: %s\n", error.c_str());
    return 1;
  }
  for (const auto& f : *files) {
    const std::string path = outDir + "/" + f.name;
    if (!writeFile(path, f.bytes)) {
      std::fprintf(stderr, "skingen: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
