#include "tests/support/engine_fixture.h"

#include "basalt/foundation/cvar_system.h"

namespace test {

namespace {
const char kLogName[] = "test-systemlog.txt";
const char kHeader[] = "-- System Log Opened --\n\n";
}  // namespace

void EngineFixture::SetUp() {
  TempDirTest::SetUp();
  m_fileSystem = std::make_unique<Basalt::FileSystemStd>();
  Basalt::g_pFileSystem = m_fileSystem.get();
  m_log = std::make_unique<Basalt::Log>(kLogName);
  ASSERT_TRUE(m_log->Initialize(nullptr));
  Basalt::g_pSystemLog = m_log.get();
}

void EngineFixture::TearDown() {
  Basalt::CVarSystem::RestoreDefaults();  // settings a test read or set end with it
  Basalt::g_pSystemLog = nullptr;
  m_log.reset();
  Basalt::g_pFileSystem = nullptr;
  m_fileSystem.reset();
  TempDirTest::TearDown();
}

std::string EngineFixture::LogText() const {
  const std::string text = ReadFile(kLogName);
  return text.compare(0, sizeof kHeader - 1, kHeader) == 0 ? text.substr(sizeof kHeader - 1) : text;
}

}  // namespace test
