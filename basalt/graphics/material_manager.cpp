#include "basalt/graphics/material_manager.h"

#include "basalt/graphics/material.h"
#include "basalt/graphics/shader.h"
#include "basalt/graphics/texture.h"

namespace Basalt {

MaterialManager* g_pMaterialManager = nullptr;

namespace {

template <typename T>
T* Add(std::vector<std::unique_ptr<T>>* list, util::StringHash* names, std::unique_ptr<T> object, const char* name) {
  T* raw = object.get();
  list->push_back(std::move(object));
  names->Insert(name, raw);
  return raw;
}

}  // namespace

MaterialManager::MaterialManager() = default;

MaterialManager::~MaterialManager() { Shutdown(); }

bool MaterialManager::Shutdown() {
  ClearTextures();
  ClearShaders();
  ClearMaterials();
  return true;
}

void MaterialManager::ClearTextures() {
  for (auto& texture : m_textures) texture->Destroy();
  m_textures.clear();
  m_textureNames.Clear();
}

void MaterialManager::ClearMaterials() {
  m_materials.clear();
  m_materialNames.Clear();
}

void MaterialManager::ClearShaders() {
  for (auto& shader : m_shaders) shader->Destroy();
  m_shaders.clear();
  m_shaderNames.Clear();
}

ITexture* MaterialManager::FindTexture(const char* name) const {
  return name ? static_cast<ITexture*>(m_textureNames.Find(name)) : nullptr;
}

IMaterial* MaterialManager::FindMaterial(const char* name) const {
  return name ? static_cast<IMaterial*>(m_materialNames.Find(name)) : nullptr;
}

IShader* MaterialManager::FindShader(const char* name) const {
  return name ? static_cast<IShader*>(m_shaderNames.Find(name)) : nullptr;
}

ITexture* MaterialManager::Register(std::unique_ptr<ITexture> texture, const char* name) {
  return Add(&m_textures, &m_textureNames, std::move(texture), name);
}

IMaterial* MaterialManager::Register(std::unique_ptr<IMaterial> material, const char* name) {
  return Add(&m_materials, &m_materialNames, std::move(material), name);
}

IShader* MaterialManager::Register(std::unique_ptr<IShader> shader, const char* name) {
  return Add(&m_shaders, &m_shaderNames, std::move(shader), name);
}

}  // namespace Basalt
