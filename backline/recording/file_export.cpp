#include "backline/recording/file_export.h"

#include "basalt/core/log.h"

std::string ExportFailure(const char* path, const std::string& why) {
  std::string failure = std::string("cannot write ") + path + ": " + why;
  if (Basalt::g_pSystemLog) Basalt::g_pSystemLog->Send("%s", failure.c_str());
  return failure;
}
