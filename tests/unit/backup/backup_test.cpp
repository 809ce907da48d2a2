// The day's archive as a file: whole and readable, streamed from files of
// any size; a diary past what an archive holds gets none at all, and no
// part of one under any name.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "backup/daily.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

namespace {

std::string run(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  char buf[1 << 16];
  for (size_t n; p && (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  if (p) pclose(p);
  return out;
}

std::string noise(size_t n) {
  std::mt19937 random(7);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(random());
  return s;
}

const base::DateTime kNow{{2026, 12, 7}, 10, 0, 0, 0};

struct Limit {
  const char* what;
  backup::ZipLimits limits;
};

class PastTheLimitsTest : public testing::TestWithParam<Limit> {};

}  // namespace

TEST(DailyBackup, AMemberLargerThanItsPiecesComesOutWholeAndEveryToolReadsTheArchive) {
  ScratchFolder dir;
  const std::string big = noise(3 << 20) + std::string(2 << 20, 'a');
  dir.write("Podatki/12-06-2026", big);
  dir.write("Podatki/12-05-2026", "");
  dir.write("Podatki/~Pisarion.tmp", "a save under way");
  const backup::DiaryFiles files{dir.path() / "Podatki", dir.path() / "Podatki.ini", dir.path() / "Varnostne kopije"};
  ASSERT_EQ(backup::makeDailyBackup(files, kNow), backup::Outcome::Made);
  const std::string zip = (files.backupFolder / "2026-12-07.zip").string();
  EXPECT_NE(run("unzip -t '" + zip + "'").find("No errors detected"), std::string::npos);
  EXPECT_TRUE(run("unzip -p '" + zip + "' Podatki/12-06-2026") == big);
  EXPECT_EQ(run("unzip -Z1 '" + zip + "'"), "Podatki/12-05-2026\nPodatki/12-06-2026\n");
}

TEST_P(PastTheLimitsTest, IsRefusedAndLeavesNoFileBehind) {
  ScratchFolder dir;
  dir.write("Podatki.ini", "nastavitve");
  dir.write("Podatki/12-05-2026", noise(5000));
  dir.write("Podatki/12-06-2026", noise(5000));
  const backup::DiaryFiles files{dir.path() / "Podatki", dir.path() / "Podatki.ini", dir.path() / "Varnostne kopije"};
  backup::BackupOptions options;
  options.limits = GetParam().limits;
  EXPECT_EQ(backup::makeDailyBackup(files, kNow, options), backup::Outcome::Failed);
  EXPECT_TRUE(fs::is_empty(files.backupFolder));
}

INSTANTIATE_TEST_SUITE_P(Zip, PastTheLimitsTest,
                         testing::Values(Limit{"members", {2, 0xFFFFFFFF}}, Limit{"member size", {0xFFFF, 4000}},
                                         Limit{"archive offsets", {0xFFFF, 9000}}),
                         [](const auto& info) { return std::to_string(info.index); });
