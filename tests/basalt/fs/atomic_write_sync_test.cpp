// Its own binary: it puts a recording fsync in front of the C library's, to
// see what a save syncs and when.
#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "basalt/fs/atomic_write.h"
#include "tests/support/engine_fixture.h"

namespace {

// What a sync saw: the path synced and the saved file's contents at that moment.
struct Sync {
  std::string path;
  std::string fileThen;
};
std::vector<Sync> g_syncs;
const char* g_watchedFile = nullptr;

std::string PathOf(int fd) {
  char link[PATH_MAX] = {};
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = readlink(proc.c_str(), link, sizeof link - 1);
  return length > 0 ? std::filesystem::path(std::string(link, static_cast<size_t>(length))).filename().string() : "";
}

}  // namespace

extern "C" int fsync(int fd) {
  using Real = int (*)(int);
  static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fsync"));
  if (g_watchedFile) g_syncs.push_back({PathOf(fd), test::ReadFile(g_watchedFile)});
  return real(fd);
}

namespace {

using AtomicWriteSyncTest = test::EngineFixture;

TEST_F(AtomicWriteSyncTest, TheNewBytesAreSyncedBeforeTheRenameAndTheFolderAfterIt) {
  test::WriteFile("presets/kit.preset", "old");
  g_watchedFile = "presets/kit.preset";
  ASSERT_TRUE(Basalt::WriteFileAtomically("presets\\kit.preset", "new", 3));
  g_watchedFile = nullptr;
  ASSERT_EQ(g_syncs.size(), 2u);
  EXPECT_EQ(g_syncs[0].path, "kit.preset.partial");
  EXPECT_EQ(g_syncs[0].fileThen, "old");  // synced while the old file still stood
  EXPECT_EQ(g_syncs[1].path, "presets");
  EXPECT_EQ(g_syncs[1].fileThen, "new");  // the folder, once it holds the new file
}

}  // namespace
