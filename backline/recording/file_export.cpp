#include "backline/recording/file_export.h"

#include "basalt/foundation/log.h"

std::string ExportFailure(const char* path, const std::string& why) {
  std::string failure = std::string("cannot write ") + path + ": " + why;
  Basalt::LogMessage("%s", failure.c_str());
  return failure;
}
