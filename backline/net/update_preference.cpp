#include "backline/net/update_preference.h"

#include <cstdio>

#include "basalt/fs/atomic_write.h"
#include "basalt/fs/path.h"

const char kUpdatePreferenceFile[] = "rmd.dat";

UpdatePreference ReadUpdatePreference() {
  std::FILE* file = std::fopen(Basalt::ResolvePath(kUpdatePreferenceFile).c_str(), "rb");
  if (!file) return UpdatePreference::Ask;
  const int answer = std::fgetc(file);
  std::fclose(file);
  return answer == 'y' ? UpdatePreference::Check : UpdatePreference::Never;
}

bool WriteUpdatePreference(char answer) {
  return Basalt::WriteFileAtomically(kUpdatePreferenceFile, &answer, 1);
}
