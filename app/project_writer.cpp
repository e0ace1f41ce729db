#include "app/project_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <random>
#include <vector>

#include "app/soil_parameter_layout.h"
#include "app/system_error_text.h"
#include "entry/number_format.h"
#include "entry/unit_codes.h"

namespace korvex {

namespace {

constexpr char kTab = '\t';
constexpr char kSpace = ' ';
constexpr char kNothing = '\0';

// A number in the G8 form of the file. A value beyond the range of numbers (one a change of unit
// system took there) has no such form, and the file is not written.
std::string fileNumber(long double value) {
  if (!std::isfinite(value)) throw ProjectWriteError(kNumberTooLargeToSave);
  return formatG8(value);
}

// One line of the file, value by value, each followed by the separator the layout gives it.
class FileLine {
 public:
  FileLine& add(const std::string& value, char separator = kTab) {
    m_text += value;
    if (separator != kNothing) m_text += separator;
    return *this;
  }
  FileLine& add(int value, char separator = kTab) { return add(std::to_string(value), separator); }
  FileLine& addG8(long double value, char separator = kTab) { return add(fileNumber(value), separator); }
  // A value that ends the line: followed by nothing.
  FileLine& last(const std::string& value) { return add(value, kNothing); }
  FileLine& last(int value) { return add(value, kNothing); }
  FileLine& lastG8(long double value) { return addG8(value, kNothing); }
  const std::string& text() const { return m_text; }

 private:
  std::string m_text;
};

class DataFileWriter {
 public:
  DataFileWriter(TProgramData& data, ProjectTables& tables) : d(data), t(tables) {}

  std::string write() {
    d.LongTermCode = d.LongTerm ? kLongTermContinuation : 0;
    writeBlock(d.EarthPressureChoice, false, d.Title);
    line(FileLine().last(d.LongTermCode));
    if (d.LongTermCode == kLongTermContinuation) {
      // A trapezoidal choice is written as triangular in the long-term block.
      writeBlock(d.EarthPressureChoice == kTrapezoidalPressure ? kTriangularPressure : d.EarthPressureChoice, true,
                 d.Title);
      line(FileLine().last(0));
      // The short-term block's modes are the project's.
      d.DeriveModes(t);
    }
    return m_text;
  }

  std::string writeStage() {
    const int stage = d.CurrentStage;
    writeBlock(d.EarthPressureChoice, false, stage == 1 ? d.Title : StageTitle(stage));
    line(FileLine().last(stage));
    return m_text;
  }

 private:
  void line(const FileLine& l) { m_text += l.text() + "\r\n"; }

  bool english() const { return d.UnitSystem == kEnglishUnits; }
  // Table lengths in ft (English) written in inches.
  long double feetToFile(long double value) const { return english() ? value * 12 : value; }

  // The rows written of a table an option switches: all when the option is on, none when it is
  // off. The project keeps the rows of a switched-off option, so switching it on brings them back.
  static int rowsWritten(const TGridTable& table, bool switchedOn) { return switchedOn ? table.RowCount() : 0; }

  static std::string cellText(const TGridTable& table, int col, int row) {
    const TColumn& column = table.Column(col);
    if (dynamic_cast<const TFloatColumn*>(&column) != nullptr) return fileNumber(column.GetFloat(row));
    return column.GetText(row);
  }

  // The row's cells of `columns`, TAB between them.
  void tableRow(const TGridTable& table, int row, std::initializer_list<int> columns) {
    FileLine l;
    std::size_t i = 0;
    for (int col : columns) l.add(cellText(table, col, row), ++i < columns.size() ? kTab : kNothing);
    line(l);
  }

  void writeBlock(int choice, bool longTermBlock, const std::string& title) {
    d.DeriveModes(t, choice);
    line(FileLine().last(title));
    line(FileLine()
             .add(d.UnitSystem, kSpace)
             .add(rowsWritten(t.Soillayer, d.ApplyRestraints))
             .add(t.PileSect.RowCount())
             .add(rowsWritten(t.PYMod, d.ApplyPYMod))
             .add(d.EarthPressureMode)
             .add(d.PYCurveMode, kSpace)
             .add(rowsWritten(t.PYCurves2, d.ApplyExternalPY), kSpace)
             .add(d.StageCount, kSpace)
             .add(d.EICurveCount, kSpace)
             .last(d.TiebackCount));
    line(FileLine()
             .add(d.NumIncrements, kSpace)
             .addG8(d.IncrementLength)
             .addG8(d.MaxDeflection)
             .addG8(d.ClosureTolerance)
             .addG8(d.FreeHeight)
             .lastG8(d.ActiveWidth));
    for (int r = 0; r < rowsWritten(t.Soillayer, d.ApplyRestraints); ++r) tableRow(t.Soillayer, r, {0, 1, 2, 3});
    writeWallSections();
    const int loads = rowsWritten(t.BoundCond, d.ApplyConcLoads);
    line(FileLine().last(loads));
    for (int r = 0; r < loads; ++r) tableRow(t.BoundCond, r, {0, 1, 2, 3, 4, 5});
    const int springs = rowsWritten(t.SoilStrength, d.ApplySprings);
    line(FileLine().last(springs));
    for (int r = 0; r < springs; ++r) tableRow(t.SoilStrength, r, {1, 2, 0, 3, 4});
    writeTiebacks();
    for (int r = 0; r < rowsWritten(t.PYMod, d.ApplyPYMod); ++r) {
      line(FileLine()
               .addG8(feetToFile(t.PYMod.Column(0).GetFloat(r)))
               .add(cellText(t.PYMod, 1, r))
               .last(cellText(t.PYMod, 2, r)));
    }
    if (d.EarthPressureMode == kUserPressure) writeDistributedLoads(longTermBlock ? t.LongDist : t.DistLoad);
    if (d.EarthPressureMode >= 2 || d.PYCurveMode == 2) writeSoilData(longTermBlock);
    writeUserCurves();
    writeMomentEICurves();
  }

  void writeWallSections() {
    TGridTable& sections = t.PileSect;
    // The last section is always constant: there is no next line to interpolate to.
    if (sections.RowCount() > 0) sections.Column(2).SetInt(sections.RowCount() - 1, 1);
    for (int r = 0; r < sections.RowCount(); ++r) tableRow(sections, r, {0, 1, 2, 3});
  }

  void writeTiebacks() {
    const TGridTable& tiebacks = t.TiebackTable1;
    const bool si = tiebacks.Units() == kSIUnits;
    for (int r = 0; r < rowsWritten(tiebacks, d.ApplyTieback); ++r) {
      FileLine l;
      l.add(cellText(tiebacks, 0, r));
      // The area is shown in mm^2 in SI and written in m^2.
      const long double area = tiebacks.Column(1).GetFloat(r);
      l.addG8(si ? area / 1000000.0L : area);
      for (int col = 2; col <= 5; ++col) l.add(cellText(tiebacks, col, r));
      line(l.last(cellText(tiebacks, 6, r)));
    }
  }

  void writeDistributedLoads(const TGridTable& loads) {
    line(FileLine().last(loads.RowCount()));
    for (int r = 0; r < loads.RowCount(); ++r) {
      // Depth in ft and load in lb/ft on screen; inches and lb/in in the file.
      const long double load = loads.Column(1).GetFloat(r);
      line(FileLine().addG8(feetToFile(loads.Column(0).GetFloat(r))).lastG8(english() ? load / 12 : load));
    }
  }

  void writeSoilData(bool longTermBlock) {
    line(FileLine()
             .addG8(d.FreeHeight)
             .addG8(d.ActiveWidth)
             .addG8(d.PYWidth)
             .addG8(d.WaterDepthBackfill)
             .addG8(d.WaterDepthExcavation)
             .addG8(d.ActiveFactor)
             .add(d.WaterPressureOption)
             .lastG8(d.BackfillSlope));
    line(FileLine()
             .addG8(d.TopSurcharge)
             .addG8(d.Legacy.LegacyDistance)
             .addG8(d.Legacy.LegacyPointLoad)
             .addG8(d.Legacy.LegacyLineLoad)
             .addG8(d.Legacy.LegacyStripLoad)
             .lastG8(d.Legacy.LegacyStripWidth));
    const int surcharges = rowsWritten(t.SurchargeTable, d.ApplySurcharge);
    line(FileLine().last(surcharges));
    for (int r = 0; r < surcharges; ++r) tableRow(t.SurchargeTable, r, {0, 1, 2, 3});

    TGridTable& layers = longTermBlock ? t.LongSoil : t.NewSoil;
    line(FileLine().last(layers.RowCount()));
    for (int r = 0; r < layers.RowCount(); ++r) {
      const int type = layers.GetInt(0, r);
      line(FileLine().add(type, kSpace).addG8(feetToFile(layers.Column(1).GetFloat(r)), kSpace));
      const TGridTable* parameters = layers.Column(2).GetTable(r);
      const SoilValueLayout* layout = soilValueLayout(type);
      for (int p = 0; p < 2; ++p) {
        FileLine values;
        for (int i = 0; i < kSoilValuesPerLine; ++i) {
          const SoilValueSlot slot = layout != nullptr ? (*layout)[static_cast<std::size_t>(i)] : SoilValueSlot{};
          if (slot.column < 0 || parameters == nullptr || p >= parameters->RowCount() ||
              (longTermBlock && slot.isCoefficientK)) {
            values.add(kNoSoilValue, kNothing);
            continue;
          }
          long double value = parameters->Column(slot.column).GetFloat(p);
          if (english()) value /= soilScaleDivisor(slot.scale);
          values.addG8(value, kSpace);
        }
        line(values);
      }
    }
  }

  void writeUserCurves() {
    const TGridTableChart& curves = t.PYCurves2;
    for (int r = 0; r < rowsWritten(curves, d.ApplyExternalPY); ++r) {
      const TGridTable* points = curves.Column(1).GetTable(r);
      const int count = points != nullptr ? points->RowCount() : 0;
      line(FileLine()
               .add(cellText(curves, 0, r))
               .add(count)
               .add(cellText(curves, 2, r))
               .last(cellText(curves, 3, r)));
      for (int p = 0; p < count; ++p) tableRow(*points, p, {0, 1});
    }
  }

  void writeMomentEICurves() {
    const TGridTableChart& sections = t.MEICurves2;
    for (int r = 0; r < rowsWritten(sections, d.ApplyEICurves); ++r) {
      const TGridTable* points = sections.Column(2).GetTable(r);
      const int count = points != nullptr ? points->RowCount() : 0;
      line(FileLine().add(cellText(sections, 0, r)).add(cellText(sections, 1, r)).last(count));
      for (int p = 0; p < count; ++p) tableRow(*points, p, {0, 1});
    }
  }

  TProgramData& d;
  ProjectTables& t;
  std::string m_text;
};

// The file a save replaces: `path` itself, or the file its symbolic links lead to, so that
// saving through a link replaces the linked file and the link stays a link. A link that leads
// nowhere yet gets its file created.
std::filesystem::path fileBehindLinks(const std::filesystem::path& path) {
  constexpr int kMostLinksFollowed = 40;  // as the system follows at most 40 links in one path
  std::filesystem::path file = path;
  for (int followed = 0;; ++followed) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) return file;
    if (followed == kMostLinksFollowed) throw ProjectWriteError(systemErrorText("Cannot create file", path, ELOOP));
    const std::filesystem::path link = std::filesystem::read_symlink(file, error);
    if (error) throw ProjectWriteError(systemErrorText("Cannot create file", path, error.value()));
    file = link.is_absolute() ? link : file.parent_path() / link;
  }
}

}  // namespace

std::string formatG8(long double value) { return formatGeneral(value, 8, kFileSmallestFixedExponent); }

std::string DataFileText(TProgramData& data, ProjectTables& tables) { return DataFileWriter(data, tables).write(); }

std::string StageTitle(int stage) { return " Stage No : " + std::to_string(stage); }

std::string StageBlockText(TProgramData& data, ProjectTables& tables) {
  return DataFileWriter(data, tables).writeStage();
}

void WriteDataFile(TProgramData& data, ProjectTables& tables) {
  WriteFileSafely(data.FileName, DataFileText(data, tables));
  data.SetModified(false, tables);
}

void WriteFileSafely(const std::filesystem::path& path, const std::string& text) {
  const std::filesystem::path target = fileBehindLinks(path);
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::random_device random;
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = folder / ("." + target.filename().string() + ".saving-" + std::to_string(random() % 1000000));
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw ProjectWriteError(systemErrorText("Cannot create file", path, errno));

  const auto abandon = [&](const char* what) {
    const int error = errno;
    ::close(fd);
    ::unlink(temporary.c_str());
    throw ProjectWriteError(systemErrorText(what, path, error));
  };
  // A file that is replaced keeps its permissions.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) abandon("Cannot write file");
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon("Cannot write file");
    }
    written += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) abandon("Cannot write file");
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw ProjectWriteError(systemErrorText("Cannot write file", path, error));
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw ProjectWriteError(systemErrorText("Cannot replace file", path, error));
  }
}

}  // namespace korvex
