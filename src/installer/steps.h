#pragma once
// What installing and removing share: where the diary's pieces lie, how a
// running diary is closed, and how the work passes to a copy of Namestko
// with administrator rights.
#include <string>
#include <vector>

#include "installer/installer.h"

namespace installer::steps {

std::wstring join(const std::wstring& folder, const std::wstring& name);
std::wstring parentOf(const std::wstring& path);
// Windows compares paths without regard to letter case.
bool samePath(const std::wstring& a, const std::wstring& b);
// Whether `path` is `folder` or lies inside it.
bool inside(const std::wstring& path, const std::wstring& folder);

// The two shortcuts of an installation.
std::vector<std::wstring> shortcutFiles(Operations& ops, Scope scope);

// The folders where the diary of an installation keeps its files: beside
// the program, and for an installation under Program Files, which the diary
// cannot write, the user's own folder it moves to. A per-user installation
// never writes there: a diary found there belongs to another installation.
std::wstring userDiaryFolder(Operations& ops);
std::vector<std::wstring> diaryFolders(Operations& ops, const Installation& installation);
// Whether the folder holds any of the diary's files.
bool holdsDiary(Operations& ops, const std::wstring& folder);
// "zapiski so v mapi …\Podatki, varnostne kopije v mapi …" for every folder
// that holds a diary; empty when none does.
std::wstring whereTheDiaryIs(Operations& ops, const std::vector<std::wstring>& folders);

// A diary running from `program` is asked to close (the user agreeing
// first); false when it still runs and the user gave up.
bool closeRunningDiary(Operations& ops, User& user, const std::wstring& program);

// The user is told why administrator rights are needed and Namestko starts
// again with them; HandedOver when that copy runs, Cancelled otherwise.
Outcome handOver(Operations& ops, User& user, const std::wstring& why, const std::vector<std::wstring>& arguments);

// A list of sentences, one a line, under its heading.
std::wstring listed(const std::wstring& heading, const std::vector<std::wstring>& lines);

}  // namespace installer::steps
