#pragma once
// The material file ("materials.txt") declares every shader and material:
//
//   BEGIN SHADER default.shd VS_WORLD_VIEW_PROJ PS_LIGHT_POS ... END
//   BEGIN MATERIAL NoMaterial SHADER default.shd TEXTURE0 wood.tga ALPHA_BLEND END
//
// Words are separated by blanks or line breaks (lines mean nothing), words of
// one character are skipped, keywords ignore case and names are kept as
// written. A shader block loads and compiles its file; a material block sees
// only the shaders declared above it, and without a SHADER line takes
// "default.shd". Structural errors stop the parse with a log line naming the
// file and a "Material File Error" message box; a missing texture or shader
// stops it with a log line; an unknown shader keyword is reported both ways
// and skipped. What was made before an
// error stays. Needs g_pMaterialManager, g_pFileSystem and the graphics
// device; main thread only.

namespace Basalt {

class ITexture;

// True when the whole text was read, false when it stopped at an error or
// memory ran out (a log line). sourceName names the file in log lines. Never
// throws.
bool ParseMaterialFile(const char* data, unsigned length, const char* sourceName);

// The texture registered as name, else "Textures/<name>" loaded and
// registered under name (kept also when its image cannot be decoded); null
// when the file cannot be read or memory runs out (a log line). Never throws.
ITexture* LoadTexture(const char* name);
// The same for the image file at path (textures that live elsewhere, such as
// the GUI skin in the game directory).
ITexture* LoadTextureFile(const char* name, const char* path);

// Required-constant flags of shader blocks (informative; every shader gets all).
enum ShaderConstantFlags : unsigned {
  VS_WORLD_VIEW_PROJ = 0x1,
  VS_WORLD = 0x2,
  VS_INV_WORLD = 0x4,
  VS_LIGHT_POS = 0x8,
  VS_LIGHT_COLOR = 0x10,
  VS_BONE_MAT = 0x20,
  PS_WORLD_VIEW_PROJ = 0x400,
  PS_WORLD = 0x800,
  PS_INV_WORLD = 0x1000,
  PS_LIGHT_POS = 0x2000,
  PS_LIGHT_COLOR = 0x4000,
  PS_BONE_MAT = 0x8000,
};

}  // namespace Basalt
