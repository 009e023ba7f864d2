#include "backline/app/program_settings.h"

#include "backline/common/app_cvars.h"
#include "backline/midi/midi_notes.h"
#include "backline/net/update_check.h"
#include "basalt/foundation/engine_cvars.h"

void RegisterProgramSettings() {
  Basalt::RegisterEngineSettings();
  RegisterAppSettings();
  RegisterUpdateSettings();
  RegisterMidiSettings();
}
