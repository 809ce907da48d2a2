#pragma once
// Small documents and the text the editor shows for each, paragraphs ended
// by '\r': taken once from the real RichEdit under Wine, and checked against
// it again by tests/win_richedit. Where Wine's control falls short of the
// format (and of Windows' control), the text it shows instead is kept beside.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace shown {

struct Case {
  const char* name;
  const char* rtf;
  const char16_t* text;            // what the editor shows
  const char16_t* wine = nullptr;  // what Wine's control shows, where it differs
};

inline const Case kCases[] = {
    {"the diary's own entry", R"({\rtf1\ansi\ansicpg1250\deff0\deflang1060{\fonttbl{\f0\fnil\fcharset238 Arial;}}\viewkind4\uc1\pard\f0\fs18 \'e8\'9a\'9e \'c8\'8a\'8e\par})",
     u"čšž ČŠŽ"},
    {"ansi without ansicpg, a Western font", R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}}\f0 o\'f9 \'e8\par})", u"où è"},
    // Wine's control reads a font without a character set in the system's
    // code page (here 1250), whatever the document says.
    {"ansi without ansicpg, a font without charset", R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}o\'f9\par})", u"où", u"oů"},
    {"ansicpg1251, a font without charset", R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0 Arial;}}\'e0\'e1\'e2\par})", u"абв", u"ŕáâ"},
    {"the pc character set", R"({\rtf1\pc\deff0{\fonttbl{\f0 Courier;}}\'82\'87\par})", u"éç", u"‚‡"},
    {"each font's charset",
     R"({\rtf1\ansi\ansicpg1250\deff0{\fonttbl{\f0\fcharset238 Arial;}{\f1\fcharset0 Arial;}{\f2\fcharset204 Arial;}{\f3\fcharset161 Arial;}{\f4\fcharset162 Arial;}{\f5\fcharset186 Arial;}{\f6\fcharset177 Arial;}})"
     R"(\f0 a\'e8 \f1 b\'e8 \f2 c\'e8 \f3 d\'e8 \f4 e\'f0 \f5 f\'e8 \f6 g\'e8\par})",
     u"ač bè cи dθ eğ fč gט"},
    {"\\'xx across charset changes, groups, \\plain and \\deff",
     R"({\rtf1\ansi\ansicpg1252\deff1{\fonttbl{\f0\fcharset238 Arial;}{\f1\fcharset204 Times;}}\'e8 {\f0\'e8} \'e8 \plain\'e8\par})",
     u"и č и и"},
    {"a font's own code page", R"({\rtf1\ansi\ansicpg1250\deff0{\fonttbl{\f0\fcharset0\cpg1251 Arial;}}\'e8\par})", u"и"},
    {"raw bytes in the font's charset", "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}}\xE8 \\'e8\\par}", u"и и"},
    {"\\uc skips", R"({\rtf1\ansi\uc2 \u269xyz \uc0 \u353 a\par})", u"čz ša"},
    {"\\uc scoped to its group", R"({\rtf1\ansi\uc0 a{\uc1\u269?}\u353?\par})", u"ačš?"},
    {"\\u with negative numbers", R"({\rtf1\ansi\u-3913? \u-10179?\u-8704?\par})", u"\uF0B7 \U0001F600"},
    {"hidden text", R"({\rtf1\ansi a{\v skrito}b \v nevidno\v0 c\par})", u"ab c"},
    {"hidden text inside a bold run", R"({\rtf1\ansi{\b krepko \v skrito\v0  spet} konec\par})", u"krepko  spet konec"},
    {"a hidden \\u and paragraph mark", R"({\rtf1\ansi a{\v\u269?b\par c}d\par})", u"a\rd"},
    // Wine's control knows no \bin: it reads the binary data as rich text.
    {"\\bin with a count", R"({\rtf1\ansi pred {\pict\wmetafile8\bin6 }}{{\\x}za\par})", u"pred za", u"pred "},
    {"\\bin without a count", R"({\rtf1\ansi pred {\pict\wmetafile8\picw10\pich10\bin 0102ab}za\par})", u"pred za"},
    {"unknown \\* destinations", R"({\rtf1\ansi a{\*\neznano skrito}b{\*\bkmkstart x}c\par})", u"abc"},
    {"a nested table and its fallback",
     R"({\rtf1\ansi\deff0{\fonttbl{\f0\fcharset238 Arial;}}\pard\intbl\itap1 Zunaj A\cell\pard\intbl\itap2 Notri 1\nestcell Notri 2\nestcell)"
     R"({\*\nesttableprops\trowd\cellx500\cellx1000\nestrow}{\nonesttables Notri 1 Notri 2\par}\pard\intbl\itap1\cell\trowd\cellx2000\cellx4000\row\pard konec\par})",
     u"\rZunaj A\t\rNotri 1\tNotri 2\t\r\t\rkonec"},
    {"a fallback for nested tables alone", R"({\rtf1\ansi pred {\nonesttables nadomestno\par} po\par})", u"pred  po"},
    // Wine's control neither keeps nor draws \caps.
    {"capitals", R"({\rtf1\ansi\ansicpg1250\deff0{\fonttbl{\f0\fcharset238 Arial;}}\f0 {\caps velike \'e8\'9a\'9e}\caps0  male {\caps\caps0 ne}\par})",
     u"VELIKE ČŠŽ male ne", u"velike čšž male ne"},
};

inline void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// The words of a text: what lies between spaces, tabs, line and paragraph
// ends (a table's cells are apart however a reader marks them).
inline std::vector<std::u16string> words(std::u16string_view text) {
  std::vector<std::u16string> out;
  std::u16string word;
  for (char16_t c : text) {
    if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v') {
      if (!word.empty()) out.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) out.push_back(std::move(word));
  return out;
}

}  // namespace shown
