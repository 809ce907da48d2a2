#pragma once
// The data folder's listing as a file list box shows it: names of ordinary
// files, hidden and system files left out, sorted as text.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// UTF-8 names; nothing at all (not an empty list) when the folder is missing
// or cannot be read, so that an unreadable folder never looks like a diary
// with no entries. The diary's own files are never listed.
//
// With `ending`, only the names that end with it (bytes, ASCII): the system
// is asked for those alone, so the rest of a hundred years of names costs it
// no look at their attributes.
std::optional<std::vector<std::string>> listOrdinaryFiles(const std::filesystem::path& folder,
                                                         std::string_view ending = {});

// Files of any attributes (not folders) whose names begin with `beginning`
// and pass `test`; only such names are asked about. Empty when there are
// none or the folder cannot be read.
std::vector<std::filesystem::path> filesBeginningWith(const std::filesystem::path& folder, std::string_view beginning,
                                                      bool (*test)(std::string_view));

// The diary's own files in the data folder begin with a tilde: temporaries,
// the folder's lock, versions of a day kept aside. None of them is a day.
bool isOwnFileName(std::string_view name);

// The diary's temporary files ("~….tmp"): written beside an entry and moved
// over it, left behind only by a crash.
bool isTemporaryName(std::string_view name);

// Text order: letters compared without regard to case, then byte order.
bool textLess(const std::string& a, const std::string& b);
void sortAsText(std::vector<std::string>& names);

}  // namespace store
