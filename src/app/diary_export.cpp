#include "app/diary_export.h"

#include <array>
#include <system_error>

#include "app/pisarion.h"
#include "base/cp1250.h"
#include "export/exporter.h"
#include "export/messages.h"

namespace app {
namespace {

// In the order the dialog lists them; the first is proposed.
constexpr std::array kFormats{exporting::Format::Html, exporting::Format::Rtf, exporting::Format::Text};

gui::SaveFileRequest saveRequest() {
  return {u"Izvoz dnevnika",
          u"Pisarion.html",
          {{u"Spletna stran (*.html)", u"html"}, {u"Obogateno besedilo (*.rtf)", u"rtf"}, {u"Besedilo (*.txt)", u"txt"}}};
}

void tell(Pisarion& app, const exporting::Outcome& outcome) {
  app.platform().messageBox(exporting::describe(outcome), u"Pisarion",
                            outcome.written() ? gui::MessageIcon::Information : gui::MessageIcon::Exclamation);
}

}  // namespace

namespace {

// The name the export will have: one typed without a known extension takes
// the kind chosen in the dialog.
std::filesystem::path exportName(const gui::SaveFileAnswer& answer) {
  std::filesystem::path file = answer.file;
  if (!exporting::formatOf(file)) {
    const auto format = kFormats[answer.type < kFormats.size() ? answer.type : 0];
    file += std::string(".") + exporting::extensionOf(format);
  }
  return file;
}

// The question about a file already there is asked of the name that will be
// written, so "x.bak" typed never replaces "x.bak.html" unasked. No goes
// back to the dialog, as the system's own question does.
bool mayReplace(Pisarion& app, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return true;
  return app.platform().askYesNo(u"Datoteka »" + file.u16string() + u"« že obstaja.\r\nAli jo želite zamenjati?",
                                 u"Izvoz dnevnika", gui::MessageIcon::Exclamation, gui::DefaultAnswer::No);
}

}  // namespace

void exportWithDialog(Pisarion& app, gui::Form& owner) {
  for (;;) {
    const auto answer = app.platform().askSaveFile(owner, saveRequest());
    if (!answer) return;
    const std::filesystem::path file = exportName(*answer);
    if (!mayReplace(app, file)) continue;
    tell(app, exporting::exportDiary(app.store().dataFolder(), file, app.store().key().get()));
    return;
  }
}

bool exportToFile(Pisarion& app, const std::filesystem::path& file) {
  const exporting::Outcome outcome = exporting::exportDiary(app.store().dataFolder(), file, app.store().key().get());
  tell(app, outcome);  // where it went, or why not
  return outcome.written();
}

}  // namespace app
