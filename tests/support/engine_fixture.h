#pragma once
#include <memory>
#include <string>

#include "basalt/foundation/log.h"
#include "basalt/fs/file_system_std.h"
#include "tests/support/temp_dir.h"

namespace test {

// A temporary working directory with the engine's file system and system log
// published as globals, the way the core sets them up, for testing services
// that log without starting the whole engine.
class EngineFixture : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The lines sent to the log so far (header and footer left out).
  std::string LogText() const;

 private:
  std::unique_ptr<Basalt::FileSystemStd> m_fileSystem;
  std::unique_ptr<Basalt::Log> m_log;
};

}  // namespace test
