#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backline/sound/sdl/sound_backend_sdl_mixer.h"
#include "backline/sound/sdl/sound_backends_sdl.h"
#include "basalt/fs/path.h"
#include "tests/content/generate.h"
#include "tests/support/engine_fixture.h"

namespace {

class ContentSoundsTest : public test::EngineFixture {
 protected:
  // Every generated sound, as the program names it.
  static std::vector<std::string> GeneratedSounds() {
    std::vector<std::string> paths = {"met.wav"};
    for (const char* category : {"Snares", "Cymbals", "TomToms", "Kick", "Other"}) {
      const std::string folder = std::string("SampleBank\\") + category;
      for (const std::string& name : Basalt::ListDirectory(folder.c_str(), "wav")) paths.push_back(folder + "\\" + name);
    }
    return paths;
  }
  void ExpectAllLoad(const SoundBackend& backend) {
    ASSERT_TRUE(backend.Initialize());
    const std::vector<std::string> sounds = GeneratedSounds();
    EXPECT_GT(sounds.size(), 25u);
    for (const std::string& path : sounds) EXPECT_TRUE(backend.LoadSample(0, path.c_str())) << path;
    backend.Shutdown();
  }
};

TEST_F(ContentSoundsTest, EveryGeneratedSampleLoadsInBothBackEnds) {
  ASSERT_TRUE(test::GenerateContent("."));
  ExpectAllLoad(SoundBackendVoicesSDL());
  ExpectAllLoad(SoundBackendSDLMixer());
  EXPECT_EQ(LogText().find("Failed"), std::string::npos) << LogText();
}

}  // namespace
