// libFuzzer target: arbitrary bytes opened by the desktop program's project reader as each of
// the four kinds of data file, converted to a unit system as `korvex convert --units` does (one
// of the three, chosen by the input, so the file's own system, which converts nothing, comes up
// as often as the others), saved as the current kind and opened again.
//
// Whatever the bytes, these must hold, or the harness aborts so that libFuzzer keeps the input:
// - reading never throws, and a read that stops says why in one of the reader's own messages
//   ("This file either invalid or incomplete.", or "Error on Line N Item M" over one of the
//   expected-word messages, N a line of the file and M at least 1);
// - after reading, also after an error, every plain table has at least its MinRows rows and
//   the project is unmodified;
// - a save is refused only for a number the conversions took beyond the range of numbers, and
//   then only when the file holds a number within a factor 1E32 of the largest there is;
// - what was read survives a save: the saved text reads back whole, without an error or a note,
//   and saving it again gives the same bytes. A read that stopped part way may leave switches
//   and modes that no whole file gives (external p-y curves on with the curve count never read,
//   an earth-pressure mode of 0 read before the p-y mode), which the first reopening settles,
//   with a note where the file says something the project cannot hold; from there on saving and
//   reopening change nothing.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

#include "app/program_data.h"
#include "app/project_reader.h"
#include "app/project_tables.h"
#include "app/project_writer.h"
#include "app/word_reader.h"
#include "entry/unit_codes.h"
#include "fuzz/token_mutator.h"
#include "tables/catalogue.h"

namespace {

using namespace korvex;

[[noreturn]] void fail(const std::string& what, const std::string& detail) {
  std::fprintf(stderr, "fuzz_project_reader: %s\n%s\n", what.c_str(), detail.c_str());
  std::abort();
}

int lineCountOf(std::string_view text) {
  int lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lines;
  }
  return lines;
}

// Whether `error` is one of the reader's messages for a file of `lines` lines: "Error on Line N
// Item M\r" and what was expected, or the message of a file that ends early.
bool isReaderMessage(const std::string& error, int lines) {
  if (error == kIncompleteFile) return true;
  constexpr std::string_view kLine = "Error on Line ";
  constexpr std::string_view kItem = " Item ";
  if (!error.starts_with(kLine)) return false;
  std::size_t at = kLine.size();
  const auto number = [&](long long& value) {
    const std::size_t start = at;
    value = 0;
    while (at < error.size() && error[at] >= '0' && error[at] <= '9' && at - start < 12) value = value * 10 + (error[at++] - '0');
    return at > start;
  };
  long long line = 0;
  long long item = 0;
  if (!number(line) || error.compare(at, kItem.size(), kItem) != 0) return false;
  at += kItem.size();
  if (!number(item) || at >= error.size() || error[at] != '\r') return false;
  const std::string_view expected = std::string_view(error).substr(at + 1);
  const bool known = expected == "A floating point number was expected but not found." ||
                     expected == "An integer was expected but not found." ||
                     expected == "The soil type must be a whole number from 1 to 7." ||
                     expected == "The number is too large for its unit.";
  return known && line >= 1 && line <= lines && item >= 1;
}

// Whether a word of `text` is a number within a factor 1E32 of the largest extended number: no
// chain of the unit conversions (factors up to 1E6 on reading, 224.8 and 39.37 between unit
// systems, 12 on writing) takes a smaller one beyond the range.
bool holdsANumberNearTheLargest(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && static_cast<unsigned char>(text[at]) <= ' ') ++at;
    std::size_t end = at;
    while (end < text.size() && static_cast<unsigned char>(text[end]) > ' ') ++end;
    std::string_view word = text.substr(at, end - at);
    at = end;
    if (word.starts_with('+')) word.remove_prefix(1);
    long double value = 0;
    const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error == std::errc() && stop != word.data() && std::isfinite(value) && std::fabs(value) >= 1E+4900L) return true;
  }
  return false;
}

enum class Notes { Allowed, Refused };

// The saved text `saved` opened and saved again; it must read whole.
std::string reopenAndSave(const std::string& saved, const std::string& what, Notes notes) {
  const Catalogue catalogue = createCatalogue();
  ProjectTables tables(catalogue);
  ProjectReadResult reread = ReadDataText(saved, kCurrentKind, tables);
  if (!reread.error.empty()) fail("a saved project does not read back (" + what + "): " + reread.error, saved);
  if (notes == Notes::Refused && !reread.notes.empty())
    fail("a saved project reads back with a note (" + what + "): " + reread.notes.front(), saved);
  return DataFileText(reread.data, tables);
}

// The text of `text` opened as `kind`, checked, converted to `units` and saved; empty when the
// save is refused, as it may be for a number too large. The tables live only while it runs:
// the main window holds one set of tables, and the table registry is searched through them all.
std::string openAndSave(const std::string& text, int kind, int units, const std::string& what, bool& whole) {
  const Catalogue catalogue = createCatalogue();
  ProjectTables tables(catalogue);
  ProjectReadResult read = ReadDataText(text, kind, tables);
  if (!read.error.empty() && !isReaderMessage(read.error, lineCountOf(text)))
    fail("a read stopped without one of the reader's messages (" + what + ")", read.error);
  for (const TGridTable* table : tables.Plain()) {
    if (table->RowCount() < table->MinRows()) fail("a table has fewer than MinRows rows (" + what + ")", table->Caption());
  }
  if (read.data.IsModified(tables)) fail("a project just read counts as modified", what);
  whole = read.error.empty();

  read.data.SetUnits(units, tables);
  try {
    return DataFileText(read.data, tables);
  } catch (const ProjectWriteError& refused) {
    if (std::string_view(refused.what()) != kNumberTooLargeToSave || !holdsANumberNearTheLargest(text))
      fail("a save was refused (" + what + "): " + refused.what(), text);
    return "";
  }
}

// One open of `text` as `kind`, converted to `units`, then saved and opened again.
void openSaveAndReopen(const std::string& text, int kind, int units) {
  const std::string what = "kind " + std::to_string(kind) + ", converted to units " + std::to_string(units);
  bool whole = false;
  const std::string saved = openAndSave(text, kind, units, what, whole);
  if (saved.empty()) return;
  if (whole) {
    if (reopenAndSave(saved, what, Notes::Refused) != saved)
      fail("saving a reopened project changes the file (" + what + ")", saved);
    return;
  }
  const std::string settled = reopenAndSave(saved, what, Notes::Allowed);
  if (reopenAndSave(settled, what, Notes::Refused) != settled)
    fail("saving a project reopened twice changes the file (" + what + ")", settled);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (int kind = kCurrentKind; kind <= kVersion2Kind; ++kind) {
    const int units = kEnglishUnits + static_cast<int>((size + static_cast<std::size_t>(kind)) % 3);
    openSaveAndReopen(text, kind, units);
  }
  return 0;
}
