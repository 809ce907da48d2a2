#pragma once
// The settings file Podatki.ini: four encoded lines — the main window's top
// and left in twips, the keep-on-top choice, and the password.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/file_io.h"

namespace store {

namespace fs = std::filesystem;

struct Settings {
  // Empty when the file gave no number: the window keeps a position of its own.
  std::optional<double> top;
  std::optional<double> left;
  bool onTop = false;
  std::u16string password;  // empty: no password
};

// The user's number format for the position lines.
struct NumberFormat {
  char16_t decimalSeparator = u',';
};

// Reading never fails: a missing or unreadable file, or a value that does not
// parse, leaves that value at its default.
Settings readSettings(const fs::path& file, const NumberFormat& format);

// For the start-up, which must tell a missing file (a first start: no
// password) from one that is there but cannot be read (it may hold a
// password: the diary must neither open unlocked nor write over it). A file
// held open by another program for a moment is tried again `attempts`
// times, `wait` apart.
struct SettingsRead {
  FileState state = FileState::Missing;
  Settings settings;  // parsed when Read, defaults otherwise
};
struct Patience {
  int attempts = 1;
  std::chrono::milliseconds wait{0};
};
SettingsRead readSettingsChecked(const fs::path& file, const NumberFormat& format, Patience patience);
Settings parseSettings(std::string_view fileBytes, const NumberFormat& format);

// The four lines, encoded, each followed by CR LF; replaced atomically
// through `temp`. False when the file could not be written.
bool writeSettings(const fs::path& file, const Settings& settings, const NumberFormat& format, const fs::path& temp);
std::string formatSettings(const Settings& settings, const NumberFormat& format);

// A single-precision number as text in the user's format ("2220", "-45",
// "1234,5"), and back. Parsing accepts either '.' or the user's separator.
std::string formatNumber(double value, const NumberFormat& format);
std::optional<double> parseNumber(std::string_view text, const NumberFormat& format);

// "True"/"False" in any letter case, or a number (0 false, anything else true).
std::optional<bool> parseBoolean(std::string_view text, const NumberFormat& format);

}  // namespace store
