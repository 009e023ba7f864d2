#pragma once
// The owner of every texture, material and shader of the process. Each kind
// is kept in creation order and found by name (exact, case-sensitive; with
// two of one name, the first made). Objects live until the Clear of their
// kind or Shutdown; the pointers handed out stay valid until then. The
// implementation decides which kinds of objects New... creates. Main thread only.
#include <memory>
#include <vector>

#include "basalt/foundation/idevice.h"
#include "basalt/util/string_hash.h"

namespace Basalt {

class IMaterial;
class IShader;
class ITexture;

class MaterialManager : public IDevice {
 public:
  MaterialManager();
  ~MaterialManager() override;

  bool Initialize(void*) override { return true; }
  bool Update() override { return true; }
  // Textures, then shaders, then materials.
  bool Shutdown() override;

  // Create an object named name (cut to 63 characters) and register it under name.
  virtual ITexture* NewTexture(const char* name) = 0;
  virtual IMaterial* NewMaterial(const char* name) = 0;
  virtual IShader* NewShader(const char* name) = 0;
  void ClearTextures();
  void ClearMaterials();
  void ClearShaders();

  ITexture* FindTexture(const char* name) const;
  IMaterial* FindMaterial(const char* name) const;
  IShader* FindShader(const char* name) const;
  unsigned NumTextures() const { return static_cast<unsigned>(m_textures.size()); }
  unsigned NumMaterials() const { return static_cast<unsigned>(m_materials.size()); }
  unsigned NumShaders() const { return static_cast<unsigned>(m_shaders.size()); }

 protected:
  ITexture* Register(std::unique_ptr<ITexture> texture, const char* name);
  IMaterial* Register(std::unique_ptr<IMaterial> material, const char* name);
  IShader* Register(std::unique_ptr<IShader> shader, const char* name);

 private:
  std::vector<std::unique_ptr<ITexture>> m_textures;
  std::vector<std::unique_ptr<IMaterial>> m_materials;
  std::vector<std::unique_ptr<IShader>> m_shaders;
  util::StringHash m_textureNames;
  util::StringHash m_materialNames;
  util::StringHash m_shaderNames;
};

extern MaterialManager* g_pMaterialManager;

}  // namespace Basalt
