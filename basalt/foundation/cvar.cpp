#include "basalt/foundation/cvar.h"

#include <cassert>
#include <cstdio>
#include <cstring>

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

template <typename T>
T Stored(const unsigned char* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace

cvar::cvar(void* target, Type type, const char* name, const void* defaultValue, const char* description)
    : m_target(target), m_type(type), m_description(description) {
  assert(target && name && description);
  std::strncpy(m_name, name, kNameCapacity - 1);
  if (type == kString)
    std::strncpy(reinterpret_cast<char*>(m_default), static_cast<const char*>(defaultValue), kStringCapacity - 1);
  else
    std::memcpy(m_default, defaultValue, TargetSize(type));
}

cvar::cvar(bool* target, const char* name, bool defaultValue, const char* description)
    : cvar(target, kBool, name, &defaultValue, description) {}
cvar::cvar(float* target, const char* name, float defaultValue, const char* description)
    : cvar(target, kFloat, name, &defaultValue, description) {}
cvar::cvar(unsigned* target, const char* name, unsigned defaultValue, const char* description)
    : cvar(target, kUnsigned, name, &defaultValue, description) {}
cvar::cvar(int* target, const char* name, int defaultValue, const char* description, int minimum, int maximum)
    : cvar(target, kInt, name, &defaultValue, description) {
  assert(minimum <= maximum);
  m_minimum = minimum;
  m_maximum = maximum;
}
cvar::cvar(unsigned short* target, const char* name, unsigned short defaultValue, const char* description)
    : cvar(target, kUnsignedShort, name, &defaultValue, description) {}
cvar::cvar(short* target, const char* name, short defaultValue, const char* description)
    : cvar(target, kShort, name, &defaultValue, description) {}
cvar::cvar(double* target, const char* name, double defaultValue, const char* description)
    : cvar(target, kDouble, name, &defaultValue, description) {}
cvar::cvar(char* target, const char* name, const char* defaultValue, const char* description)
    : cvar(target, kString, name, defaultValue, description) {}

std::string cvar::DefaultText() const {
  char text[kStringCapacity] = {};
  switch (m_type) {
    case kBool: return Stored<bool>(m_default) ? "1" : "0";
    case kFloat: std::snprintf(text, sizeof text, "%g", static_cast<double>(Stored<float>(m_default))); break;
    case kUnsigned: std::snprintf(text, sizeof text, "%u", Stored<unsigned>(m_default)); break;
    case kInt: std::snprintf(text, sizeof text, "%d", Stored<int>(m_default)); break;
    case kUnsignedShort: std::snprintf(text, sizeof text, "%u", Stored<unsigned short>(m_default)); break;
    case kShort: std::snprintf(text, sizeof text, "%d", Stored<short>(m_default)); break;
    case kDouble: std::snprintf(text, sizeof text, "%g", Stored<double>(m_default)); break;
    case kString: return reinterpret_cast<const char*>(m_default);
    default: break;
  }
  return text;
}

bool cvar::DefaultIsAccepted() const { return m_type != kInt || Accepts(Stored<int>(m_default)); }

void cvar::RestoreDefault() const { std::memcpy(m_target, m_default, TargetSize(m_type)); }

}  // namespace Basalt
