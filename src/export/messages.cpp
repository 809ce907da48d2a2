#include "export/messages.h"

#include "base/cp1250.h"

namespace exporting {
namespace {

constexpr size_t kDamagedNamed = 10;  // more are counted, not listed

std::string pathText(const std::filesystem::path& p) {
  const std::u8string u8 = p.u8string();
  return std::string(u8.begin(), u8.end());
}

std::string shortDate(const base::Date& d) {
  return std::to_string(d.day) + ". " + std::to_string(d.month) + ". " + std::to_string(d.year);
}

std::string damagedSentence(const std::vector<base::Date>& damaged) {
  std::string s = "Poškodovani dnevi, izvoženi, kolikor se jih je dalo prebrati: ";
  for (size_t i = 0; i < damaged.size() && i < kDamagedNamed; ++i) s += (i ? ", " : "") + shortDate(damaged[i]);
  if (damaged.size() > kDamagedNamed) s += " in še " + std::to_string(damaged.size() - kDamagedNamed);
  return s + ".";
}

std::string success(const Outcome& o) {
  std::string s = "Dnevnik je izvožen v datoteko\r\n" + pathText(o.file) + "\r\n\r\n" + daysSentence(o.days);
  if (o.skippedNames > 0)
    s += "\r\n\r\nDatoteke v mapi Podatki, katerih imena niso datumi, niso izvožene: " +
         std::to_string(o.skippedNames) + ".";
  if (!o.damaged.empty()) s += "\r\n\r\n" + damagedSentence(o.damaged);
  return s;
}

std::string failure(const Outcome& o) {
  const std::string file = "»" + pathText(o.file) + "«";
  switch (o.problem) {
    case Problem::UnknownExtension:
      return "Dnevnika ni mogoče izvoziti v " + file +
             ": vrsta datoteke ni znana.\r\nIzberite končnico .html, .htm, .rtf ali .txt.";
    case Problem::FolderMissing:
      return "Mapa »" + pathText(o.file.parent_path()) + "« ne obstaja. Dnevnik ni izvožen.";
    case Problem::IsFolder: return file + " je mapa, ne datoteka. Dnevnik ni izvožen.";
    case Problem::IntoDataFolder:
      return "Izvoza ni mogoče shraniti v mapo Podatki, kjer so dnevi dnevnika. Izberite drugo mapo.";
    case Problem::DiaryUnreadable:
      return "Mape z zapisi ni bilo mogoče prebrati, zato dnevnik ni izvožen. Morda jo ima odprto drug program.";
    case Problem::DiskFull:
      return "Na disku ni dovolj prostora. Dnevnik ni izvožen v " + file + ".";
    case Problem::CannotWrite:
      return "Datoteke " + file +
             " ni mogoče zapisati; morda je zaščitena ali odprta v drugem programu. Dnevnik ni izvožen.";
    case Problem::None: break;
  }
  return {};
}

}  // namespace

std::string daysSentence(int days) {
  const int n = days % 100;
  const std::string count = std::to_string(days);
  if (days == 0) return "V njej ni nobenega dneva.";
  if (n == 1) return "V njej je " + count + " dan.";
  if (n == 2) return "V njej sta " + count + " dneva.";
  if (n == 3 || n == 4) return "V njej so " + count + " dnevi.";
  return "V njej je " + count + " dni.";
}

std::u16string describe(const Outcome& outcome) {
  return base::utf8ToUtf16(outcome.written() ? success(outcome) : failure(outcome));
}

}  // namespace exporting
