#include "backline/net/update_preference.h"

#include <cstdio>

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
  std::FILE* file = std::fopen(Basalt::ResolvePath(kUpdatePreferenceFile).c_str(), "wb");
  if (!file) return false;
  const bool written = std::fputc(answer, file) != EOF;
  return std::fclose(file) == 0 && written;
}
