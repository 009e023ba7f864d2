#include "basalt/graphics/material_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/graphics/gl/material_gl.h"
#include "basalt/graphics/gl/shader_gl.h"
#include "basalt/graphics/gl/texture_gl.h"
#include "tests/support/graphics_fixture.h"

namespace {

const char kImages[] = PADLARK_TESTDATA "/images/";

class MaterialFileTest : public test::GraphicsFixture {
 protected:
  void SetUp() override {
    test::GraphicsFixture::SetUp();
    test::WriteFile("default.shd", test::kHalfGlowShader);
    std::filesystem::create_directory("Textures");
    std::filesystem::copy_file(std::string(kImages) + "rgba_16x8.tga", "Textures/wood.tga");
  }
  Basalt::MaterialGL* Material(const char* name) {
    return static_cast<Basalt::MaterialGL*>(Materials().FindMaterial(name));
  }
  std::vector<std::string> BoxesOf(const std::string& text) {
    Boxes().clear();
    ParseMaterials(text);
    return Boxes();
  }
};

TEST_F(MaterialFileTest, ALowerCaseBlockLoadsItsTextureAndTakesTheDefaultShader) {
  ASSERT_TRUE(ParseMaterials("BEGIN SHADER default.shd END\r\nbegin\n material Wood texture0 wood.tga end"));
  Basalt::MaterialGL* wood = Material("Wood");
  ASSERT_NE(wood, nullptr);
  Basalt::ITexture* texture = Materials().FindTexture("wood.tga");
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(wood->GetTexture(0), texture);
  EXPECT_EQ(texture->GetWidth(), 16u);
  EXPECT_EQ(texture->GetHeight(), 8u);
  EXPECT_EQ(wood->GetShader(), Materials().FindShader("default.shd"));
  EXPECT_TRUE(static_cast<Basalt::ShaderGL*>(wood->GetShader())->IsBuilt());
  EXPECT_FALSE(wood->GetAlpha());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MaterialFileTest, AMissingTextureOrShaderStopsTheFileAndKeepsWhatCameBefore) {
  EXPECT_FALSE(ParseMaterials(
      "BEGIN SHADER default.shd END BEGIN MATERIAL Amber ALPHA_BLEND END "
      "BEGIN MATERIAL Bronze TEXTURE1 missing.tga END BEGIN MATERIAL Cedar END"));
  ASSERT_NE(Material("Amber"), nullptr);
  EXPECT_TRUE(Material("Amber")->GetAlpha());
  EXPECT_NE(Material("Bronze"), nullptr);  // made before its texture was looked for
  EXPECT_EQ(Material("Cedar"), nullptr);
  EXPECT_NE(LogText().find("Failed to load texture: missing.tga\n"), std::string::npos);

  EXPECT_FALSE(ParseMaterials("BEGIN MATERIAL Dusk SHADER other.shd END BEGIN MATERIAL Ember END"));
  EXPECT_EQ(Material("Ember"), nullptr);
  EXPECT_NE(LogText().find("Failed to find shader: other.shd\n"), std::string::npos);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MaterialFileTest, WithoutADefaultShaderAMaterialIsRefused) {
  EXPECT_FALSE(ParseMaterials("BEGIN MATERIAL Mono END"));
  EXPECT_NE(LogText().find("Default shader not found!\n"), std::string::npos);
  EXPECT_TRUE(ParseMaterials("BEGIN SHADER gone.shd END"));
  EXPECT_EQ(Materials().FindShader("gone.shd"), nullptr);
  EXPECT_NE(LogText().find("Failed to load shader: gone.shd\n"), std::string::npos);
}

TEST_F(MaterialFileTest, StrayWordsAndUnknownKeywordsAreReportedAsTheFileSays) {
  EXPECT_TRUE(BoxesOf("{ BEGIN SHADER default.shd VS_WORLD vs_wrold PS_LIGHT_POS VTYPE_ORTHO END }").size() == 1);
  EXPECT_EQ(Boxes()[0], "Material File Error|Unknown shader property: vs_wrold");
  ASSERT_NE(Materials().FindShader("default.shd"), nullptr);
  EXPECT_EQ(Materials().FindShader("default.shd")->GetReqConst(), Basalt::VS_WORLD | Basalt::PS_LIGHT_POS);

  using Boxes = std::vector<std::string>;
  EXPECT_EQ(BoxesOf("END"), Boxes{"Material File Error|END with no BEGIN"});
  EXPECT_EQ(BoxesOf("hello BEGIN"), Boxes{"Material File Error|Error in material file: hello"});
  EXPECT_EQ(BoxesOf("BEGIN TEXTURE x END"), Boxes{"Material File Error|Error in material file: TEXTURE"});
  EXPECT_EQ(BoxesOf("BEGIN MATERIAL Mauve COLOUR red END"), Boxes{"Material File Error|Unknown material property: COLOUR"});
  EXPECT_EQ(Material("Mauve"), nullptr);
  EXPECT_TRUE(BoxesOf("BEGIN END MATERIAL Nutmeg END").empty());  // END before a kind is ignored
  EXPECT_NE(Material("Nutmeg"), nullptr);
  EXPECT_TRUE(BoxesOf("BEGIN MATERIAL Olive x END").empty());  // one-character words are skipped
  EXPECT_NE(Material("Olive"), nullptr);
}

TEST_F(MaterialFileTest, ErrorsAreLoggedWithTheFilesName) {
  BoxesOf("hello BEGIN");
  BoxesOf("END");
  BoxesOf("BEGIN MATERIAL Mauve COLOUR red END");
  BoxesOf("BEGIN SHADER default.shd vs_wrold END");
  test::WriteFile("Textures/bad.tga", "not an image");
  EXPECT_TRUE(ParseMaterials("BEGIN SHADER default.shd END BEGIN MATERIAL Bad TEXTURE0 bad.tga END"));
  const std::string log = LogText();
  for (const char* line :
       {"(materials.txt) Error in material file: hello\n", "(materials.txt) END with no BEGIN\n",
        "(materials.txt) Unknown material property: COLOUR\n", "(materials.txt) Unknown shader property: vs_wrold\n",
        "Failed to create texture (code: 0): unknown image type (texture bad.tga)\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line << "\nlog:\n" << log;
}

TEST_F(MaterialFileTest, ASecondMaterialOfOneNameIsMadeButLookupsFindTheFirst) {
  ASSERT_TRUE(ParseMaterials("BEGIN SHADER default.shd END BEGIN MATERIAL Twin TEXTURE0 wood.tga END "
                             "BEGIN MATERIAL Twin END"));
  EXPECT_EQ(Materials().NumMaterials(), 2u);
  EXPECT_EQ(Material("Twin")->GetTexture(0), Materials().FindTexture("wood.tga"));
  EXPECT_EQ(Materials().NumTextures(), 1u);
}

TEST_F(MaterialFileTest, AShaderWithASyntaxErrorLogsTheCompilersText) {
  test::WriteFile("broken.shd", "#ifdef PS\nout vec4 c;\nvoid main() { c = vec4(1.0) }\n#endif\n");
  ASSERT_TRUE(ParseMaterials("BEGIN SHADER broken.shd END"));
  auto* shader = static_cast<Basalt::ShaderGL*>(Materials().FindShader("broken.shd"));
  ASSERT_NE(shader, nullptr);
  EXPECT_FALSE(shader->IsBuilt());
  const std::string log = LogText();
  const size_t line = log.find("Shader compile error \"broken.shd\": PS: ");
  ASSERT_NE(line, std::string::npos) << log;
  EXPECT_NE(log.find("error", line + 30), std::string::npos) << log;
}

class NoShadersMaterialTest : public MaterialFileTest {
 protected:
  void SetUp() override {
    Basalt::g_noShaders = true;
    MaterialFileTest::SetUp();
  }
};

TEST_F(NoShadersMaterialTest, ShadersAreRegisteredButNeverBuilt) {
  ASSERT_TRUE(ParseMaterials("BEGIN SHADER default.shd END BEGIN MATERIAL Plain END"));
  auto* shader = static_cast<Basalt::ShaderGL*>(Materials().FindShader("default.shd"));
  ASSERT_NE(shader, nullptr);
  EXPECT_TRUE(shader->Compile("not glsl", 8));
  EXPECT_FALSE(shader->IsBuilt());
  EXPECT_TRUE(Material("Plain")->Activate());
}

TEST_F(MaterialFileTest, LoadTextureFindsRegisteredTexturesAndRefusesMissingFiles) {
  Basalt::ITexture* wood = Basalt::LoadTexture("wood.tga");
  ASSERT_NE(wood, nullptr);
  EXPECT_EQ(Basalt::LoadTexture("wood.tga"), wood);
  EXPECT_EQ(Basalt::LoadTexture("none.tga"), nullptr);
  EXPECT_EQ(Materials().NumTextures(), 1u);
}

}  // namespace
