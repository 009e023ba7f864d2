#include "basalt/foundation/text_tokenizer.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace Basalt {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreakStart(char c) { return c == '\r' || c == '\n'; }
}  // namespace

TextTokenizer::TextTokenizer(const char* data, unsigned length) : m_data(data, data + length), m_end(length) {
  m_data.push_back('\0');
}

bool TextTokenizer::IsPunctuation(unsigned char c) {
  return (c >= 33 && c <= 47) || (c >= 59 && c <= 64) || (c >= 91 && c <= 94) || c == 96 || (c >= 123 && c <= 127);
}

void TextTokenizer::SkipBlanks() {
  while (m_cursor < m_end && IsBlank(m_data[m_cursor])) ++m_cursor;
}

// Consumes one line break (CR LF, LF or CR) at the cursor.
bool TextTokenizer::TakeLineBreak() {
  if (m_cursor >= m_end || !IsLineBreakStart(m_data[m_cursor])) return false;
  if (m_data[m_cursor] == '\r' && m_cursor + 1 < m_end && m_data[m_cursor + 1] == '\n') ++m_cursor;
  ++m_cursor;
  return true;
}

bool TextTokenizer::NextToken() {
  m_token[0] = '\0';
  m_tokenIsLineBreak = false;
  for (;;) {
    SkipBlanks();
    if (m_cursor >= m_end) return false;
    if (!TakeLineBreak()) break;
    if (m_lineBreakTokens) {
      std::strcpy(m_token, "\r\n");
      m_tokenIsLineBreak = true;
      return true;
    }
  }
  unsigned length = 0;
  while (m_cursor < m_end && length < kTokenCapacity - 1) {
    const char c = m_data[m_cursor];
    if (IsBlank(c) || IsLineBreakStart(c)) break;
    if (m_splitPunctuation && IsPunctuation(static_cast<unsigned char>(c))) {
      if (length == 0) m_token[length++] = m_data[m_cursor++];
      break;
    }
    m_token[length++] = c;
    ++m_cursor;
  }
  m_token[length] = '\0';
  return true;
}

bool TextTokenizer::ReadValueToken(bool splitPunctuation) {
  const bool savedSplit = m_splitPunctuation;
  const size_t savedCursor = m_cursor;
  m_splitPunctuation = splitPunctuation;
  bool found = NextToken();
  m_splitPunctuation = savedSplit;
  if (found && m_tokenIsLineBreak) {
    m_cursor = savedCursor;
    m_token[0] = '\0';
    m_tokenIsLineBreak = false;
    found = false;
  }
  return found;
}

long TextTokenizer::ReadInt(bool* found) {
  const bool got = ReadValueToken(false);
  if (found) *found = got;
  return got ? std::strtol(m_token, nullptr, 10) : 0;
}

unsigned TextTokenizer::ReadUnsigned(bool* found) { return static_cast<unsigned>(ReadInt(found)); }

bool TextTokenizer::ReadBool(bool* found) { return ReadInt(found) > 0; }

float TextTokenizer::ReadFloat(bool* found) {
  const bool got = ReadValueToken(false);
  if (found) *found = got;
  return got ? std::strtof(m_token, nullptr) : 0.0f;
}

const char* TextTokenizer::ReadWord(bool* found) {
  const bool got = ReadValueToken(m_splitPunctuation);
  if (found) *found = got;
  return m_token;
}

}  // namespace Basalt
