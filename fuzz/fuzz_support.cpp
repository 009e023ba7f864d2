#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "basalt/core/core.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/file_system_std.h"
#include "basalt/graphics/gl/graphics_device_gl.h"
#include "basalt/graphics/gl/material_manager_gl.h"
#include "basalt/platform/sdl/platform_sdl.h"

namespace fuzz {

namespace {

void IgnoreBox(const char*, const char*) {}

unsigned NameWindow(void* setup) {
  std::strcpy(static_cast<Basalt::WindowSetup*>(setup)->title, "Padlark Fuzz");
  return 0;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz: %s\n", what);
  std::exit(1);
}

}  // namespace

void PublishEngineServices() {
  if (Basalt::g_pFileSystem) return;
  Basalt::g_pFileSystem = new Basalt::FileSystemStd;
  auto* log = new Basalt::Log("/dev/null");
  if (!log->Initialize(nullptr)) Fail("cannot open the system log on /dev/null");
  Basalt::g_pSystemLog = log;
}

void PublishGraphics() {
  PublishEngineServices();
  if (Basalt::CurrentDeviceGL()) return;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  Basalt::PlatformSDL::SetMessageBoxHandler(&IgnoreBox);
  new Basalt::Core;
  auto* platform = new Basalt::PlatformSDL(&NameWindow);
  Basalt::PlatformParams window = {false, 64, 48};
  if (!platform->Initialize(&window)) Fail("no window");
  Basalt::g_pPlatform = platform;
  auto* device = new Basalt::GraphicsDeviceGL(*platform);
  Basalt::GraphicsParams params = {48, 64, 32, 1, false};
  if (!device->Initialize(&params)) Fail("no OpenGL device");
  Basalt::g_pGraphics = device;
  Basalt::g_pMaterialManager = new Basalt::MaterialManagerGL;
}

ScratchFile::ScratchFile(const uint8_t* data, size_t size, const char* suffix)
    : m_path("/dev/shm/padlark-fuzz-" + std::to_string(getpid()) + suffix) {
  FILE* file = std::fopen(m_path.c_str(), "wb");
  if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) Fail("cannot write /dev/shm");
}

ScratchFile::~ScratchFile() { std::remove(m_path.c_str()); }

}  // namespace fuzz
