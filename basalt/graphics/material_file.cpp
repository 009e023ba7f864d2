#include "basalt/graphics/material_file.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "basalt/foundation/engine_cvars.h"
#include "basalt/foundation/exception_boundary.h"
#include "basalt/foundation/file_system.h"
#include "basalt/foundation/log.h"
#include "basalt/foundation/text_tokenizer.h"
#include "basalt/graphics/texture.h"
#include "basalt/graphics/material.h"
#include "basalt/graphics/material_manager.h"
#include "basalt/platform/platform.h"

namespace Basalt {

namespace {

constexpr unsigned kNameCapacity = 64;
constexpr unsigned kNumTextureSlots = 4;
const char kDefaultShader[] = "default.shd";
const char kErrorCaption[] = "Material File Error";
constexpr unsigned kErrorCapacity = 256;

struct Keyword {
  const char* word;
  unsigned flag;
};
const Keyword kShaderFlags[] = {
    {"VS_WORLD_VIEW_PROJ", VS_WORLD_VIEW_PROJ}, {"VS_WORLD", VS_WORLD},
    {"VS_INV_WORLD", VS_INV_WORLD},             {"VS_LIGHT_POS", VS_LIGHT_POS},
    {"VS_LIGHT_COLOR", VS_LIGHT_COLOR},         {"VS_BONE_MAT", VS_BONE_MAT},
    {"PS_WORLD_VIEW_PROJ", PS_WORLD_VIEW_PROJ}, {"PS_WORLD", PS_WORLD},
    {"PS_INV_WORLD", PS_INV_WORLD},             {"PS_LIGHT_POS", PS_LIGHT_POS},
    {"PS_LIGHT_COLOR", PS_LIGHT_COLOR},         {"PS_BONE_MAT", PS_BONE_MAT},
};
const char* const kVertexTypeWords[] = {"VTYPE_P3T2_NBT", "VTYPE_P3T2_N", "VTYPE_ORTHO"};

bool Is(const char* word, const char* keyword) { return strcasecmp(word, keyword) == 0; }

void CopyName(char* field, const char* word) {
  std::strncpy(field, word, kNameCapacity - 1);
  field[kNameCapacity - 1] = '\0';
}

// The parser's state machine: which word comes next, and the block read so far.
class MaterialFileParser {
 public:
  explicit MaterialFileParser(const char* sourceName) : m_source(sourceName) {}
  bool Parse(const char* data, unsigned length);

 private:
  enum class Kind { kNone, kMaterial, kShader };
  enum class Expect { kBegin, kKind, kName, kProperty, kShaderName, kTextureName };

  bool Word(const char* word);
  bool End();
  bool MaterialProperty(const char* word);
  void ShaderProperty(const char* word);
  bool FinishMaterial();
  void FinishShader();
  bool Error(const char* format, const char* word);
  void ClearRecords();

  const char* m_source;
  Kind m_kind = Kind::kNone;
  Expect m_expect = Expect::kBegin;
  unsigned m_textureSlot = 0;
  char m_name[kNameCapacity] = {};
  char m_shader[kNameCapacity] = {};
  char m_textures[kNumTextureSlots][kNameCapacity] = {};
  bool m_alpha = false;
  unsigned m_flags = 0;
};

bool MaterialFileParser::Parse(const char* data, unsigned length) {
  TextTokenizer tokens(data, length);
  tokens.SetPunctuationSplitting(false);
  tokens.SetLineBreakTokens(false);
  while (tokens.NextToken()) {
    if (std::strlen(tokens.Token()) < 2) continue;
    if (!Word(tokens.Token())) return false;
  }
  return true;
}

bool MaterialFileParser::Word(const char* word) {
  if (Is(word, "END")) return End();
  switch (m_expect) {
    case Expect::kBegin:
      if (!Is(word, "BEGIN")) return Error("Error in material file: %s", word);
      m_expect = Expect::kKind;
      return true;
    case Expect::kKind:
      if (Is(word, "MATERIAL"))
        m_kind = Kind::kMaterial;
      else if (Is(word, "SHADER"))
        m_kind = Kind::kShader;
      else
        return Error("Error in material file: %s", word);
      m_expect = Expect::kName;
      return true;
    case Expect::kName:
      CopyName(m_name, word);
      m_expect = Expect::kProperty;
      return true;
    case Expect::kShaderName:
      CopyName(m_shader, word);
      m_expect = Expect::kProperty;
      return true;
    case Expect::kTextureName:
      CopyName(m_textures[m_textureSlot], word);
      m_expect = Expect::kProperty;
      return true;
    case Expect::kProperty:
      if (m_kind == Kind::kMaterial) return MaterialProperty(word);
      ShaderProperty(word);
      return true;
  }
  return true;
}

bool MaterialFileParser::End() {
  if (m_expect == Expect::kBegin) return Error("%s", "END with no BEGIN");
  if (m_kind == Kind::kNone) return true;  // "BEGIN END": nothing chosen yet
  const bool ok = m_kind == Kind::kMaterial ? FinishMaterial() : (FinishShader(), true);
  m_kind = Kind::kNone;
  m_expect = Expect::kBegin;
  return ok;
}

bool MaterialFileParser::MaterialProperty(const char* word) {
  static const char* const kTextureWords[kNumTextureSlots] = {"TEXTURE0", "TEXTURE1", "TEXTURE2", "TEXTURE3"};
  if (Is(word, "SHADER")) {
    m_expect = Expect::kShaderName;
    return true;
  }
  for (unsigned slot = 0; slot < kNumTextureSlots; ++slot) {
    if (!Is(word, kTextureWords[slot])) continue;
    m_textureSlot = slot;
    m_expect = Expect::kTextureName;
    return true;
  }
  if (Is(word, "ALPHA_BLEND")) {
    m_alpha = true;
    return true;
  }
  return Error("Unknown material property: %s", word);
}

void MaterialFileParser::ShaderProperty(const char* word) {
  for (const Keyword& keyword : kShaderFlags) {
    if (!Is(word, keyword.word)) continue;
    m_flags |= keyword.flag;
    return;
  }
  for (const char* vertexType : kVertexTypeWords)
    if (Is(word, vertexType)) return;
  Error("Unknown shader property: %s", word);
}

bool MaterialFileParser::FinishMaterial() {
  IMaterial* material = g_pMaterialManager->NewMaterial(m_name);
  material->SetAlpha(m_alpha);
  for (unsigned slot = 0; slot < kNumTextureSlots; ++slot) {
    if (!m_textures[slot][0]) continue;
    ITexture* texture = LoadTexture(m_textures[slot]);
    if (!texture) {
      LogMessage("Failed to load texture: %s", m_textures[slot]);
      ClearRecords();
      return false;
    }
    material->SetTexture(slot, texture);
  }
  IShader* shader = g_pMaterialManager->FindShader(m_shader[0] ? m_shader : kDefaultShader);
  if (!shader) {
    if (m_shader[0])
      LogMessage("Failed to find shader: %s", m_shader);
    else
      LogMessage("Default shader not found!");
    ClearRecords();
    return false;
  }
  material->SetShader(shader);
  ClearRecords();
  return true;
}

void MaterialFileParser::FinishShader() {
  RAMFile file;
  if (!g_pFileSystem || !g_pFileSystem->LoadFileToRAM(m_name, &file)) {
    LogMessage("Failed to load shader: %s", m_name);
  } else {
    IShader* shader = g_pMaterialManager->NewShader(m_name);
    if (!g_noShaders) shader->Compile(file.data, file.size);
    shader->SetReqConst(m_flags);
  }
  ClearRecords();
}

bool MaterialFileParser::Error(const char* format, const char* word) {
  char text[kErrorCapacity];
  std::snprintf(text, sizeof text, format, word);
  LogMessage("(%s) %s", m_source, text);
  if (g_pPlatform) g_pPlatform->MsgBox(kErrorCaption, "%s", text);
  return false;
}

void MaterialFileParser::ClearRecords() {
  m_name[0] = m_shader[0] = '\0';
  for (auto& texture : m_textures) texture[0] = '\0';
  m_alpha = false;
  m_flags = 0;
}

}  // namespace

bool ParseMaterialFile(const char* data, unsigned length, const char* sourceName) {
  if (!data || !sourceName || !g_pMaterialManager) return false;
  return RunGuarded("Failed to read", sourceName, false,
                    [&] { return MaterialFileParser(sourceName).Parse(data, length); });
}

ITexture* LoadTexture(const char* name) {
  if (!name) return nullptr;
  return LoadTextureFile(name, (std::string("Textures/") + name).c_str());
}

ITexture* LoadTextureFile(const char* name, const char* path) {
  if (!g_pMaterialManager || !name) return nullptr;
  if (ITexture* found = g_pMaterialManager->FindTexture(name)) return found;
  return RunGuarded("Failed to load texture", path, static_cast<ITexture*>(nullptr), [&]() -> ITexture* {
    RAMFile file;
    if (!g_pFileSystem || !g_pFileSystem->LoadFileToRAM(path, &file)) return nullptr;
    ITexture* texture = g_pMaterialManager->NewTexture(name);
    texture->LoadTexture(file.data, file.size);
    return texture;
  });
}

}  // namespace Basalt
