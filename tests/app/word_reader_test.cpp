// The word reader of data files: lines and words, numbers in every form a file holds, and the
// exact messages the user sees when a file does not read.
#include "app/word_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace korvex {
namespace {

template <typename Action>
std::string messageOf(Action action) {
  try {
    action();
  } catch (const ProjectReadError& e) {
    return e.what();
  }
  return "no error";
}

TEST(WordReader, WordsAreSeparatedByAnyRunOfBlanksAndTabs) {
  TWordReader r("TITLE  LINE\r\n\t 1 \t2\t\t3   \r\n4\x1a\n");
  EXPECT_EQ(r.ReadLine(), "TITLE  LINE");
  EXPECT_EQ(r.WordCount(), 3);
  EXPECT_EQ(r.ReadInteger(), 1);
  EXPECT_EQ(r.ReadInteger(), 2);
  EXPECT_EQ(r.ReadInteger(), 3);
  EXPECT_EQ(r.RemainingWords(), 1);
  // The control character at the end of the line (an old end-of-file mark) is trimmed.
  EXPECT_EQ(r.ReadInteger(), 4);
  EXPECT_EQ(r.RemainingWords(), 0);
  EXPECT_EQ(messageOf([&] { r.ReadFloat(); }), "This file either invalid or incomplete.");
}

TEST(WordReader, LinesEndWithLineFeedCarriageReturnOrBoth) {
  TWordReader r("a\rb\r\nc\nd");
  EXPECT_EQ(r.ReadLine(), "a");
  EXPECT_EQ(r.ReadLine(), "b");
  EXPECT_EQ(r.ReadLine(), "c");
  EXPECT_EQ(r.ReadLine(), "d");
  EXPECT_EQ(messageOf([&] { r.ReadLine(); }), "This file either invalid or incomplete.");

  TWordReader empty("");
  EXPECT_EQ(empty.ReadLine(), "");  // an empty file is one empty line
  EXPECT_EQ(messageOf([&] { empty.ReadLine(); }), "This file either invalid or incomplete.");
}

TEST(WordReader, FloatsTakeEveryUsualForm) {
  TWordReader r("1 -2.5 +3 .5 7. 1E-5 2.54e-7 -1.2345679E+8 3.0E+10");
  const long double expected[] = {1, -2.5L, 3, 0.5L, 7, 1E-5L, 2.54E-7L, -1.2345679E8L, 3.0E10L};
  for (long double value : expected) EXPECT_EQ(r.ReadFloat(), value);
}

TEST(WordReader, AWordThatIsNoNumberNamesItsLineAndItem) {
  for (const char* word :
       {"abc", "1,5", "1.2.3", "inf", "nan", "0x10", "--1", "+-3E10", "+-1", "-+1", "++1", "1E+-5", "+", "1e", "1e5000"}) {
    TWordReader r(std::string("T\n1 2 ") + word + "\n");
    r.ReadLine();
    r.ReadFloat();
    r.ReadFloat();
    EXPECT_EQ(messageOf([&] { r.ReadFloat(); }),
              "Error on Line 2 Item 3\rA floating point number was expected but not found.")
        << word;
  }
}

TEST(WordReader, IntegersMustBeWholeAndWithinThirtyTwoBits) {
  TWordReader r("3 +3.0 -2147483648 2147483647 3.5 2147483648 x +-1 -+1");
  EXPECT_EQ(r.ReadInteger(), 3);
  EXPECT_EQ(r.ReadInteger(), 3);
  EXPECT_EQ(r.ReadInteger(), -2147483647 - 1);
  EXPECT_EQ(r.ReadInteger(), 2147483647);
  for (int item = 5; item <= 9; ++item) {
    EXPECT_EQ(messageOf([&] { r.ReadInteger(); }),
              "Error on Line 1 Item " + std::to_string(item) + "\rAn integer was expected but not found.");
  }
}

// Only one line is skipped for the next word: an empty line where a number is expected fails.
TEST(WordReader, AnEmptyLineWhereANumberIsExpectedIsAnError) {
  TWordReader r("1\n\n2\n");
  EXPECT_EQ(r.ReadInteger(), 1);
  EXPECT_EQ(messageOf([&] { r.ReadInteger(); }), "Error on Line 2 Item 1\rAn integer was expected but not found.");
}

TEST(WordReader, ReadLineGivesTheRawLineWhateverWasTakenAndMovesOn) {
  TWordReader r("9 rest of line\nLONG TERM TITLE\n1 2 3 4 5 6\n1 2 3 4 5 6 7\n");
  EXPECT_EQ(r.ReadInteger(), 9);
  EXPECT_EQ(r.ReadLine(), "9 rest of line");
  EXPECT_EQ(r.ReadLine(), "LONG TERM TITLE");
  // The word count is that of the line the last word came from.
  EXPECT_EQ(r.ReadFloat(), 1);
  EXPECT_EQ(r.WordCount(), 6);
  for (int i = 0; i < 5; ++i) r.ReadFloat();
  EXPECT_EQ(r.LastItem(), 6);
  EXPECT_EQ(r.ReadFloat(), 1);
  EXPECT_EQ(r.WordCount(), 7);
  EXPECT_EQ(r.LineNumber(), 4);
}

// A missing file does not open; a folder opens but does not read. Either way the message is the
// system's, with the file's name.
TEST(WordReader, AFileThatCannotBeOpenedOrReadGivesTheSystemsMessage) {
  korvex::testing::TempFolder folder;
  const std::string missing = (folder / "no such folder" / "wall.kx5d").string();
  const std::string aFolder = (folder / "wall.kx5d").string();
  std::filesystem::create_directory(aFolder);
  EXPECT_EQ(messageOf([&] { TWordReader::FromFile(missing); }),
            "Cannot open file \"" + missing + "\". No such file or directory");
  EXPECT_EQ(messageOf([&] { TWordReader::FromFile(aFolder); }), "Cannot read file \"" + aFolder + "\". Is a directory");
}

}  // namespace
}  // namespace korvex
