#include "generate.h"

#include "art.h"

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

}  // namespace

std::optional<std::vector<ArtworkFile>> generateArtwork(const Fonts& fonts, std::string* error) {
  std::vector<ArtworkFile> files;
  const std::pair<const char*, Canvas> pictures[] = {
      {"skin.bmp", paintAtlas(fonts)},
      {"clock.bmp", paintClockFace()},
      {"clockcap.bmp", paintClockCap()},
  };
  for (const auto& [name, canvas] : pictures) {
    std::string why;
    std::optional<Bytes> bmp = encodeBmp8(canvas, &why);
    if (!bmp) {
      if (error) *error = std::string(name) + ": " + why;
      return std::nullopt;
    }
    files.push_back({name, std::move(*bmp)});
  }
  files.push_back({"pisarion.ico", encodeIco({paintIcon(16, fonts), paintIcon(32, fonts)})});
  files.push_back({"namestko.ico", encodeIco({paintSetupIcon(16, fonts), paintSetupIcon(32, fonts)})});
  files.push_back({"pisarion.manifest", text(kManifest)});
  files.push_back({"pisarion.rc", text(kResources)});
  return files;
}

}  // namespace skingen
