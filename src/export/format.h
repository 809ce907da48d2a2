#pragma once
// The three kinds of export file and the day headings they share.
#include <filesystem>
#include <optional>
#include <string>

#include "base/date.h"

namespace exporting {

enum class Format { Html, Rtf, Text };

// By the file's extension, in any case: .html or .htm, .rtf, .txt.
std::optional<Format> formatOf(const std::filesystem::path& file);

// The extension a new file of the format gets ("html", "rtf", "txt").
const char* extensionOf(Format format);

// The date written out as a heading, UTF-8: "torek, 30. junij 2026".
std::string dayHeading(const base::Date& date);

}  // namespace exporting
