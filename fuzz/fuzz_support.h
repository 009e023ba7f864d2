#pragma once
// What the fuzz targets share: the engine services a parser needs, set up
// once per process in LLVMFuzzerInitialize and kept (and so reachable) until
// the process ends, and scratch files for parsers that only read paths.
// Targets run in the game directory (scripts/fuzz starts them there), so the
// shaders, textures and samples a parsed file names can be found.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Publishes a file system and a system log that writes to /dev/null.
void PublishEngineServices();

// The above plus a hidden window with an OpenGL device and a material
// manager; message boxes do nothing. Exits the process when no context can
// be made (the target would test nothing).
void PublishGraphics();

// A file in /dev/shm holding one input; its name is unique to the process
// (suffix, ".plr" say, goes at its end) and the file goes with the object.
class ScratchFile {
 public:
  ScratchFile(const uint8_t* data, size_t size, const char* suffix = "");
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const char* Path() const { return m_path.c_str(); }

 private:
  std::string m_path;
};

}  // namespace fuzz
