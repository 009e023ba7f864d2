#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "basalt/fs/path.h"
#include "tests/content/generate.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;


std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), dir).string()] = test::ReadFile(entry.path().string());
  return files;
}

using ContentGenTest = test::TempDirTest;

TEST_F(ContentGenTest, WritesTheSameCompleteGameDirectoryEveryTime) {
  ASSERT_TRUE(test::GenerateContent("first"));
  ASSERT_TRUE(test::GenerateContent("second"));
  const auto first = Snapshot("first");
  EXPECT_EQ(first, Snapshot("second"));

  EXPECT_EQ(Basalt::ListDirectory("first/fonts", "tga").size(), 7u);
  for (const char* mesh : {"drumset.gmsh", "drumset2.gmsh", "button.gmsh", "bassbar.gmsh"})
    EXPECT_TRUE(first.count(std::string("meshes/") + mesh)) << mesh;
  for (const char* file : {"gui.tga", "star.tga", "materials.txt", "default.shd", "met.wav", "presets/default.preset"})
    EXPECT_TRUE(first.count(file)) << file;
  for (const char* category : {"Snares", "Cymbals", "TomToms", "Kick", "Other"})
    EXPECT_GE(Basalt::ListDirectory((std::string("first/SampleBank/") + category).c_str(), "wav").size(), 5u)
        << category;
  EXPECT_TRUE(fs::is_directory("first/recordings"));
  EXPECT_EQ(first.at("presets/default.preset").size(), 4044u);
}

TEST_F(ContentGenTest, NeverTouchesTheUsersOwnPreset) {
  test::WriteFile("game/presets/default.preset", "the user's kit");
  ASSERT_TRUE(test::GenerateContent("game"));
  EXPECT_EQ(test::ReadFile("game/presets/default.preset"), "the user's kit");
}

TEST_F(ContentGenTest, EveryTextureTheMaterialsNameExists) {
  ASSERT_TRUE(test::GenerateContent("game"));
  const std::string materials = test::ReadFile("game/materials.txt");
  size_t at = 0;
  int named = 0;
  while ((at = materials.find("TEXTURE0 ", at)) != std::string::npos) {
    at += 9;
    const std::string name = materials.substr(at, materials.find_first_of(" \t\n", at) - at);
    EXPECT_TRUE(fs::exists("game/Textures/" + name)) << name;
    ++named;
  }
  EXPECT_GT(named, 5);
}

}  // namespace
