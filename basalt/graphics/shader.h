#pragma once
// A shader owned by the material manager (NewShader; destroyed at its
// shutdown). Materials activate it and hand it the per-draw parameters.

namespace Basalt {

class IShader {
 public:
  static constexpr unsigned kNameCapacity = 64;

  // The per-draw values a mesh hands its material's shader.
  struct ShaderParms {
    float lightPos[9];   // three light positions, x y z each
    float unused[20];    // further lighting values no shader reads
    float glowColor[4];  // red, green, blue, alpha
  };

  explicit IShader(const char* name);
  virtual ~IShader() = default;
  IShader(const IShader&) = delete;
  IShader& operator=(const IShader&) = delete;

  // text: the whole shader file, length bytes.
  virtual bool Compile(const char* text, unsigned length) = 0;
  virtual bool Activate() = 0;
  virtual void UpdateParms(const ShaderParms& parms) = 0;
  virtual void Release() = 0;
  void Destroy() { Release(); }

  const char* GetName() const { return m_name; }
  // The VS_ / PS_ flags of its shader block (material_file.h); informative only.
  void SetReqConst(unsigned flags) { m_reqConst = flags; }
  unsigned GetReqConst() const { return m_reqConst; }

 protected:
  char m_name[kNameCapacity] = {};
  unsigned m_reqConst = 0;
};

static_assert(sizeof(IShader::ShaderParms) == 33 * sizeof(float), "ShaderParms is 33 floats");

}  // namespace Basalt
