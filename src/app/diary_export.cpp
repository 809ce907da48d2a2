#include "app/diary_export.h"

#include <array>

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

void exportWithDialog(Pisarion& app, gui::Form& owner) {
  const auto answer = app.platform().askSaveFile(owner, saveRequest());
  if (!answer) return;
  std::filesystem::path file = answer->file;
  // A name typed without a known extension takes the kind chosen in the dialog.
  if (!exporting::formatOf(file)) {
    const auto format = kFormats[answer->type < kFormats.size() ? answer->type : 0];
    file += std::string(".") + exporting::extensionOf(format);
  }
  tell(app, exporting::exportDiary(app.store().dataFolder(), file));
}

bool exportToFile(Pisarion& app, const std::filesystem::path& file) {
  const exporting::Outcome outcome = exporting::exportDiary(app.store().dataFolder(), file);
  if (!outcome.written()) tell(app, outcome);
  return outcome.written();
}

}  // namespace app
