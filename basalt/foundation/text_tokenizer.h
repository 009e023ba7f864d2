#pragma once
// TextTokenizer splits the text of the settings and material files into
// tokens. Blanks (space, tab) separate tokens; a line break (CR LF, a lone LF
// or a lone CR) is a token of its own while line-break tokens are on; with
// punctuation splitting on, each of !"#$%&'()*+,-./;<=>?@[\]^` and {|}~ DEL
// stands alone. A token holds at most 127 characters: a longer run goes on
// as the next token. Value reads (ReadInt, ReadWord, ...) never consume a line
// break: at the end of a line they find nothing and leave the break for the
// caller, so a missing value cannot swallow the next line.
#include <string>
#include <vector>

namespace Basalt {

class TextTokenizer {
 public:
  static constexpr unsigned kTokenCapacity = 128;

  // Copies length bytes of data; the caller's buffer may go away afterwards.
  TextTokenizer(const char* data, unsigned length);

  // Reads the next token into Token(); false when only blanks are left.
  bool NextToken();
  const char* Token() const { return m_token; }
  bool TokenIsLineBreak() const { return m_tokenIsLineBreak; }
  bool AtEnd() const { return m_cursor >= m_end; }

  void SetPunctuationSplitting(bool on) { m_splitPunctuation = on; }
  void SetLineBreakTokens(bool on) { m_lineBreakTokens = on; }

  // Value reads: the next token on this line, with punctuation splitting off
  // for the numbers. found (optional) tells whether there was one; without
  // one the numbers are 0 and the word is empty.
  long ReadInt(bool* found = nullptr);
  unsigned ReadUnsigned(bool* found = nullptr);
  bool ReadBool(bool* found = nullptr);
  float ReadFloat(bool* found = nullptr);
  const char* ReadWord(bool* found = nullptr);

  static bool IsPunctuation(unsigned char c);

 private:
  bool ReadValueToken(bool splitPunctuation);
  void SkipBlanks();
  bool TakeLineBreak();

  std::vector<char> m_data;
  size_t m_cursor = 0;
  size_t m_end = 0;
  bool m_splitPunctuation = false;
  bool m_lineBreakTokens = true;
  bool m_tokenIsLineBreak = false;
  char m_token[kTokenCapacity] = {};
};

}  // namespace Basalt
