#include "basalt/core/cvar.h"

#include <cassert>
#include <cstring>

#include "basalt/core/cvar_system.h"

namespace Basalt {

namespace {

// Bytes of the global a cvar of this type binds.
size_t TargetSize(cvar::Type type) {
  switch (type) {
    case cvar::kBool: return sizeof(bool);
    case cvar::kFloat: return sizeof(float);
    case cvar::kUnsigned: return sizeof(unsigned);
    case cvar::kInt: return sizeof(int);
    case cvar::kUnsignedShort: return sizeof(unsigned short);
    case cvar::kShort: return sizeof(short);
    case cvar::kDouble: return sizeof(double);
    case cvar::kString: return cvar::kStringCapacity;
    default: return 0;
  }
}

}  // namespace

cvar::cvar() { std::strcpy(m_name, "unknown"); }

cvar::cvar(void* target, Type type, const char* name) : m_target(target), m_type(type) {
  std::strncpy(m_name, name, kNameCapacity - 1);
  std::memcpy(m_default, m_target, TargetSize(type));
  init();
}

void cvar::RestoreDefault() const {
  if (m_target) std::memcpy(m_target, m_default, TargetSize(m_type));
}

cvar::cvar(bool* target, const char* name) : cvar(target, kBool, name) {}
cvar::cvar(float* target, const char* name) : cvar(target, kFloat, name) {}
cvar::cvar(unsigned* target, const char* name) : cvar(target, kUnsigned, name) {}
cvar::cvar(int* target, const char* name) : cvar(target, kInt, name) {}
cvar::cvar(int* target, const char* name, int minimum, int maximum) : cvar(target, kInt, name) {
  assert(minimum <= maximum);
  m_minimum = minimum;
  m_maximum = maximum;
}
cvar::cvar(unsigned short* target, const char* name) : cvar(target, kUnsignedShort, name) {}
cvar::cvar(short* target, const char* name) : cvar(target, kShort, name) {}
cvar::cvar(double* target, const char* name) : cvar(target, kDouble, name) {}
cvar::cvar(char* target, const char* name) : cvar(target, kString, name) {}

void cvar::init() {
  util::StringHash& table = CVarSystem::Registry();
  if (!table.Find(m_name)) table.Insert(m_name, this);
}

}  // namespace Basalt
