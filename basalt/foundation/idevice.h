#pragma once

namespace Basalt {

// The Initialize / Update / Shutdown triad shared by the engine's services.
// Initialize takes a parameter block whose layout each service defines.
// All calls come from the main thread.
class IDevice {
 public:
  virtual ~IDevice() = default;
  virtual bool Initialize(void* params) = 0;
  virtual bool Update() = 0;
  virtual bool Shutdown() = 0;

  bool IsInitialized() const { return m_initialized; }

 protected:
  bool m_initialized = false;
};

}  // namespace Basalt
