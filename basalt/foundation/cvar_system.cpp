#include "basalt/foundation/cvar_system.h"

#include <climits>
#include <cstring>

#include "basalt/foundation/cvar.h"
#include "basalt/foundation/file_system.h"
#include "basalt/foundation/log.h"
#include "basalt/foundation/text_tokenizer.h"

namespace Basalt {

CVarSystem* g_pCVarSystem = nullptr;

namespace {

int ClampToInt(long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// Where a value was read, for the log lines about it.
struct Source {
  const char* name;
  int line;
};

void LogRefusedValue(const cvar& var, long value, const Source& source) {
  const int kept = *static_cast<const int*>(var.GetTarget());
  if (var.GetMaximum() == INT_MAX)
    LogMessage("(%s : %d) %s = %ld refused: it must be at least %d; keeping %d", source.name, source.line,
               var.GetName(), value, var.GetMinimum(), kept);
  else
    LogMessage("(%s : %d) %s = %ld refused: it must be %d to %d; keeping %d", source.name, source.line, var.GetName(),
               value, var.GetMinimum(), var.GetMaximum(), kept);
}

// Reads the value after "=" into the cvar's target, unless the cvar's range
// refuses it; false when the line has no value.
bool AssignValue(const cvar& var, TextTokenizer& tokens, const Source& source) {
  bool found = false;
  switch (var.GetType()) {
    case cvar::kBool: {
      const bool value = tokens.ReadBool(&found);
      if (found) *static_cast<bool*>(var.GetTarget()) = value;
      break;
    }
    case cvar::kFloat: {
      const float value = tokens.ReadFloat(&found);
      if (found) *static_cast<float*>(var.GetTarget()) = value;
      break;
    }
    case cvar::kUnsigned: {
      const unsigned value = tokens.ReadUnsigned(&found);
      if (found) *static_cast<unsigned*>(var.GetTarget()) = value;
      break;
    }
    case cvar::kInt: {
      const long value = tokens.ReadInt(&found);
      if (found && !var.Accepts(ClampToInt(value)))
        LogRefusedValue(var, value, source);
      else if (found)
        *static_cast<int*>(var.GetTarget()) = ClampToInt(value);
      break;
    }
    case cvar::kString: {
      const char* value = tokens.ReadWord(&found);
      if (found) std::memcpy(var.GetTarget(), value, std::strlen(value) + 1);
      break;
    }
    default:
      return true;  // not assignable; reported by the caller
  }
  return found;
}

bool IsAssignable(cvar::Type type) {
  return type == cvar::kBool || type == cvar::kFloat || type == cvar::kUnsigned || type == cvar::kInt ||
         type == cvar::kString;
}

}  // namespace

namespace {

util::StringHash& NameTable() {
  static util::StringHash table(17);
  return table;
}

std::vector<const cvar*>& RegistrationOrder() {
  static std::vector<const cvar*> order;
  return order;
}

}  // namespace

void CVarSystem::Register(const cvar* vars, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const cvar& var = vars[i];
    if (NameTable().Find(var.GetName())) continue;
    NameTable().Insert(var.GetName(), const_cast<cvar*>(&var));
    RegistrationOrder().push_back(&var);
    var.RestoreDefault();
  }
}

cvar* CVarSystem::Find(const char* name) { return static_cast<cvar*>(NameTable().Find(name)); }

const std::vector<const cvar*>& CVarSystem::Registered() { return RegistrationOrder(); }

void CVarSystem::RestoreDefaults() {
  for (const cvar* var : RegistrationOrder()) var->RestoreDefault();
}

bool CVarSystem::Initialize(void* params) {
  const char* fileName = static_cast<const char*>(params);
  if (fileName && !ExecFile(fileName)) LogMessage("Console failed to exec '%s'", fileName);
  return true;
}

bool CVarSystem::ExecFile(const char* fileName) {
  if (!fileName || !g_pFileSystem) return false;
  RAMFile file;
  if (!g_pFileSystem->LoadFileToRAM(fileName, &file)) return false;
  ParseFile(file.data, file.size, fileName);
  return true;
}

bool CVarSystem::ParseFile(const char* data, unsigned length, const char* sourceName) {
  if (!data || !sourceName) return false;
  TextTokenizer tokens(data, length);
  int line = 1;
  bool skipLine = false;
  while (tokens.NextToken()) {
    if (tokens.TokenIsLineBreak()) {
      skipLine = false;
      ++line;
      continue;
    }
    if (tokens.Token()[0] == '/') skipLine = true;
    if (skipLine) continue;

    const cvar* var = Find(tokens.Token());
    if (!var) {
      LogMessage("(%s : %d) unknown command or cvar: '%s'", sourceName, line, tokens.Token());
      skipLine = true;
      continue;
    }
    const char* equals = tokens.ReadWord();
    if (std::strcmp(equals, "=") != 0) {
      LogMessage("(%s : %d) Syntax error: '(%s)' -- expected '=' ", sourceName, line, equals);
      skipLine = true;
      continue;
    }
    if (!IsAssignable(var->GetType())) {
      LogMessage("(%s) cannot assign value to unknown cvar type: %s", sourceName, var->GetName());
      tokens.ReadWord();
      continue;
    }
    if (!AssignValue(*var, tokens, Source{sourceName, line})) {
      LogMessage("(%s : %d) Syntax error: no value for '%s'", sourceName, line, var->GetName());
      skipLine = true;
    }
  }
  return true;
}

}  // namespace Basalt
