#include "export/writers.h"

namespace exporting {

std::unique_ptr<Writer> makeHtmlWriter();
std::unique_ptr<Writer> makeRtfWriter();
std::unique_ptr<Writer> makeTextWriter();

std::unique_ptr<Writer> makeWriter(Format format) {
  switch (format) {
    case Format::Html: return makeHtmlWriter();
    case Format::Rtf: return makeRtfWriter();
    case Format::Text: return makeTextWriter();
  }
  return nullptr;
}

std::string damageNote(Damage damage) {
  switch (damage) {
    case Damage::None: return {};
    case Damage::Unreadable: return "(Zapisa tega dne ni bilo mogoče prebrati.)";
    case Damage::NotRichText: return "(Zapis tega dne je poškodovan: izvožen je kot golo besedilo.)";
    case Damage::Truncated: return "(Zapis tega dne je poškodovan: izvoženo je, kar se ga je dalo prebrati.)";
    case Damage::TooLarge: return "(Zapis tega dne je prevelik: izvožen je le njegov začetek.)";
    case Damage::PictureUnreadable:
      return "(Slike v zapisu tega dne ni bilo mogoče prebrati: izpuščena je, besedilo je izvoženo, kolikor se ga je dalo "
             "prebrati.)";
  }
  return {};
}

}  // namespace exporting
