#include "basalt/foundation/text_tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Tokens(const std::string& text, bool split) {
  Basalt::TextTokenizer tokens(text.data(), static_cast<unsigned>(text.size()));
  tokens.SetPunctuationSplitting(split);
  std::vector<std::string> out;
  while (tokens.NextToken()) out.push_back(tokens.TokenIsLineBreak() ? "<br>" : tokens.Token());
  return out;
}

TEST(TextTokenizerTest, BlanksSeparateAndEveryLineEndIsOneBreak) {
  EXPECT_EQ(Tokens("a = 1\r\nb\t=\t2\nc = 3\rd", false),
            (std::vector<std::string>{"a", "=", "1", "<br>", "b", "=", "2", "<br>", "c", "=", "3", "<br>", "d"}));
  EXPECT_EQ(Tokens("a=1", false), (std::vector<std::string>{"a=1"}));
  EXPECT_EQ(Tokens("   \t ", false), (std::vector<std::string>{}));
}

TEST(TextTokenizerTest, PunctuationStandsAloneWhenSplitting) {
  EXPECT_EQ(Tokens("Shader{file=\"x.shd\";}", true),
            (std::vector<std::string>{"Shader", "{", "file", "=", "\"", "x", ".", "shd", "\"", ";", "}"}));
  EXPECT_EQ(Tokens("a_b:c", true), (std::vector<std::string>{"a_b:c"}));
}

TEST(TextTokenizerTest, LongRunsContinueAsTheNextToken) {
  const std::string run(300, 'x');
  const std::vector<std::string> tokens = Tokens(run, false);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].size(), 127u);
  EXPECT_EQ(tokens[1].size(), 127u);
  EXPECT_EQ(tokens[2].size(), 46u);
}

TEST(TextTokenizerTest, ValueReadsStopAtTheLineEnd) {
  const std::string text = "=\r\n42 -7 2.5 word";
  Basalt::TextTokenizer tokens(text.data(), static_cast<unsigned>(text.size()));
  ASSERT_TRUE(tokens.NextToken());
  bool found = true;
  EXPECT_EQ(tokens.ReadInt(&found), 0);
  EXPECT_FALSE(found);
  ASSERT_TRUE(tokens.NextToken());
  EXPECT_TRUE(tokens.TokenIsLineBreak());
  EXPECT_EQ(tokens.ReadInt(), 42);
  EXPECT_EQ(tokens.ReadUnsigned(), 0xFFFFFFF9u);
  EXPECT_FLOAT_EQ(tokens.ReadFloat(), 2.5f);
  EXPECT_STREQ(tokens.ReadWord(&found), "word");
  EXPECT_TRUE(found);
  EXPECT_TRUE(tokens.AtEnd());
}

TEST(TextTokenizerTest, LineBreaksAreBlanksWhenTheirTokensAreOff) {
  const std::string text = "a\r\n\r\n  b";
  Basalt::TextTokenizer tokens(text.data(), static_cast<unsigned>(text.size()));
  tokens.SetLineBreakTokens(false);
  ASSERT_TRUE(tokens.NextToken());
  EXPECT_STREQ(tokens.Token(), "a");
  ASSERT_TRUE(tokens.NextToken());
  EXPECT_STREQ(tokens.Token(), "b");
  EXPECT_FALSE(tokens.NextToken());
}

}  // namespace
