#pragma once
// The data folder's listing as a file list box shows it: names of ordinary
// files, hidden and system files left out, sorted as text.
#include <filesystem>
#include <string>
#include <vector>

namespace store {

// UTF-8 names; an unreadable or missing folder lists nothing.
std::vector<std::string> listOrdinaryFiles(const std::filesystem::path& folder);

// Text order: letters compared without regard to case, then byte order.
bool textLess(const std::string& a, const std::string& b);

}  // namespace store
