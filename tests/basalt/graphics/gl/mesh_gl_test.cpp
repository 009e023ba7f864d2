#include "basalt/graphics/gl/mesh_manager_gl.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/gmsh_builder.h"
#include "tests/support/graphics_fixture.h"

namespace {

using test::GmshBuilder;
using test::QuadSubset;

class MeshTest : public test::GraphicsFixture {
 protected:
  void SetUp() override {
    test::GraphicsFixture::SetUp();
    test::WriteFlatShader();
    ASSERT_TRUE(ParseMaterials(std::string(test::kFlatMaterials) + "BEGIN MATERIAL Red SHADER flat.shd END"));
  }
  void TearDown() override {
    m_meshes.Shutdown();
    test::GraphicsFixture::TearDown();
  }
  static void WriteMesh(const std::string& name, const std::string& bytes) { test::WriteFile("meshes/" + name, bytes); }

  Basalt::MeshManagerGL m_meshes;
};

TEST_F(MeshTest, EveryMeshFileLoadsUnderItsExactFileName) {
  WriteMesh("quad.gmsh", GmshBuilder().Add(QuadSubset("Red", 0, 0, 1, 1, 0)).Bytes());
  WriteMesh("Quad.gmsh", GmshBuilder().Add(QuadSubset("Red", 0, 0, 1, 1, 0)).Add(QuadSubset("Red", 1, 1, 2, 2, 0)).Bytes());
  WriteMesh("empty.gmsh", GmshBuilder().Bytes());
  WriteMesh("notes.txt", "not a mesh");
  ASSERT_TRUE(m_meshes.Initialize());
  EXPECT_EQ(m_meshes.NumRecords(), 3u);
  Basalt::MeshGL* quad = m_meshes.GetMesh("quad.gmsh");
  ASSERT_NE(quad, nullptr);
  EXPECT_EQ(m_meshes.GetMesh("quad"), nullptr);
  ASSERT_NE(m_meshes.GetMesh("Quad.gmsh"), nullptr);
  EXPECT_EQ(m_meshes.GetMesh("Quad.gmsh")->GetNumSubsets(), 2u);
  Basalt::MeshGL* empty = m_meshes.GetMesh("empty.gmsh");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->GetNumSubsets(), 0u);
  EXPECT_TRUE(empty->Render(Basalt::mat4::Identity(), -1));

  ASSERT_EQ(quad->GetNumSubsets(), 1u);
  EXPECT_EQ(quad->GetSubset(0).material, Materials().FindMaterial("Red"));
  EXPECT_EQ(quad->GetSubset(0).vertexBuffer->GetNumVerts(), 4u);
  EXPECT_EQ(quad->GetSubset(0).indexBuffer->GetNumIndices(), 6u);
  quad->SetSubsetColor(0, 0.5f, 0.25f, 1.0f, 1.0f);
  quad->SetSubsetColor(1, 0.0f, 0.0f, 0.0f, 0.0f);  // beyond the subsets: ignored
  EXPECT_EQ(quad->GetSubset(0).colour[1], 0.25f);
}

TEST_F(MeshTest, ASubsetWithAnUnknownMaterialTakesNoMaterial) {
  WriteMesh("odd.gmsh", GmshBuilder().Add(QuadSubset("Mystery", 0, 0, 1, 1, 0)).Bytes());
  ASSERT_TRUE(m_meshes.Initialize());
  ASSERT_NE(m_meshes.GetMesh("odd.gmsh"), nullptr);
  EXPECT_EQ(m_meshes.GetMesh("odd.gmsh")->GetSubset(0).material, Materials().FindMaterial("NoMaterial"));
}

// Found by the fuzzer: a subset without triangles or vertices is a mesh like
// any other (its empty index list used to be copied to a null address).
TEST_F(MeshTest, ASubsetWithoutTrianglesLoads) {
  const std::string found = std::string("\x01\x00\x00\x00", 4) + "DrumHead" + std::string(56 + 8, '\0');
  WriteMesh("bare.gmsh", found);
  ASSERT_TRUE(m_meshes.Initialize());
  Basalt::MeshGL* bare = m_meshes.GetMesh("bare.gmsh");
  ASSERT_NE(bare, nullptr);
  ASSERT_EQ(bare->GetNumSubsets(), 1u);
  EXPECT_TRUE(bare->Render(Basalt::mat4::Identity(), -1));
}

std::string WithCount(std::string bytes, size_t offset, std::uint32_t count) {
  bytes.replace(offset, 4, reinterpret_cast<const char*>(&count), 4);
  return bytes;
}

TEST_F(MeshTest, DamagedFilesAreRefusedWithALogLine) {
  const std::string good = GmshBuilder().Add(QuadSubset("Red", 0, 0, 1, 1, 0)).Bytes();
  const size_t indexCount = 4 + 64, firstIndex = indexCount + 4, vertexCount = firstIndex + 12;
  std::string outOfRange = good;
  outOfRange[firstIndex] = 4;  // the quad has vertices 0..3
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"truncated.gmsh", good.substr(0, good.size() - 1)},
      {"short.gmsh", "\x01\x00"},
      {"subsets.gmsh", WithCount(good, 0, 0xFFFFFFFF)},
      {"indices.gmsh", WithCount(good, indexCount, 0x7FFFFFFE)},
      {"ragged.gmsh", WithCount(good, indexCount, 4)},
      {"vertices.gmsh", WithCount(good, vertexCount, 0x10000000)},
      {"range.gmsh", outOfRange},
  };
  for (const auto& file : damaged) WriteMesh(file.first, file.second);
  WriteMesh("good.gmsh", good);
  ASSERT_TRUE(m_meshes.Initialize());
  EXPECT_NE(m_meshes.GetMesh("good.gmsh"), nullptr);
  const std::string log = LogText();
  for (const auto& file : damaged) {
    EXPECT_EQ(m_meshes.GetMesh(file.first.c_str()), nullptr) << file.first;
    EXPECT_NE(log.find("Failed to load mesh: " + file.first + "\n"), std::string::npos) << file.first;
  }
}

TEST_F(MeshTest, NoMeshDirectoryMeansNoMeshes) {
  EXPECT_TRUE(m_meshes.Initialize());
  EXPECT_EQ(m_meshes.NumRecords(), 0u);
}

}  // namespace
