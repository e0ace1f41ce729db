// The value items of the standard component streaming format, byte for byte as derived from the
// format's definition, and the `Col` column stream of a table: round trips of every column
// class, the older float and table-column layouts, and the messages of broken streams.
#include "tables/column_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "tables/column_types.h"
#include "tables/component_stream.h"
#include "tables/grid_table.h"

namespace korvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes withText(Bytes bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  return bytes;
}

Bytes concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Runs `action`, expecting an exception of type E with exactly `message`.
template <typename E, typename Action>
void expectMessage(Action action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "no exception, expected: " << message;
  } catch (const E& e) {
    EXPECT_EQ(std::string(e.what()), message);
  }
}

// 1.0 = 1.000... × 2^0: integer bit alone in the mantissa, exponent field 16383 = 0x3FFF.
const Bytes kExtendedOne = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F};
// 0.1 = 1.6 × 2^-4; 1.6 in binary is 1.1001 1001 ..., so the 64-bit mantissa is CCCC...CCCC with
// the next bits 1100... rounding the last digit up to D; exponent field 16383 - 4 = 0x3FFB.
const Bytes kExtendedTenth = {0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F};
// -2.0 = -1.0 × 2^1: exponent field 0x4000 with the sign bit set gives 0xC000.
const Bytes kExtendedMinusTwo = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0xC0};

constexpr bool kLongDoubleIsExtended = std::numeric_limits<long double>::digits == 64;

// ---------------------------------------------------------------------------------------------
// Value items

TEST(ComponentWriter, WritesIntegersInTheSmallestFittingWidthLittleEndian) {
  struct Case {
    std::int32_t value;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {0, {0x02, 0x00}},
      {5, {0x02, 0x05}},
      {-1, {0x02, 0xFF}},
      {127, {0x02, 0x7F}},
      {-128, {0x02, 0x80}},
      {128, {0x03, 0x80, 0x00}},
      {-129, {0x03, 0x7F, 0xFF}},
      {1000, {0x03, 0xE8, 0x03}},
      {32767, {0x03, 0xFF, 0x7F}},
      {-32768, {0x03, 0x00, 0x80}},
      {32768, {0x04, 0x00, 0x80, 0x00, 0x00}},
      {-32769, {0x04, 0xFF, 0x7F, 0xFF, 0xFF}},
      {2147483647, {0x04, 0xFF, 0xFF, 0xFF, 0x7F}},
      {-2147483647 - 1, {0x04, 0x00, 0x00, 0x00, 0x80}},
  };
  for (const Case& c : cases) {
    ComponentWriter writer;
    writer.WriteInteger(c.value);
    EXPECT_EQ(writer.Bytes(), c.bytes) << c.value;
    ComponentReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadInteger(), c.value);
    EXPECT_TRUE(reader.AtEnd());
  }
}

TEST(ComponentWriter, WritesStringsWithOneByteLengthUpTo255AndFourBytesBeyond) {
  ComponentWriter writer;
  writer.WriteString("");
  writer.WriteString("ab");
  EXPECT_EQ(writer.Bytes(), (Bytes{0x06, 0x00, 0x06, 0x02, 'a', 'b'}));

  const std::string exactly255(255, 'x');
  ComponentWriter shortWriter;
  shortWriter.WriteString(exactly255);
  EXPECT_EQ(shortWriter.Bytes(), withText({0x06, 0xFF}, exactly255));

  const std::string long300(300, 'y');  // 300 = 0x012C
  ComponentWriter longWriter;
  longWriter.WriteString(long300);
  EXPECT_EQ(longWriter.Bytes(), withText({0x0C, 0x2C, 0x01, 0x00, 0x00}, long300));
  ComponentReader reader(longWriter.Bytes());
  EXPECT_EQ(reader.ReadString(), long300);
}

TEST(ComponentWriter, WritesBooleansAndListsAsBareTypeBytes) {
  ComponentWriter writer;
  writer.WriteBoolean(true);
  writer.WriteBoolean(false);
  writer.WriteListBegin();
  writer.WriteInteger(1);
  writer.WriteListEnd();
  EXPECT_EQ(writer.Bytes(), (Bytes{0x09, 0x08, 0x01, 0x02, 0x01, 0x00}));

  ComponentReader reader(writer.Bytes());
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_FALSE(reader.ReadBoolean());
  reader.ReadListBegin();
  EXPECT_FALSE(reader.EndOfList());
  EXPECT_EQ(reader.ReadInteger(), 1);
  EXPECT_TRUE(reader.EndOfList());
  reader.ReadListEnd();
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ComponentWriter, WritesExtendedFloatsAsTenBytesAfterTheirTypeByte) {
  ComponentWriter writer;
  writer.WriteFloat(1.0L);
  EXPECT_EQ(writer.Bytes(), concat({0x05}, kExtendedOne));
}

TEST(ExtendedEncoding, MatchesHandDerivedBytesOfSimpleValues) {
  EXPECT_EQ(EncodeExtended(1.0L), kExtendedOne);
  EXPECT_EQ(EncodeExtended(-2.0L), kExtendedMinusTwo);
  EXPECT_EQ(EncodeExtended(0.0L), Bytes(10, 0x00));
  EXPECT_EQ(EncodeExtended(-0.0L), concat(Bytes(9, 0x00), {0x80}));
  // 3.0 = 1.1b × 2^1: mantissa C000..., exponent field 0x4000.
  EXPECT_EQ(EncodeExtended(3.0L), (Bytes{0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}));
  EXPECT_EQ(DecodeExtended(kExtendedOne.data()), 1.0L);
  EXPECT_EQ(DecodeExtended(kExtendedMinusTwo.data()), -2.0L);
}

TEST(ExtendedEncoding, HoldsOneTenthToTheFullSixtyFourBitMantissa) {
  if constexpr (kLongDoubleIsExtended) {
    EXPECT_EQ(EncodeExtended(0.1L), kExtendedTenth);
    EXPECT_EQ(DecodeExtended(kExtendedTenth.data()), 0.1L);
  } else {
    GTEST_SKIP() << "long double is narrower than the extended format here";
  }
}

TEST(ExtendedEncoding, KeepsInfinitiesAndTheSmallestDenormal) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(EncodeExtended(inf), (Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}));
  EXPECT_EQ(DecodeExtended(EncodeExtended(-inf).data()), -inf);
  if constexpr (kLongDoubleIsExtended) {
    // 2^-16445 = 1 × 2^(1 - 16383 - 63): mantissa 1 with exponent field 0.
    const long double tiny = std::numeric_limits<long double>::denorm_min();
    EXPECT_EQ(EncodeExtended(tiny), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DecodeExtended(EncodeExtended(tiny).data()), tiny);
  }
}

TEST(ComponentReader, ReadsAnIntegerItemWhereAFloatIsExpected) {
  const Bytes bytes = {0x03, 0xE8, 0x03};
  ComponentReader reader(bytes);
  EXPECT_EQ(reader.ReadFloat(), 1000.0L);
}

TEST(ComponentReader, RejectsAnItemOfAnotherType) {
  const Bytes boolean = {0x09};
  expectMessage<StreamReadError>([&] { ComponentReader(boolean).ReadInteger(); }, "Invalid property value");
  expectMessage<StreamReadError>([&] { ComponentReader(boolean).ReadString(); }, "Invalid property value");
  expectMessage<StreamReadError>([&] { ComponentReader(boolean).ReadListBegin(); }, "Invalid property value");
  const Bytes integer = {0x02, 0x01};
  expectMessage<StreamReadError>([&] { ComponentReader(integer).ReadBoolean(); }, "Invalid property value");
}

TEST(ComponentReader, ReportsAStreamThatEndsInsideAnItem) {
  const std::vector<Bytes> truncated = {
      {}, {0x02}, {0x03, 0x01}, {0x04, 0x01, 0x02, 0x03}, {0x06}, {0x06, 0x03, 'a', 'b'},
      {0x0C, 0x01, 0x00}, concat({0x05}, Bytes(9, 0x00)),
  };
  for (const Bytes& bytes : truncated) {
    ComponentReader reader(bytes);
    expectMessage<StreamReadError>(
        [&] {
          if (!bytes.empty() && bytes[0] == 0x05) {
            reader.ReadFloat();
          } else if (!bytes.empty() && (bytes[0] == 0x06 || bytes[0] == 0x0C)) {
            reader.ReadString();
          } else {
            reader.ReadInteger();
          }
        },
        "Stream read error");
  }
}

// ---------------------------------------------------------------------------------------------
// Column stream: exact bytes

TEST(ColumnStream, WritesAnIntegerColumnByteForByte) {
  TGridTable table;
  auto column = std::make_unique<TIntColumn>();
  column->SetHeaderLines({"N"});
  column->SetDefault(3);
  column->SetMinimum(0);
  column->SetMaximum(1000);
  table.AddColumn(std::move(column));

  ComponentWriter writer;
  WriteColumns(table, writer);
  const Bytes expected = {
      0x02, 0x01,                    // one column
      0x02, 0x01,                    // type code 1: integer column
      0x01, 0x06, 0x01, 'N', 0x00,   // header lines ("N")
      0x09, 0x08,                    // Visible true, Grouped false
      0x02, 0x03,                    // default 3
      0x02, 0x00,                    // minimum 0
      0x03, 0xE8, 0x03,              // maximum 1000
  };
  EXPECT_EQ(writer.Bytes(), expected);
}

TEST(ColumnStream, WritesAFloatColumnInTheCurrentLayoutByteForByte) {
  TGridTable table;
  auto column = std::make_unique<TFloatColumn>();
  column->SetTopDepth(true);
  column->SetUnitCode("L2");
  column->SetDefault(1.0L);
  column->SetVisible(false);
  column->SetGrouped(true);
  table.AddColumn(std::move(column));

  ComponentWriter writer;
  WriteColumns(table, writer);
  Bytes expected = {0x02, 0x01, 0x02, 0x02, 0x01, 0x00, 0x08, 0x09, 0x09};
  expected = withText(concat(expected, {0x06, 12}), "FLOATCOLUMN2");
  expected = withText(concat(expected, {0x06, 2}), "L2");
  expected = concat(concat(expected, {0x05}), kExtendedOne);
  EXPECT_EQ(writer.Bytes(), expected);
}

TEST(ColumnStream, WritesEnumStringAndTableColumnsByteForByte) {
  TGridTable templateTable;
  templateTable.SetIdentifier(7001);
  TGridTable table;
  auto kinds = std::make_unique<TEnumColumn>();
  kinds->SetItems({"A", "B"});
  table.AddColumn(std::move(kinds));
  auto text = std::make_unique<TStringColumn>();
  text->SetDefaultText("x");
  text->SetWidthInches(-2.0L);
  table.AddColumn(std::move(text));
  auto layers = std::make_unique<TTableColumn>();
  layers->Templates().AddIdentifier(7001);
  layers->Templates().AddIdentifier(7999);  // no such table: written as -1
  table.AddColumn(std::move(layers));

  ComponentWriter writer;
  WriteColumns(table, writer);
  Bytes expected = {0x02, 0x03};
  // enum: code 0, no header lines, Visible, not Grouped, items A and B.
  expected = concat(expected, {0x02, 0x00, 0x01, 0x00, 0x09, 0x08, 0x01, 0x06, 1, 'A', 0x06, 1, 'B', 0x00});
  // string: code 4, default "x", width -2.0.
  expected = concat(expected, {0x02, 0x04, 0x01, 0x00, 0x09, 0x08, 0x06, 1, 'x', 0x05});
  expected = concat(expected, kExtendedMinusTwo);
  // table: code 3, "FLEXCOLUMN2", identifiers 7001 (0x1B59) and -1.
  expected = withText(concat(expected, {0x02, 0x03, 0x01, 0x00, 0x09, 0x08, 0x06, 11}), "FLEXCOLUMN2");
  expected = concat(expected, {0x01, 0x03, 0x59, 0x1B, 0x02, 0xFF, 0x00});
  EXPECT_EQ(writer.Bytes(), expected);
}

// ---------------------------------------------------------------------------------------------
// Column stream: round trips

TEST(ColumnStream, RoundTripsEveryColumnClassWithAllItsProperties) {
  TGridTable firstTemplate;
  firstTemplate.SetIdentifier(7101);
  TGridTable secondTemplate;
  secondTemplate.SetIdentifier(7102);

  TGridTable source;
  auto kinds = std::make_unique<TEnumColumn>();
  kinds->SetHeaderLines({"Soil", "type"});
  kinds->SetItems({"Sand", "Clay", "Rock"});
  source.AddColumn(std::move(kinds));
  auto count = std::make_unique<TIntColumn>();
  count->SetHeaderLines({"Nodes"});
  count->SetDefault(-200);
  count->SetMinimum(-40000);
  count->SetMaximum(70000);
  count->SetGrouped(true);
  source.AddColumn(std::move(count));
  auto top = std::make_unique<TFloatColumn>();
  top->SetHeaderLines({"Top"});
  top->SetTopDepth(true);
  top->SetUnitCode("L2");
  top->SetDefault(0.1L);
  source.AddColumn(std::move(top));
  auto bottom = std::make_unique<TFloatColumn>();
  bottom->SetVisible(false);
  bottom->SetDefault(-1234.5678L);
  source.AddColumn(std::move(bottom));
  auto layers = std::make_unique<TTableColumn>();
  layers->SetHeaderLines({"Parameters"});
  layers->Templates().AddIdentifier(7102);
  layers->Templates().AddIdentifier(7999);  // resolves to nothing
  layers->Templates().AddIdentifier(7101);
  source.AddColumn(std::move(layers));
  auto note = std::make_unique<TStringColumn>();
  note->SetDefaultText(std::string(260, 'n'));
  note->SetWidthInches(1.25L);
  source.AddColumn(std::move(note));

  ComponentWriter writer;
  WriteColumns(source, writer);

  // A table is read while it has no rows (a layer-top column cannot take cells before the
  // layer-bottom column after it exists); rows are added afterwards.
  TGridTable target;
  int notifications = 0;
  target.SetChangeNotification([&] { ++notifications; });
  ComponentReader reader(writer.Bytes());
  ReadColumns(target, reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_GT(notifications, 0);
  target.SetRowCount(2);

  ASSERT_EQ(target.ColumnCount(), 6);
  for (int i = 0; i < 6; ++i) {
    const TColumn& a = source.Column(i);
    const TColumn& b = target.Column(i);
    EXPECT_EQ(typeid(a), typeid(b)) << i;
    EXPECT_EQ(a.HeaderLines(), b.HeaderLines()) << i;
    EXPECT_EQ(a.Visible(), b.Visible()) << i;
    EXPECT_EQ(a.Grouped(), b.Grouped()) << i;
    EXPECT_EQ(b.CellCount(), 2) << i;
  }
  const auto& kindsRead = dynamic_cast<const TEnumColumn&>(target.Column(0));
  EXPECT_EQ(kindsRead.Items(), (std::vector<std::string>{"Sand", "Clay", "Rock"}));
  EXPECT_EQ(kindsRead.GetInt(1), 1);

  const auto& countRead = dynamic_cast<const TIntColumn&>(target.Column(1));
  EXPECT_EQ(countRead.Default(), -200);
  EXPECT_EQ(countRead.Minimum(), -40000);
  EXPECT_EQ(countRead.Maximum(), 70000);
  EXPECT_EQ(countRead.GetInt(0), -200);

  const auto& topRead = dynamic_cast<const TFloatColumn&>(target.Column(2));
  EXPECT_TRUE(topRead.TopDepth());
  EXPECT_EQ(topRead.UnitCode(), "L2");
  EXPECT_EQ(topRead.Default(), 0.1L);  // the extended encoding keeps every bit
  const auto& bottomRead = dynamic_cast<const TFloatColumn&>(target.Column(3));
  EXPECT_FALSE(bottomRead.TopDepth());
  EXPECT_EQ(bottomRead.UnitCode(), "");
  EXPECT_EQ(bottomRead.Default(), -1234.5678L);

  const auto& layersRead = dynamic_cast<const TTableColumn&>(target.Column(4));
  ASSERT_EQ(layersRead.Templates().Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(layersRead.Templates().Entry(i).byIdentifier) << i;
  EXPECT_EQ(layersRead.Templates().Entry(0).value, 7102);
  EXPECT_EQ(layersRead.Templates().Entry(1).value, -1);
  EXPECT_EQ(layersRead.Templates().Entry(2).value, 7101);
  EXPECT_EQ(layersRead.Templates().Resolve(0), &secondTemplate);
  EXPECT_EQ(layersRead.Templates().Resolve(1), nullptr);

  const auto& noteRead = dynamic_cast<const TStringColumn&>(target.Column(5));
  EXPECT_EQ(noteRead.DefaultText(), std::string(260, 'n'));
  EXPECT_EQ(noteRead.WidthInches(), 1.25L);
  EXPECT_EQ(noteRead.GetText(1), std::string(260, 'n'));

  // Writing what was read gives the same bytes again.
  ComponentWriter again;
  WriteColumns(target, again);
  EXPECT_EQ(again.Bytes(), writer.Bytes());
}

TEST(ColumnStream, RoundTripsATableWithoutColumns) {
  TGridTable empty;
  ComponentWriter writer;
  WriteColumns(empty, writer);
  EXPECT_EQ(writer.Bytes(), (Bytes{0x02, 0x00}));
  TGridTable target;
  ComponentReader reader(writer.Bytes());
  ReadColumns(target, reader);
  EXPECT_EQ(target.ColumnCount(), 0);
}

// ---------------------------------------------------------------------------------------------
// Column stream: old layouts

// The common part of a column with no header lines, Visible and not Grouped, after its code.
void writeColumnStart(ComponentWriter& writer, int code) {
  writer.WriteInteger(code);
  writer.WriteListBegin();
  writer.WriteListEnd();
  writer.WriteBoolean(true);
  writer.WriteBoolean(false);
}

TEST(ColumnStream, ReadsTheOldFloatLayoutWithTheUnitCodeAfterTopDepthAndNoDefault) {
  ComponentWriter writer;
  writer.WriteInteger(2);
  writeColumnStart(writer, 2);
  writer.WriteBoolean(true);
  writer.WriteString("L2");
  // The next column begins at once: nothing of the float column is left to read.
  writeColumnStart(writer, 1);
  writer.WriteInteger(4);
  writer.WriteInteger(1);
  writer.WriteInteger(9);

  TGridTable table;
  ComponentReader reader(writer.Bytes());
  ReadColumns(table, reader);
  EXPECT_TRUE(reader.AtEnd());
  ASSERT_EQ(table.ColumnCount(), 2);
  const auto& depth = dynamic_cast<const TFloatColumn&>(table.Column(0));
  EXPECT_TRUE(depth.TopDepth());
  EXPECT_EQ(depth.UnitCode(), "L2");
  EXPECT_EQ(depth.Default(), 0.0L);
  const auto& count = dynamic_cast<const TIntColumn&>(table.Column(1));
  EXPECT_EQ(count.Default(), 4);
  EXPECT_EQ(count.Maximum(), 9);
}

// A stream of an optional leading column (enum with `enumItems`, or an integer column) followed
// by one table column in the old layout with table position `position`.
Bytes oldTableColumnStream(const std::vector<std::string>& enumItems, bool leadingIsInt, int position) {
  ComponentWriter writer;
  const bool hasLeading = !enumItems.empty() || leadingIsInt;
  writer.WriteInteger(hasLeading ? 2 : 1);
  if (!enumItems.empty()) {
    writeColumnStart(writer, 0);
    writer.WriteListBegin();
    for (const std::string& item : enumItems) writer.WriteString(item);
    writer.WriteListEnd();
  } else if (leadingIsInt) {
    writeColumnStart(writer, 1);
    writer.WriteInteger(0);
    writer.WriteInteger(0);
    writer.WriteInteger(10);
  }
  writeColumnStart(writer, 3);
  writer.WriteString("FLEXCOLUMN");
  writer.WriteInteger(position);
  return writer.Bytes();
}

const TGridTableList& lastTemplates(const TGridTable& table) {
  return dynamic_cast<const TTableColumn&>(table.Column(table.ColumnCount() - 1)).Templates();
}

TEST(ColumnStream, ReadsTheOldTableLayoutAsOnePositionWhenTheTableHasNoColumns) {
  TGridTable table;
  const Bytes bytes = oldTableColumnStream({}, false, 5);
  ComponentReader reader(bytes);
  ReadColumns(table, reader);
  ASSERT_EQ(table.ColumnCount(), 1);
  const TGridTableList& templates = lastTemplates(table);
  ASSERT_EQ(templates.Count(), 1);
  EXPECT_FALSE(templates.Entry(0).byIdentifier);
  EXPECT_EQ(templates.Entry(0).value, 5);
}

TEST(ColumnStream, ReadsTheOldTableLayoutAsIdentifiersOneToKAfterAnEnumColumn) {
  TGridTable table;
  const Bytes bytes = oldTableColumnStream({"a", "b", "c"}, false, 5);
  ComponentReader reader(bytes);
  ReadColumns(table, reader);
  ASSERT_EQ(table.ColumnCount(), 2);
  const TGridTableList& templates = lastTemplates(table);
  ASSERT_EQ(templates.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(templates.Entry(i).byIdentifier) << i;
    EXPECT_EQ(templates.Entry(i).value, i + 1) << i;
  }
}

TEST(ColumnStream, ReadsTheOldTableLayoutAsKTimesThePositionWhenTheButtonIsHardwired) {
  TGridTable table;
  table.SetHardwiredButton(true);
  const Bytes bytes = oldTableColumnStream({"a", "b", "c"}, false, 5);
  ComponentReader reader(bytes);
  ReadColumns(table, reader);
  const TGridTableList& templates = lastTemplates(table);
  ASSERT_EQ(templates.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(templates.Entry(i).byIdentifier) << i;
    EXPECT_EQ(templates.Entry(i).value, 5) << i;
  }
}

TEST(ColumnStream, ReadsTheOldTableLayoutAsOnePositionAfterAColumnThatIsNoEnum) {
  TGridTable table;
  table.SetHardwiredButton(true);
  const Bytes bytes = oldTableColumnStream({}, true, 12);
  ComponentReader reader(bytes);
  ReadColumns(table, reader);
  const TGridTableList& templates = lastTemplates(table);
  ASSERT_EQ(templates.Count(), 1);
  EXPECT_FALSE(templates.Entry(0).byIdentifier);
  EXPECT_EQ(templates.Entry(0).value, 12);
}

// ---------------------------------------------------------------------------------------------
// Column stream: broken streams

TEST(ColumnStream, ReportsAMissingColumnCount) {
  TGridTable table;
  const Bytes empty;
  expectMessage<TableError>([&] { ComponentReader r(empty); ReadColumns(table, r); }, "Error reading column count");
  const Bytes notAnInteger = {0x06, 0x00};
  expectMessage<TableError>([&] { ComponentReader r(notAnInteger); ReadColumns(table, r); },
                            "Error reading column count");
  EXPECT_EQ(table.ColumnCount(), 0);
}

TEST(ColumnStream, ReportsAnUnknownColumnCodeKeepingTheColumnsBeforeIt) {
  ComponentWriter writer;
  writer.WriteInteger(2);
  writeColumnStart(writer, 4);
  writer.WriteString("d");
  writer.WriteFloat(1.0L);
  writeColumnStart(writer, 9);

  TGridTable table;
  table.SetRowCount(3);
  expectMessage<TableError>([&] { ComponentReader r(writer.Bytes()); ReadColumns(table, r); },
                            "Error occured when creating column 1: Error Column Class not defined");
  ASSERT_EQ(table.ColumnCount(), 1);
  EXPECT_EQ(table.Column(0).GetText(2), "d");
}

TEST(ColumnStream, ReportsATruncatedStreamWithTheIndexOfTheHalfMadeColumn) {
  TGridTable source;
  auto count = std::make_unique<TIntColumn>();
  count->SetMaximum(500);
  source.AddColumn(std::move(count));
  auto depth = std::make_unique<TFloatColumn>();
  depth->SetUnitCode("L2");
  source.AddColumn(std::move(depth));
  ComponentWriter writer;
  WriteColumns(source, writer);
  const Bytes& full = writer.Bytes();

  // Column 0 takes the bytes after the count (2) up to the end of its maximum: code 2, empty
  // list 2, flags 2, default 2, minimum 5, maximum 3.
  const std::size_t firstColumnEnd = 2 + 2 + 2 + 2 + 2 + 5 + 3;
  for (std::size_t length = 2; length < full.size(); ++length) {
    const Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
    TGridTable table;
    const int complete = length >= firstColumnEnd ? 1 : 0;
    expectMessage<TableError>([&] { ComponentReader r(prefix); ReadColumns(table, r); },
                              "Error occured when creating column " + std::to_string(complete) +
                                  ": Stream read error");
    EXPECT_EQ(table.ColumnCount(), complete) << length;
  }
}

TEST(ColumnStream, ReportsAFieldOfTheWrongType) {
  ComponentWriter writer;
  writer.WriteInteger(1);
  writeColumnStart(writer, 1);
  writer.WriteString("not a number");
  TGridTable table;
  expectMessage<TableError>([&] { ComponentReader r(writer.Bytes()); ReadColumns(table, r); },
                            "Error occured when creating column 0: Invalid property value");
  EXPECT_EQ(table.ColumnCount(), 0);
}

}  // namespace
}  // namespace korvex
