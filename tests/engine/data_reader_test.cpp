#include "input/data_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex {
namespace {

struct Fields {
  int a = -1;
  int b = -1;
  double x = -1.0;
  double y = -1.0;
};

// Reads `text` as one record of two integers and two reals.
Fields readRecord(DataReader& reader, Fields start = {}) {
  Fields f = start;
  const ReadTarget targets[] = {f.a, f.b, f.x, f.y};
  reader.read("test record", targets);
  return f;
}

TEST(DataReader, FieldsAreSeparatedByBlanksTabsAndSingleCommas) {
  DataReader reader("1 2 3.5 4\n5\t6\t7\t8\n9,10 , 11,12\n");
  Fields f = readRecord(reader);
  EXPECT_EQ(f.a, 1);
  EXPECT_EQ(f.b, 2);
  EXPECT_EQ(f.x, 3.5);
  EXPECT_EQ(f.y, 4.0);
  f = readRecord(reader);
  EXPECT_EQ(f.a, 5);
  EXPECT_EQ(f.y, 8.0);
  f = readRecord(reader);
  EXPECT_EQ(f.a, 9);
  EXPECT_EQ(f.b, 10);
  EXPECT_EQ(f.x, 11.0);
  EXPECT_EQ(f.y, 12.0);
  EXPECT_TRUE(reader.atEnd());
}

TEST(DataReader, ARecordContinuesOverLineEndsAndTheRestOfItsLastLineIsSkipped) {
  DataReader reader("1 2\n\n 3.0\n4 99 100 this is skipped\n7 8 9 10\n");
  Fields f = readRecord(reader);
  EXPECT_EQ(f.a, 1);
  EXPECT_EQ(f.b, 2);
  EXPECT_EQ(f.x, 3.0);
  EXPECT_EQ(f.y, 4.0);
  EXPECT_EQ(reader.lastLine(), 4);
  f = readRecord(reader);
  EXPECT_EQ(f.a, 7);
  EXPECT_EQ(f.y, 10.0);
}

TEST(DataReader, SlashEndsTheRecordAndLeavesTheRemainingFieldsUnchanged) {
  DataReader reader("1 2 / 3 4\n5 6 7 8\n");
  Fields f = readRecord(reader, Fields{0, 0, 0.25, 0.5});
  EXPECT_EQ(f.a, 1);
  EXPECT_EQ(f.b, 2);
  EXPECT_EQ(f.x, 0.25);
  EXPECT_EQ(f.y, 0.5);
  // The next read starts on the next line, not after the slash.
  f = readRecord(reader);
  EXPECT_EQ(f.a, 5);
  DataReader glued("1 2 3.5/\n");
  f = readRecord(glued, Fields{0, 0, 0.0, -7.0});
  EXPECT_EQ(f.x, 3.5);
  EXPECT_EQ(f.y, -7.0);
}

TEST(DataReader, TwoCommasLeaveOneFieldUnchanged) {
  DataReader reader("1,,3,4\n,2,3,4\n1 2,,\n4\n");
  Fields f = readRecord(reader, Fields{10, 20, 30.0, 40.0});
  EXPECT_EQ(f.a, 1);
  EXPECT_EQ(f.b, 20);
  EXPECT_EQ(f.x, 3.0);
  EXPECT_EQ(f.y, 4.0);
  // A comma before the first value stands for a null first field.
  f = readRecord(reader, Fields{10, 20, 30.0, 40.0});
  EXPECT_EQ(f.a, 10);
  EXPECT_EQ(f.b, 2);
  // "2,," : the first comma separates, the second is a null value; then the next line.
  f = readRecord(reader, Fields{10, 20, 30.0, 40.0});
  EXPECT_EQ(f.a, 1);
  EXPECT_EQ(f.b, 2);
  EXPECT_EQ(f.x, 30.0);
  EXPECT_EQ(f.y, 4.0);
}

TEST(DataReader, RepeatFormsStandForRepeatedOrUnchangedValues) {
  DataReader reader("2*7 2*0.5\n1 3*\n2*3 5*9.0\n");
  Fields f = readRecord(reader);
  EXPECT_EQ(f.a, 7);
  EXPECT_EQ(f.b, 7);
  EXPECT_EQ(f.x, 0.5);
  EXPECT_EQ(f.y, 0.5);
  f = readRecord(reader, Fields{10, 20, 30.0, 40.0});
  EXPECT_EQ(f.a, 1);
  EXPECT_EQ(f.b, 20);
  EXPECT_EQ(f.y, 40.0);
  // Repetitions beyond the record's last field are dropped with the rest of the line.
  f = readRecord(reader);
  EXPECT_EQ(f.b, 3);
  EXPECT_EQ(f.y, 9.0);
  EXPECT_TRUE(reader.atEnd());
}

TEST(DataReader, RealsAreAcceptedInEveryFortranForm) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {{"80", 80.0},        {"0.5", 0.5},       {"-0.5", -0.5},     {"+2.", 2.0},
                        {".25", 0.25},       {"1E-5", 1.0e-5},   {"2.5E+7", 2.5e7},  {"3.0e10", 3.0e10},
                        {"1.5D3", 1500.0},   {"1.5d-3", 1.5e-3}, {"1.5+3", 1500.0},  {"-1.5-3", -1.5e-3},
                        {"0.1", 0.1},        {"3.0E+10", 3.0e10}};
  for (const Case& c : cases) {
    double value = 0.0;
    EXPECT_TRUE(parseFortranReal(c.text, value)) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  for (const char* bad : {"", "-", ".", "E5", "1E", "1.5E+", "abc", "1,5", "1.2.3", "NaN", "Inf", "1E999", "0x10"}) {
    double value = 0.0;
    EXPECT_FALSE(parseFortranReal(bad, value)) << bad;
  }
}

TEST(DataReader, IntegerFieldsRefuseRealsAndText) {
  int value = 0;
  EXPECT_TRUE(parseFortranInteger("+42", value));
  EXPECT_EQ(value, 42);
  EXPECT_TRUE(parseFortranInteger("-2147483648", value));
  EXPECT_EQ(value, -2147483648);
  for (const char* bad : {"1.5", "80.", "1E2", "x", "", "+", "2147483648", "1 2"}) {
    EXPECT_FALSE(parseFortranInteger(bad, value)) << bad;
  }

  DataReader reader("1 2.0 3 4\n");
  try {
    readRecord(reader);
    FAIL() << "a real in an integer field must fail";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(),
                 "ERROR STOP -- INPUT DATA LINE 1, ITEM 2: AN INTEGER IS EXPECTED, NOT '2.0' (TEST RECORD)");
    EXPECT_EQ(error.position().line, 1);
    EXPECT_EQ(error.position().item, 2);
  }
}

TEST(DataReader, TextInARealFieldNamesLineAndItem) {
  DataReader reader("1 2\n 3 4\n5 6 7.5 ten\n");
  readRecord(reader);
  try {
    readRecord(reader);
    FAIL() << "text in a real field must fail";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "ERROR STOP -- INPUT DATA LINE 3, ITEM 4: A NUMBER IS EXPECTED, NOT 'ten' (TEST RECORD)");
  }
}

TEST(DataReader, LongOrUnprintableTokensAreQuotedShortAndClean) {
  DataReader reader(std::string("1 2 3 ") + "abcdefghijklmnopqrstuvwxyz\x01" + "\n");
  try {
    readRecord(reader);
    FAIL();
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(),
                 "ERROR STOP -- INPUT DATA LINE 1, ITEM 4: A NUMBER IS EXPECTED, NOT 'abcdefghijklmnopqrst...' "
                 "(TEST RECORD)");
  }
}

TEST(DataReader, EndOfFileInsideARecordNamesTheMissingItem) {
  DataReader reader("1 2\n3\n");
  try {
    readRecord(reader);
    FAIL() << "a record cut short by the end of the file must fail";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "ERROR STOP -- INPUT DATA FILE ENDS AT LINE 2: ITEM 4 OF THE TEST RECORD IS MISSING");
  }
  DataReader empty("");
  EXPECT_THROW(readRecord(empty), InputError);
  EXPECT_THROW(empty.readTitle("title line"), InputError);
}

TEST(DataReader, TitleIsSeventyFixedCharactersAndCrLfEndsAreIgnored) {
  const std::string longTitle(80, 'T');
  DataReader reader("SAMPLE WALL\r\n" + longTitle + "\r\n\r\n1 2 3 4\r\n");
  const std::string first = reader.readTitle("title line");
  EXPECT_EQ(first.size(), 70u);
  EXPECT_EQ(first, "SAMPLE WALL" + std::string(59, ' '));
  EXPECT_EQ(reader.readTitle("title line"), std::string(70, 'T'));
  EXPECT_EQ(reader.readTitle("title line"), std::string(70, ' '));
  const Fields f = readRecord(reader);
  EXPECT_EQ(f.y, 4.0);
}

TEST(DataReader, FieldPositionsNameLineAndItemOfEachValue) {
  DataReader reader("1 2\n  3.0, 4.0\n");
  readRecord(reader);
  EXPECT_EQ(reader.fieldPosition(0).line, 1);
  EXPECT_EQ(reader.fieldPosition(1).item, 2);
  EXPECT_EQ(reader.fieldPosition(2).line, 2);
  EXPECT_EQ(reader.fieldPosition(2).item, 1);
  EXPECT_EQ(reader.fieldPosition(3).item, 2);
}

}  // namespace
}  // namespace korvex
