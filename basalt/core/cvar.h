#pragma once
// A console variable binds a named setting to a global of the program. A cvar
// is a static object next to its global; constructing it registers the pair
// in CVarSystem's table during static initialisation, and the settings file
// later assigns values straight into the global (see cvar_system.h). An int
// cvar may carry the range of values it accepts, so the range is declared
// once, beside the variable. The value a global holds when its cvar is
// constructed is kept as its default: RestoreDefault puts it back.
#include <climits>

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

  // Unbound: no target, named "unknown", not registered.
  cvar();
  // Binds target (not owned; it must outlive the process's use of the table)
  // under name, cut to 63 characters, and registers it unless the name is
  // already taken (the first registration keeps the name).
  cvar(bool* target, const char* name);
  cvar(float* target, const char* name);
  cvar(unsigned* target, const char* name);
  cvar(int* target, const char* name);
  // An int setting that accepts only minimum..maximum: the settings file's
  // other values are refused (a log line) and the global keeps its value.
  cvar(int* target, const char* name, int minimum, int maximum);
  cvar(unsigned short* target, const char* name);
  cvar(short* target, const char* name);
  cvar(double* target, const char* name);
  cvar(char* target, const char* name);
  // Copies name, target and type; a copy is never registered.
  cvar(const cvar&) = default;
  cvar& operator=(const cvar&) = default;
  // The table keeps pointing at a registered cvar: cvars live as long as the process.
  ~cvar() = default;

  const char* GetName() const { return m_name; }
  Type GetType() const { return m_type; }
  void* GetTarget() const { return m_target; }
  int GetMinimum() const { return m_minimum; }
  int GetMaximum() const { return m_maximum; }
  bool Accepts(int value) const { return value >= m_minimum && value <= m_maximum; }
  // Writes the default back into the global (main thread, before the
  // services that read it start).
  void RestoreDefault() const;

 protected:
  // Registers this cvar under the name already stored.
  void init();

 private:
  cvar(void* target, Type type, const char* name);

  void* m_target = nullptr;
  Type m_type = kNone;
  int m_minimum = INT_MIN;
  int m_maximum = INT_MAX;
  char m_name[kNameCapacity] = {};
  unsigned char m_default[kStringCapacity] = {};
};

}  // namespace Basalt
