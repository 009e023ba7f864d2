// The entry point of the program's test programs: every setting is declared,
// as the program's main declares them, before any test reads them.
#include <gtest/gtest.h>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  RegisterProgramSettings();
  return RUN_ALL_TESTS();
}
