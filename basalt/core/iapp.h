#pragma once

namespace Basalt {

class Core;

// The application the core drives: Initialize once, Update once per frame after
// the core's own update, Shutdown first when the core shuts down. All calls
// come from the thread that called Core::Launch.
class IApp {
 public:
  static constexpr unsigned kVersionCapacity = 32;

  virtual ~IApp() = default;
  // Stores the core; false refuses to start. Derived applications call it first.
  virtual bool Initialize(Core* core);
  // False ends the loop.
  virtual bool Update() { return true; }
  virtual bool Shutdown() { return true; }
  // Whether the picture must keep the full frame rate although nobody has
  // touched anything for a while (it follows music, say); otherwise the core
  // draws at g_idleFps then.
  virtual bool NeedsFullFrameRate() const { return false; }

  Core* GetCore() const { return m_core; }
  // The version text the core writes to the log, filled before Launch.
  const char* GetVersion() const { return m_version; }

 protected:
  void SetVersion(const char* version);

 private:
  Core* m_core = nullptr;
  char m_version[kVersionCapacity] = {};
};

}  // namespace Basalt
