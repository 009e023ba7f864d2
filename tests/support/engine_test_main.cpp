// The entry point of the engine's test programs: the engine's settings are
// declared, as Core declares them at start-up, before any test reads them.
#include <gtest/gtest.h>

#include "basalt/foundation/engine_cvars.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  Basalt::RegisterEngineSettings();
  return RUN_ALL_TESTS();
}
