#pragma once
// A texture owned by the material manager (created with NewTexture, destroyed
// at its shutdown); everyone else holds plain pointers.

namespace Basalt {

class ITexture {
 public:
  static constexpr unsigned kNameCapacity = 64;

  explicit ITexture(const char* name);
  virtual ~ITexture() = default;
  ITexture(const ITexture&) = delete;
  ITexture& operator=(const ITexture&) = delete;

  // Replaces the image with one decoded from a whole image file in memory;
  // false, holding no image, when it cannot be decoded.
  virtual bool LoadTexture(const void* bytes, unsigned size) = 0;
  // Replaces the image with raw pixels of depth bits (16, 24 or 32).
  virtual bool SetData(const void* pixels, unsigned depth, unsigned width, unsigned height) = 0;
  // Binds the texture (or nothing, when it holds none) to a texture stage.
  virtual bool Activate(unsigned stage) = 0;
  virtual void Release() = 0;
  void Destroy() { Release(); }

  const char* GetName() const { return m_name; }
  unsigned GetWidth() const { return m_width; }
  unsigned GetHeight() const { return m_height; }
  unsigned GetBPP() const { return m_bpp; }

 protected:
  char m_name[kNameCapacity] = {};
  unsigned m_width = 0;
  unsigned m_height = 0;
  unsigned m_bpp = 0;
};

}  // namespace Basalt
