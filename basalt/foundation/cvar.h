#pragma once
// A console variable binds a named setting to a global of the program and
// declares everything about it in one place: its name, its default, the range
// of values it accepts (ints) and one line saying what it does. Each module
// lists its variables in a table and hands it to CVarSystem::Register at
// start-up (see cvar_system.h); registering writes the default into the
// global, and the settings file later assigns values straight into it. The
// README's settings table and the default settings file are printed from
// those tables.
#include <climits>
#include <string>

namespace Basalt {

class cvar {
 public:
  enum Type {
    kNone = 0,
    kBool = 1,
    kFloat = 2,
    kUnsigned = 3,
    kInt = 4,
    kUnsignedShort = 5,
    kShort = 6,
    kDouble = 7,
    kString = 8,  // a char buffer of at least kStringCapacity characters
  };
  static constexpr unsigned kNameCapacity = 64;
  static constexpr unsigned kStringCapacity = 128;

  // Each binds target (not owned; it must outlive the process's use of the
  // table) under name, cut to 63 characters; description is a literal. A
  // string default is cut to kStringCapacity - 1 characters.
  cvar(bool* target, const char* name, bool defaultValue, const char* description);
  cvar(float* target, const char* name, float defaultValue, const char* description);
  cvar(unsigned* target, const char* name, unsigned defaultValue, const char* description);
  // An int setting that accepts only minimum..maximum: the settings file's
  // other values are refused (a log line) and the global keeps its value.
  cvar(int* target, const char* name, int defaultValue, const char* description, int minimum = INT_MIN,
       int maximum = INT_MAX);
  cvar(unsigned short* target, const char* name, unsigned short defaultValue, const char* description);
  cvar(short* target, const char* name, short defaultValue, const char* description);
  cvar(double* target, const char* name, double defaultValue, const char* description);
  cvar(char* target, const char* name, const char* defaultValue, const char* description);
  cvar(const cvar&) = default;
  cvar& operator=(const cvar&) = default;
  // The registry keeps pointing at a registered cvar: registered tables live
  // as long as the process (function-local statics).
  ~cvar() = default;

  const char* GetName() const { return m_name; }
  const char* GetDescription() const { return m_description; }
  Type GetType() const { return m_type; }
  void* GetTarget() const { return m_target; }
  int GetMinimum() const { return m_minimum; }
  int GetMaximum() const { return m_maximum; }
  bool HasRange() const { return m_minimum != INT_MIN || m_maximum != INT_MAX; }
  bool Accepts(int value) const { return value >= m_minimum && value <= m_maximum; }
  // The default as a settings file writes it ("800", "1", "updates.padlark.invalid").
  std::string DefaultText() const;
  // Whether the default itself lies in the declared range (ints; others always).
  bool DefaultIsAccepted() const;
  // Writes the default into the global (main thread, before the services
  // that read it start).
  void RestoreDefault() const;

 private:
  cvar(void* target, Type type, const char* name, const void* defaultValue, const char* description);

  void* m_target = nullptr;
  Type m_type = kNone;
  int m_minimum = INT_MIN;
  int m_maximum = INT_MAX;
  const char* m_description = "";
  char m_name[kNameCapacity] = {};
  unsigned char m_default[kStringCapacity] = {};
};

}  // namespace Basalt
