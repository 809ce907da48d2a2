#include "generate.h"

#include <functional>
#include <map>
#include <set>

#include "art.h"
#include "skin/atlas.h"

namespace skingen {
namespace {

Bytes text(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Per-monitor DPI aware (v2, with the older per-monitor declaration for
// systems before it): the program draws each window at its monitor's scale
// from art painted for that scale; common controls 6.
constexpr std::string_view kManifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "  <assemblyIdentity type=\"win32\" name=\"Pisarion.Dnevnik\" version=\"1.0.0.0\"/>\r\n"
    "  <description>Pisarion</description>\r\n"
    "  <dependency>\r\n"
    "    <dependentAssembly>\r\n"
    "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\r\n"
    "                        processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\r\n"
    "    </dependentAssembly>\r\n"
    "  </dependency>\r\n"
    "  <trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">\r\n"
    "    <security>\r\n"
    "      <requestedPrivileges>\r\n"
    "        <requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>\r\n"
    "      </requestedPrivileges>\r\n"
    "    </security>\r\n"
    "  </trustInfo>\r\n"
    "  <application xmlns=\"urn:schemas-microsoft-com:asm.v3\">\r\n"
    "    <windowsSettings>\r\n"
    "      <dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>\r\n"
    "      <dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>\r\n"
    "    </windowsSettings>\r\n"
    "  </application>\r\n"
    "  <compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">\r\n"
    "    <application>\r\n"
    "      <supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>\r\n"
    "    </application>\r\n"
    "  </compatibility>\r\n"
    "</assembly>\r\n";

constexpr std::string_view kResources =
    "// Resources of Pisarion.exe, written by tools/skingen.\r\n"
    "// 24 is RT_MANIFEST; id 1 is the manifest of a program.\r\n"
    "1 ICON \"pisarion.ico\"\r\n"
    "1 24 \"pisarion.manifest\"\r\n";

// At a larger scale a blend laid over a blend can make a colour the 100 %
// picture never had. Each such colour becomes the nearest of the 100 %
// picture's colours, so every scale keeps the palette's exact colours.
void snapToPalette(Canvas& c, const std::set<uint32_t>& palette) {
  std::map<uint32_t, uint32_t> nearest;
  for (uint32_t& px : c.pixels()) {
    if (palette.count(px)) continue;
    auto [it, fresh] = nearest.emplace(px, px);
    if (fresh) {
      const Color a{px};
      long best = -1;
      for (uint32_t p : palette) {
        const Color b{p};
        const long dr = a.r() - b.r(), dg = a.g() - b.g(), db = a.b() - b.b();
        const long d = dr * dr + dg * dg + db * db;
        if (best < 0 || d < best) best = d, it->second = p;
      }
    }
    px = it->second;
  }
}

}  // namespace

std::string scaledName(const char* stem, int scale) { return std::string(stem) + "-" + std::to_string(scale) + ".png"; }

std::optional<std::vector<ArtworkFile>> generateArtwork(const Fonts& fonts, std::string* error) {
  std::vector<ArtworkFile> files;
  auto fail = [&](const std::string& name, const std::string& why) {
    if (error) *error = name + ": " + why;
    return std::nullopt;
  };
  const std::pair<const char*, std::function<Canvas(base::Scale)>> pictures[] = {
      {"skin", [&](base::Scale s) { return paintAtlas(fonts, s); }},
      {"clock", [](base::Scale s) { return paintClockFace(s); }},
      {"clockcap", [](base::Scale s) { return paintClockCap(s); }},
  };
  for (const auto& [stem, paint] : pictures) {
    const Canvas canvas = paint({});
    std::string why;
    std::optional<Bytes> bmp = encodeBmp8(canvas, &why);
    if (!bmp) return fail(std::string(stem) + ".bmp", why);
    files.push_back({std::string(stem) + ".bmp", std::move(*bmp)});
  }
  // The larger scales, as compressed palette PNGs in the 100 % colours.
  for (const auto& [stem, paint] : pictures) {
    const Canvas base = paint({});
    const std::set<uint32_t> palette(base.pixels().begin(), base.pixels().end());
    for (int scale : skin::kScales) {
      if (scale == 100) continue;
      Canvas canvas = paint({scale});
      snapToPalette(canvas, palette);
      std::string why;
      std::optional<Bytes> png = encodePng8(canvas, &why);
      if (!png) return fail(scaledName(stem, scale), why);
      files.push_back({scaledName(stem, scale), std::move(*png)});
    }
  }
  files.push_back({"pisarion.ico", encodeIco({paintIcon(16, fonts), paintIcon(32, fonts)})});
  files.push_back({"namestko.ico", encodeIco({paintSetupIcon(16, fonts), paintSetupIcon(32, fonts)})});
  files.push_back({"pisarion.manifest", text(kManifest)});
  files.push_back({"pisarion.rc", text(kResources)});
  return files;
}

}  // namespace skingen
