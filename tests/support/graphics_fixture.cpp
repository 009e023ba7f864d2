#include "tests/support/graphics_fixture.h"

#include <cstdlib>
#include <cstring>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/graphics/material_file.h"

namespace test {

namespace {

unsigned NameWindow(void* setup) {
  std::strcpy(static_cast<Basalt::WindowSetup*>(setup)->title, "Graphics Test");
  return 0;
}

void RecordBox(const char* caption, const char* text) {
  GraphicsFixture::Boxes().push_back(std::string(caption) + "|" + text);
}

}  // namespace

std::vector<std::string>& GraphicsFixture::Boxes() {
  static std::vector<std::string> boxes;
  return boxes;
}

void GraphicsFixture::SetUp() {
  EngineFixture::SetUp();
  Boxes().clear();
  Basalt::PlatformSDL::SetMessageBoxHandler(&RecordBox);
  m_core = std::make_unique<Basalt::Core>();
  m_platform = std::make_unique<Basalt::PlatformSDL>(&NameWindow);
  Basalt::PlatformParams window = {false, m_windowWidth, m_windowHeight};
  ASSERT_TRUE(m_platform->Initialize(&window));
  Basalt::g_pPlatform = m_platform.get();
  m_device = std::make_unique<Basalt::GraphicsDeviceGL>(*m_platform);
  Basalt::GraphicsParams params = {m_windowHeight, m_windowWidth, 32, 1, false};
  ASSERT_TRUE(m_device->Initialize(&params));
  Basalt::g_pGraphics = m_device.get();
  m_materials = std::make_unique<Basalt::MaterialManagerGL>();
  Basalt::g_pMaterialManager = m_materials.get();
}

// Releases in the core's order, then hands the core nothing to release.
void GraphicsFixture::TearDown() {
  if (m_materials) m_materials->Shutdown();
  Basalt::g_pMaterialManager = nullptr;
  m_materials.reset();
  Basalt::g_pGraphics = nullptr;
  m_device.reset();
  Basalt::g_pPlatform = nullptr;
  m_platform.reset();
  Basalt::IFileSystem* fileSystem = Basalt::g_pFileSystem;
  Basalt::Log* log = Basalt::g_pSystemLog;
  Basalt::g_pFileSystem = nullptr;
  Basalt::g_pSystemLog = nullptr;
  m_core.reset();
  Basalt::g_pFileSystem = fileSystem;
  Basalt::g_pSystemLog = log;
  Basalt::PlatformSDL::SetMessageBoxHandler(nullptr);
  Basalt::g_noShaders = false;
  Basalt::g_anisoLevel = 2;
  Basalt::g_textureFilterMode = 0;
  EngineFixture::TearDown();
}

bool GraphicsFixture::ParseMaterials(const std::string& text) {
  return Basalt::ParseMaterialFile(text.data(), static_cast<unsigned>(text.size()), "materials.txt");
}

const char kHalfGlowShader[] = R"(
uniform mat4 matWorldViewProj;
uniform mat4 lightPos;
uniform vec4 glowColor;
#ifdef VS
in vec3 inPosition;
void main() { gl_Position = matWorldViewProj * vec4(inPosition, 1.0); }
#endif
#ifdef PS
out vec4 outColour;
void main() {
  float lit = (lightPos[0].x == -100.0 && lightPos[1].y == 50.0 && lightPos[2].z == -50.0) ? 0.5 : 0.0;
  outColour = vec4(glowColor.rgb * lit, 1.0);
}
#endif
)";

const char kFlatMaterials[] = "BEGIN SHADER flat.shd VS_WORLD_VIEW_PROJ END\nBEGIN MATERIAL NoMaterial SHADER flat.shd END\n";

void WriteFlatShader() { WriteFile("flat.shd", kHalfGlowShader); }

::testing::AssertionResult NearColour(unsigned actual, unsigned expected) {
  for (unsigned shift = 0; shift < 32; shift += 8) {
    const int difference = static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(difference) > 2)
      return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace test
