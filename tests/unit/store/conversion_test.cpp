// Sealing a diary of a few hundred days, killed again and again at random
// moments, in both directions: no day is ever lost or unreadable.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "store/conversion.h"
#include "store/sealed.h"
#include "support/scratch.h"

using namespace store;

namespace {

std::string dayKey(int i) {
  char key[16];
  std::snprintf(key, sizeof key, "%02d-%02d-%04d", i / 28 % 12 + 1, i % 28 + 1, 2000 + i / 336);
  return key;
}

std::string textOf(int i) { return "{\\rtf1 dan " + std::to_string(i) + " " + std::string(200 + i, 'x') + "}\r\n"; }

// Converts the whole diary in a child process the test kills.
pid_t convertInChild(const fs::path& folder, const SharedKey& key, bool seal) {
  const pid_t pid = fork();
  if (pid == 0) {
    DiaryStore store(folder);
    store.setKey(key, seal);
    Conversion c(store, dayKey(7));
    while (c.step(50)) {
    }
    _exit(c.failed() == 0 ? 0 : 3);
  }
  return pid;
}

}  // namespace

TEST(Conversion, KilledAtRandomMomentsEveryDayStillOpens) {
  constexpr int kDays = 300;
  ScratchFolder dir;
  DiaryStore store(dir.path());
  ASSERT_TRUE(store.ensureDataFolder());
  for (int i = 0; i < kDays; ++i) ASSERT_TRUE(store.Save(dayKey(i), textOf(i)));
  const SharedKey key = std::make_shared<SecretKey>(*SecretKey::random());
  std::mt19937 random(20);
  int kills = 0;
  for (int round = 0; kills < 60; ++round) {
    const pid_t child = convertInChild(dir.path(), key, round % 3 != 2);  // mostly onwards, now and then back
    usleep(std::uniform_int_distribution<int>(0, 40'000)(random));
    if (waitpid(child, nullptr, WNOHANG) == 0) ++kills;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ASSERT_LT(round, 2000);
  }
  DiaryStore reader(dir.path());
  reader.setKey(key, true);
  Conversion rest(reader, dayKey(7));
  while (rest.step(1000)) {
  }
  EXPECT_EQ(rest.failed(), 0u);
  reader.removeLeftovers();
  ASSERT_TRUE(reader.Rescan());
  EXPECT_EQ(reader.listing().size(), static_cast<size_t>(kDays));
  for (int i = 0; i < kDays; ++i) {
    EXPECT_EQ(reader.Load(dayKey(i)).rtf, textOf(i)) << dayKey(i);
    EXPECT_TRUE(isSealedEntry(dir.read(fs::path("Podatki") / dayKey(i)))) << dayKey(i);
  }
}
