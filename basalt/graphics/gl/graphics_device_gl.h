#pragma once
// IGraphicsDevice on OpenGL 3.3 core: a context on the platform window,
// presented without vsync so the loop runs as fast as it can.
//
// The device keeps the pipeline state the rest of the renderer works with:
// world, view and projection transforms in the row-vector convention (depth
// 0..1, converted to OpenGL's clip space only where a program receives
// them), one vertex array object per vertex type standing for its vertex
// declaration, the buffer and texture bindings, eight sampler objects for the
// texture stages, and the render-state cache. Whenever no material shader is
// active, draws go through built-in programs that stand in for the
// fixed-function pipeline (builtin_shaders.h).
#include <memory>
#include <string>
#include <vector>

#include "basalt/graphics/gl/display_modes.h"
#include "basalt/graphics/gl/gl_program.h"
#include "basalt/graphics/graphics_device.h"

namespace Basalt {

class PlatformSDL;
class SpriteBatch;

class GraphicsDeviceGL : public IGraphicsDevice {
 public:
  static constexpr unsigned kClearColor = 0xFF00080F;  // ARGB, every frame starts from it
  static constexpr unsigned kAmbientColor = 0xFF0A0A0A;
  static constexpr unsigned kNumStages = 8;
  static constexpr float kFieldOfView = 3.14159265f / 4.0f;
  static constexpr float kNearPlane = 1.0f;
  static constexpr float kFarPlane = 1000.0f;

  // window: the platform whose window the device draws into (not owned, must
  // outlive the device).
  explicit GraphicsDeviceGL(PlatformSDL& window);
  ~GraphicsDeviceGL() override;
  GraphicsDeviceGL(const GraphicsDeviceGL&) = delete;
  GraphicsDeviceGL& operator=(const GraphicsDeviceGL&) = delete;

  // params: GraphicsParams*. Needs the platform's window. Undoes its
  // partial work on failure; GetError then says why.
  bool Initialize(void* params) override;
  // Why the last Initialize failed ("" when it has not).
  const char* GetError() const { return m_error.c_str(); }
  // RenderFrame, then Present.
  bool Update() override;
  // Draws one frame into the back buffer: clear, the scene pass, the 2D
  // pass (the overlay pass, then the GUI pass). False without a context.
  bool RenderFrame();
  void Present();
  // The ARGB colour of back-buffer pixel (x, y), y down (for reading frames back).
  unsigned ReadPixel(unsigned x, unsigned y);
  // Releases everything the device made; true when there was a context.
  bool Shutdown() override;

  bool Initialize2D() override;
  bool Draw2D(const TextureRect& rect, const vec3f& position, unsigned colour, ITexture* texture, float scaleX,
              float scaleY) override;
  unsigned GetScreenWidth() override { return m_width; }
  unsigned GetScreenHeight() override { return m_height; }
  float GetScreenRatio() override { return m_ratio; }
  bool IsWideScreen() const { return m_wideScreen; }
  void SetVertType(VertexType type) override;
  void SetRenderState(RenderStateSetting setting, unsigned value, bool force) override;
  unsigned GetRenderState(RenderStateSetting setting, bool fromDevice) override;
  // Re-applies the cached states the device may have lost.
  void RestoreRenderStates();
  void SetViewMatrix(const mat4& view) override { m_view = view; }
  std::unique_ptr<ITexture> CreateTexture(const char* name) override;
  std::unique_ptr<IPointList> CreatePointList() override;
  IIndexBuffer* CreateIndexBuffer() override;
  IVertexBuffer* CreateVertexBuffer() override;

  // Transforms. The perspective one looks through kFieldOfView.
  void SetPerspectiveProj(float farPlane);
  // Pixel coordinates, y down; world and view become identity.
  void SetOrthoProj();
  void SetWorldMatrix(const mat4& world) { m_world = world; }
  const mat4& GetWorldMatrix() const { return m_world; }
  const mat4& GetViewMatrix() const { return m_view; }
  const mat4& GetProjectionMatrix() const { return m_projection; }
  // world x view x projection, mapped to OpenGL's clip space.
  mat4 GetClipTransform() const;

  // Bindings for the buffers, textures and shaders (0 = none).
  bool SetStreamSource(unsigned buffer, unsigned stride);
  void SetIndices(unsigned buffer) { m_indices = buffer; }
  void ForgetBuffer(unsigned buffer);
  bool BindTexture(unsigned stage, unsigned texture);
  void ClearTexture(unsigned stage) { BindTexture(stage, 0); }
  void ForgetTexture(unsigned texture);
  void ForgetTextureBinding(unsigned stage);
  bool HasTexture(unsigned stage) const { return stage < kNumStages && m_textures[stage] != 0; }
  // The program of the next draws; 0 selects the fixed-function stand-in.
  void UseProgram(unsigned program);
  void ForgetProgram(unsigned program);
  unsigned GetProgram() const { return m_program; }
  // The fixed-function material (diffuse = ambient = emissive), RGBA.
  void SetMaterialColour(const float rgba[4]);

  // Draws from the active buffers: an indexed triangle list starting at index
  // 0, or the first count vertices as points.
  void DrawIndexedTriangles(unsigned numVerts, unsigned numTriangles);
  void DrawPoints(unsigned count);

  void SetFramePass(FramePass pass, DrawPass draw, void* context) override { m_passes[pass] = {draw, context}; }
  void SetOverlayPass(DrawPass draw, void* context) { SetFramePass(kOverlayPass, draw, context); }
  bool Has2DPass() const override { return m_sprite != nullptr; }
  SpriteBatch* GetSpriteBatch() const { return m_sprite.get(); }
  const std::vector<DisplayMode>& GetDisplayModes() const { return m_modes; }

 private:
  // The uniforms of the built-in programs, looked up once.
  struct BuiltInUniforms {
    int clip = -1, worldView = -1, lighting = -1, material = -1, ambient = -1, hasTexture = -1, viewportHeight = -1;
  };

  static constexpr unsigned kErrorCapacity = 512;
  // Logs the reason start-up fails, keeps it for GetError; returns false.
  bool Fail(const char* format, ...) __attribute__((format(printf, 2, 3)));
  bool InitializeGL();
  bool EvaluateAdapter();
  bool EnterFullScreen();
  void SetupDefaults();
  // Presents in step with the display where it offers that and g_maxFps
  // caps the frames; logs whether it did.
  void SyncToDisplay();
  void SetupSamplers();
  bool CreateDeclarations();
  bool BuildProgram(GLProgram* program, BuiltInUniforms* uniforms, const char* source, const char* name);
  void ApplyRenderState(RenderStateSetting setting, unsigned value);
  void BindProgram(unsigned program);
  void PrepareFixedFunction();
  void PreparePointSprites();
  void ReleaseGL();

  PlatformSDL& m_platform;
  GraphicsParams m_params = {};
  std::string m_error;
  void* m_context = nullptr;  // SDL_GLContext
  unsigned m_width = 0;
  unsigned m_height = 0;
  float m_ratio = 1.0f;
  bool m_wideScreen = false;
  std::vector<DisplayMode> m_modes;
  float m_maxAnisotropy = 1.0f;

  unsigned m_renderStates[kNumRenderStates] = {};
  VertexType m_vertType = VTYPE_NONE;
  mat4 m_world;
  mat4 m_view;
  mat4 m_projection;
  bool m_lighting = false;
  float m_materialColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

  unsigned m_idleArray = 0;                        // bound while no type is set
  unsigned m_declarations[kNumVertexTypes] = {};   // one vertex array per type
  unsigned m_streamSources[kNumVertexTypes] = {};  // the buffer each one reads
  unsigned m_indices = 0;
  unsigned m_samplers[kNumStages] = {};
  unsigned m_textures[kNumStages] = {};
  unsigned m_program = 0;     // what draws use; 0: fixed-function stand-in
  unsigned m_glProgram = 0;   // what is bound
  GLProgram m_fixedFunction;  // stands in for the fixed-function pipeline
  GLProgram m_pointSprites;
  BuiltInUniforms m_fixedUniforms;
  BuiltInUniforms m_pointUniforms;

  std::unique_ptr<SpriteBatch> m_sprite;
  struct Pass {
    DrawPass draw = nullptr;
    void* context = nullptr;
    void Draw() const {
      if (draw) draw(context);
    }
  };
  Pass m_passes[kNumFramePasses];
};

// The device whose OpenGL context is current (from the start of its
// Initialize to its Shutdown), null when there is none: the buffers, textures,
// shaders and meshes made on that context reach their device through it.
// Main thread only.
GraphicsDeviceGL* CurrentDeviceGL();

}  // namespace Basalt
