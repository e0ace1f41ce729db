#include "app/project_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <functional>
#include <utility>

#include "app/soil_parameter_layout.h"
#include "app/word_reader.h"
#include "entry/number_format.h"
#include "entry/unit_codes.h"

namespace korvex {

namespace {

// The active-earth-pressure factor of old files' "use the default" entry.
constexpr long double kOldDefaultActiveFactor = 0.036L;

constexpr const char* kSoilTypeExpected = "The soil type must be a whole number from 1 to 7.";
constexpr const char* kNumberTooLargeForItsUnit = "The number is too large for its unit.";

class DataFileReader {
 public:
  DataFileReader(TWordReader& words, int kind, ProjectTables& tables, TProgramData& data,
                 std::vector<std::string>& notes)
      : r(words), m_kind(kind), t(tables), d(data), m_notes(notes) {}

  // The project's blocks: the first block, and the long-term block when its continuation asks
  // for one. A staged file's later blocks are its stages, which the project holds in stage
  // files: they are left to the stage files' reader.
  void read() {
    readBlock(false);
    if (m_kind == kVersion2Kind) return;
    d.LongTermCode = r.ReadInteger();
    if (d.LongTermCode != kLongTermContinuation) {
      m_laterStages = d.StageCount > 1;
      keepStageCountInRange();
      return;
    }
    d.LongTerm = true;
    r.ReadLine();
    const int stageCount = d.StageCount;
    const int shortTermChoice = d.EarthPressureChoice;
    const BlockSnapshot shortTerm = snapshot();
    readBlock(true);
    noteReplacedShortTermData(shortTerm);
    // The long-term block writes a trapezoidal choice as triangular; the choice is the
    // short-term block's.
    if (shortTermChoice == kTrapezoidalPressure && d.EarthPressureChoice == kTriangularPressure)
      d.EarthPressureChoice = kTrapezoidalPressure;
    r.ReadInteger();
    if (stageCount > 1) {
      note("The file's control line names " + std::to_string(stageCount) +
           " construction stages, but a long-term block follows its first block; the project holds it as a "
           "short-term and long-term analysis of one stage.");
    }
    d.StageCount = 1;
  }

  // One stage block and its continuation line.
  void readStageBlock() {
    readBlock(false);
    r.ReadInteger();
  }

  // The blocks of a staged file one after another, as the engine reads them: each ends with its
  // continuation line, and the file ends after a continuation of 0 or of the block's stage
  // count, or where nothing follows. More than `mostBlocks` blocks end the reading.
  BlockEnds continuationLines(int mostBlocks) {
    BlockEnds ends;
    while (static_cast<int>(ends.lines.size()) <= mostBlocks) {
      readBlock(false);
      const int continuation = r.ReadInteger();
      ends.lines.push_back(r.LineNumber());
      r.ReadLine();
      if (continuation == 0 || continuation == d.StageCount || r.RemainingWords() == 0) break;
    }
    ends.moreFollows = r.RemainingWords() > 0;
    return ends;
  }

  // After the last block: anything left in the file is not part of the project, except the
  // later stages of a staged file.
  void noteTrailingData() {
    if (m_laterStages) return;
    if (const long long words = r.RemainingWords(); words > 0) {
      note("The file holds " + std::to_string(words) +
           " more values after the blocks the project reads (from line " + std::to_string(r.LineNumber() + 1) +
           "); they are not part of the project.");
    }
  }

 private:
  // What the short-term block put into the values both blocks share, to tell whether the
  // long-term block, which replaces them, says something else.
  struct BlockSnapshot {
    std::string title;
    std::string scalars;
    std::vector<std::pair<std::string, std::string>> tables;  // caption, cells
  };

  std::vector<TGridTable*> sharedTables() const {
    return {&t.PileSect, &t.Soillayer, &t.BoundCond,    &t.SoilStrength, &t.TiebackTable1,
            &t.PYMod,    &t.SurchargeTable, &t.PYCurves2, &t.MEICurves2};
  }

  static std::string cells(const TGridTable& table) {
    std::string text = std::to_string(table.RowCount()) + ":";
    for (int row = 0; row < table.RowCount(); ++row) {
      for (int col = 0; col < table.ColumnCount(); ++col) {
        const TColumn& column = table.Column(col);
        if (dynamic_cast<const TTableColumn*>(&column) != nullptr) {
          const TGridTable* sub = column.GetTable(row);
          text += "[" + (sub != nullptr ? cells(*sub) : std::string()) + "]";
        } else {
          text += column.GetText(row) + ",";
        }
      }
      text += ";";
    }
    return text;
  }

  BlockSnapshot snapshot() const {
    BlockSnapshot s;
    s.title = d.Title;
    for (long double value : {d.IncrementLength, d.MaxDeflection, d.ClosureTolerance, d.FreeHeight, d.ActiveWidth,
                              d.PYWidth, d.WaterDepthBackfill, d.WaterDepthExcavation, d.ActiveFactor, d.BackfillSlope,
                              d.TopSurcharge}) {
      s.scalars += formatGeneral(value, kEntryDigits) + ",";
    }
    s.scalars += std::to_string(d.NumIncrements) + "," + std::to_string(d.WaterPressureOption);
    for (const TGridTable* table : sharedTables()) s.tables.emplace_back(table->Caption(), cells(*table));
    return s;
  }

  void noteReplacedShortTermData(const BlockSnapshot& shortTerm) {
    const BlockSnapshot longTerm = snapshot();
    std::vector<std::string> differing;
    if (longTerm.title != shortTerm.title) differing.push_back("title");
    if (longTerm.scalars != shortTerm.scalars) differing.push_back("wall and soil settings");
    for (std::size_t i = 0; i < shortTerm.tables.size(); ++i) {
      if (longTerm.tables[i].second != shortTerm.tables[i].second) differing.push_back(shortTerm.tables[i].first);
    }
    if (differing.empty()) return;
    std::string list;
    for (std::size_t i = 0; i < differing.size(); ++i) list += (i > 0 ? ", " : "") + differing[i];
    note("These values of the long-term block differ from the short-term block's: " + list +
         ". The project holds one set for both analyses, the long-term block's.");
  }

  // A project holds one to five stages: a file of no stages (0) is a file of one, and a file
  // of more than five is held as five, which its blocks then do not match.
  void keepStageCountInRange() {
    if (d.StageCount > kMostStages) {
      note("The file's control line names " + std::to_string(d.StageCount) +
           " construction stages; the project holds at most " + std::to_string(kMostStages) + ".");
    }
    d.StageCount = std::clamp(d.StageCount, 1, kMostStages);
  }

  bool english() const { return d.UnitSystem == kEnglishUnits; }
  long double fileToFeet(long double value) const { return english() ? value / 12 : value; }

  // A row count: a negative count holds no rows. The table gets the count's rows and is filled
  // as far as the file goes, so a file that ends early keeps the rows it holds. Only a count no
  // data file can hold ends the read at once, before it fills memory with empty rows.
  int readCount() {
    const int count = r.ReadInteger();
    if (count > kMostRowsInADataFile) throw ProjectReadError(kIncompleteFile);
    return std::max(count, 0);
  }

  void setInt(TGridTable& table, int col, int row) { table.Column(col).SetInt(row, r.ReadInteger()); }
  void setFloat(TGridTable& table, int col, int row) { table.Column(col).SetFloat(row, r.ReadFloat()); }

  void readBlock(bool longTermBlock) {
    d.Title = r.ReadLine();
    readControlLine(longTermBlock);
    readWallLine();
    if (d.ApplyRestraints) {
      for (int row = 0; row < t.Soillayer.RowCount(); ++row) {
        setInt(t.Soillayer, 0, row);
        setInt(t.Soillayer, 1, row);
        setFloat(t.Soillayer, 2, row);
        setFloat(t.Soillayer, 3, row);
      }
    }
    for (int row = 0; row < t.PileSect.RowCount(); ++row) {
      for (int col : {0, 1, 2}) setInt(t.PileSect, col, row);
      setFloat(t.PileSect, 3, row);
    }
    const int loads = readCount();
    t.BoundCond.SetRowCount(loads);
    d.ApplyConcLoads = loads > 0;
    for (int row = 0; row < loads; ++row) {
      for (int col : {0, 1, 2}) setInt(t.BoundCond, col, row);
      for (int col : {3, 4, 5}) setFloat(t.BoundCond, col, row);
    }
    const int springs = readCount();
    t.SoilStrength.SetRowCount(springs);
    d.ApplySprings = springs > 0;
    for (int row = 0; row < springs; ++row) {
      for (int col : {1, 2, 0}) setInt(t.SoilStrength, col, row);
      for (int col : {3, 4}) setFloat(t.SoilStrength, col, row);
    }
    if (m_kind == kCurrentKind) readTiebacks();
    for (int row = 0; row < t.PYMod.RowCount(); ++row) {
      t.PYMod.Column(0).SetFloat(row, fileToFeet(r.ReadFloat()));
      setFloat(t.PYMod, 1, row);
      setFloat(t.PYMod, 2, row);
    }
    if (t.PYMod.RowCount() == 0) d.ApplyPYMod = false;
    if (d.EarthPressureMode == kUserPressure) readDistributedLoads(longTermBlock ? t.LongDist : t.DistLoad);
    if (d.EarthPressureMode > 1 || d.PYCurveMode > 1) readSoilData(longTermBlock);
    readUserCurves();
    if (d.ApplyEICurves) readMomentEICurves();
  }

  void readControlLine(bool longTermBlock) {
    d.SetUnits(r.ReadInteger(), t);
    const int restraints = readCount();
    t.Soillayer.SetRowCount(restraints);
    d.ApplyRestraints = restraints > 0;
    t.PileSect.SetRowCount(readCount());
    const int modifications = readCount();
    t.PYMod.SetRowCount(modifications);
    d.ApplyPYMod = modifications > 0;
    d.EarthPressureMode = r.ReadInteger();
    d.EarthPressureChoice = d.EarthPressureMode;
    d.PYCurveMode = r.ReadInteger();

    // The switches follow from the modes.
    d.SoilEarthPressure = longTermBlock ? d.EarthPressureMode == 2 : d.EarthPressureMode > 1;
    d.GeneratePYCurves = d.PYCurveMode == 2 && d.EarthPressureMode != 0 ? 1 : 0;
    if (d.PYCurveMode == 2 && d.EarthPressureMode == 0) {
      note("The file asks for generated p-y curves without earth pressure (EarthPressureMode 0); "
           "the project holds that as p-y curve generation switched off.");
    }
    if (d.EarthPressureMode == kUserPressure) {
      d.SoilEarthPressure = false;
      d.UserEarthPressure = true;
    } else {
      d.UserEarthPressure = false;
    }
    d.ApplyExternalPY = d.PYCurveMode == 1;
    // A long-term block follows only when the short-term block asked for it.
    if (!longTermBlock) d.LongTerm = false;

    const int curves = readCount();
    t.PYCurves2.SetRowCount(curves);
    if (curves > 0) d.ApplyExternalPY = true;
    if (m_kind != kVersion2Kind) d.StageCount = r.ReadInteger();
    if (m_kind == kCurrentKind || m_kind == kPreviousKind) {
      d.EICurveCount = readCount();
      t.MEICurves2.SetRowCount(d.EICurveCount);
      d.ApplyEICurves = d.EICurveCount > 0;
    }
    if (m_kind == kCurrentKind) {
      d.TiebackCount = readCount();
      t.TiebackTable1.SetRowCount(d.TiebackCount);
      d.ApplyTieback = d.TiebackCount > 0;
    }
  }

  void readWallLine() {
    d.NumIncrements = r.ReadInteger();
    d.IncrementLength = r.ReadFloat();
    d.MaxDeflection = r.ReadFloat();
    d.ClosureTolerance = r.ReadFloat();
    d.FreeHeight = r.ReadFloat();
    // The current kind's wall line ends with the active width. It is kept even when no soil
    // data follow: the tiebacks' stiffness and prestress are scaled by it.
    if (m_kind == kCurrentKind) d.ActiveWidth = r.ReadFloat();
  }

  void readTiebacks() {
    TGridTable& tiebacks = t.TiebackTable1;
    for (int row = 0; row < tiebacks.RowCount(); ++row) {
      for (int col = 0; col <= 5; ++col) {
        const long double value = r.ReadFloat();
        // The file holds the area in m^2; the table shows mm^2 in SI.
        const bool areaInSquareMetres = col == 1 && tiebacks.Units() == kSIUnits;
        tiebacks.Column(col).SetFloat(row, areaInSquareMetres ? converted(value * 1000000.0L) : value);
      }
      // Rows of six values have no prestressing force.
      if (r.WordCount() > 6) setFloat(tiebacks, 6, row);
    }
  }

  void readDistributedLoads(TGridTable& loads) {
    const int rows = readCount();
    loads.SetRowCount(rows);
    d.EarthPressureChoice = kUserPressure;
    d.UserEarthPressure = rows >= 1;
    for (int row = 0; row < rows; ++row) {
      loads.Column(0).SetFloat(row, fileToFeet(r.ReadFloat()));
      const long double load = r.ReadFloat();
      loads.Column(1).SetFloat(row, english() ? converted(load * 12) : load);
    }
  }

  void readSoilData(bool longTermBlock) {
    d.FreeHeight = r.ReadFloat();
    d.ActiveWidth = r.ReadFloat();
    d.PYWidth = r.ReadFloat();
    d.WaterDepthBackfill = r.ReadFloat();
    d.WaterDepthExcavation = r.ReadFloat();
    d.ActiveFactor = r.ReadFloat();
    if (d.ActiveFactor == kOldDefaultActiveFactor) d.ActiveFactor = 1;
    d.WaterPressureOption = r.ReadInteger();
    d.BackfillSlope = r.ReadFloat();
    d.TopSurcharge = r.ReadFloat();
    TLegacySurcharge& legacy = d.Legacy;
    for (long double* value : {&legacy.LegacyDistance, &legacy.LegacyPointLoad, &legacy.LegacyLineLoad,
                               &legacy.LegacyStripLoad, &legacy.LegacyStripWidth}) {
      *value = r.ReadFloat();
    }
    TGridTable& surcharges = t.SurchargeTable;
    if (m_kind == kCurrentKind || m_kind == kPreviousKind) {
      const int rows = readCount();
      surcharges.SetRowCount(rows);
      d.ApplySurcharge = rows > 0;
      for (int row = 0; row < rows; ++row) {
        setInt(surcharges, 0, row);
        for (int col : {1, 2, 3}) setFloat(surcharges, col, row);
      }
    } else if (legacy.LegacyDistance > 0) {
      // The single surcharge of old files: a point, a line and a strip load at one distance.
      surcharges.SetRowCount(3);
      const long double magnitudes[] = {legacy.LegacyPointLoad, legacy.LegacyLineLoad, legacy.LegacyStripLoad};
      for (int row = 0; row < 3; ++row) {
        surcharges.Column(0).SetInt(row, kPointLoad + row);
        surcharges.Column(1).SetFloat(row, magnitudes[row]);
        surcharges.Column(2).SetFloat(row, legacy.LegacyDistance);
        surcharges.Column(3).SetFloat(row, legacy.LegacyStripWidth);
      }
      d.ApplySurcharge = true;
    }
    readSoilLayers(longTermBlock ? t.LongSoil : t.NewSoil, longTermBlock);
  }

  // Ends the read with `message` about the word read last.
  [[noreturn]] void failAtLastWord(const char* message) const {
    throw ProjectReadError("Error on Line " + std::to_string(r.LineNumber()) + " Item " + std::to_string(r.LastItem()) +
                           "\r" + message);
  }

  // A layer's soil type, 1 to 7. Any other value ends the read before it reaches the layer, so
  // that the project never holds a layer it could not save and open again.
  int readSoilType() {
    const int type = r.ReadInteger();
    if (soilValueLayout(type) == nullptr) failAtLastWord(kSoilTypeExpected);
    return type;
  }

  // A value of the word read last, converted to its table's unit (or summed, for layers given
  // by thickness). A number the conversion takes beyond the range of numbers ends the read, so
  // that the project never holds a value it could not save.
  long double converted(long double value) const {
    if (!std::isfinite(value)) failAtLastWord(kNumberTooLargeForItsUnit);
    return value;
  }

  // The parameter sub-table the layer's soil type gave it.
  static TGridTable& parameterTable(TGridTable& layers, int row) {
    TGridTable* parameters = layers.Column(2).GetTable(row);
    if (parameters == nullptr) throw TableError("A soil layer has no parameter table");
    return *parameters;
  }

  void readSoilLayers(TGridTable& layers, bool longTermBlock) {
    const int count = readCount();
    layers.SetRowCount(count);
    long double bottom = 0;
    for (int row = 0; row < count; ++row) {
      const int type = readSoilType();
      layers.Column(0).SetInt(row, type);
      TGridTable& parameters = parameterTable(layers, row);
      parameters.SetRowCount(std::max(parameters.RowCount(), parameters.MinRows()));
      const SoilValueLayout& layout = *soilValueLayout(type);
      if (m_kind == kVersion2Kind) {
        // Layers by thickness; one parameter set for top and bottom, as written.
        bottom = converted(bottom + r.ReadFloat());
        layers.Column(1).SetFloat(row, bottom);
        for (int i = 0; i < kVersion2SoilValues; ++i) {
          const long double value = r.ReadFloat();
          const int col = layout[static_cast<std::size_t>(i)].column;
          if (col < 0) continue;
          for (int p = 0; p < parameters.RowCount(); ++p) parameters.Column(col).SetFloat(p, value);
        }
        continue;
      }
      layers.Column(1).SetFloat(row, fileToFeet(r.ReadFloat()));
      for (int p = 0; p < 2; ++p) {
        for (const SoilValueSlot& slot : layout) {
          const long double value = r.ReadFloat();
          if (slot.column < 0 || (longTermBlock && slot.isCoefficientK) || p >= parameters.RowCount()) continue;
          parameters.Column(slot.column).SetFloat(p, english() ? converted(value * soilScaleDivisor(slot.scale)) : value);
        }
      }
    }
  }

  void readUserCurves() {
    TGridTableChart& curves = t.PYCurves2;
    d.ApplyExternalPY = curves.RowCount() > 0;
    for (int row = 0; row < curves.RowCount(); ++row) {
      setInt(curves, 0, row);
      const int count = readCount();
      TGridTable* points = curves.Column(1).GetTable(row);
      if (points != nullptr) points->SetRowCount(count);
      if (m_kind == kCurrentKind || m_kind == kPreviousKind) {
        setFloat(curves, 2, row);
        setFloat(curves, 3, row);
      } else {
        curves.Column(2).SetFloat(row, 1);
        curves.Column(3).SetFloat(row, 1);
      }
      readPoints(points, count);
    }
  }

  void readMomentEICurves() {
    TGridTableChart& sections = t.MEICurves2;
    for (int row = 0; row < sections.RowCount(); ++row) {
      setInt(sections, 0, row);
      setInt(sections, 1, row);
      const int count = readCount();
      TGridTable* points = sections.Column(2).GetTable(row);
      if (points != nullptr) points->SetRowCount(count);
      readPoints(points, count);
    }
  }

  // `count` pairs of values into columns 0 and 1 of `points`, each kept as soon as it is read.
  void readPoints(TGridTable* points, int count) {
    for (int p = 0; p < count; ++p) {
      for (int col : {0, 1}) {
        const long double value = r.ReadFloat();
        if (points != nullptr) points->Column(col).SetFloat(p, value);
      }
    }
  }

  void note(const std::string& text) {
    if (std::find(m_notes.begin(), m_notes.end(), text) == m_notes.end()) m_notes.push_back(text);
  }

  TWordReader& r;
  int m_kind;
  ProjectTables& t;
  TProgramData& d;
  std::vector<std::string>& m_notes;
  bool m_laterStages = false;  // the file's later blocks are stages
};

ProjectReadResult readWith(const std::function<TWordReader()>& open, int kind, ProjectTables& tables,
                           const std::string& fileName) {
  ProjectReadResult result;
  result.data = TProgramData::CreateNew(tables);
  result.data.FileName = fileName;
  tables.EmptyAll();
  try {
    TWordReader words = open();
    result.opened = true;
    DataFileReader reader(words, std::clamp(kind, kCurrentKind, kVersion2Kind), tables, result.data, result.notes);
    reader.read();
    result.lastLineRead = words.LineNumber();
    reader.noteTrailingData();
  } catch (const std::exception& error) {
    result.error = error.what();
  }
  tables.ApplyMinRows();
  result.data.HasEICount = true;
  result.data.HasTiebackCount = true;
  result.data.SetModified(false, tables);
  return result;
}

}  // namespace

int KindOfFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".kx4d") return kPreviousKind;
  if (extension == ".kxd") return kVersion3Kind;
  return kCurrentKind;
}

ProjectReadResult ReadDataFile(const std::filesystem::path& path, int kind, ProjectTables& tables) {
  return readWith([&] { return TWordReader::FromFile(path); }, kind, tables, path.string());
}

ProjectReadResult ReadDataText(const std::string& text, int kind, ProjectTables& tables, const std::string& fileName) {
  return readWith([&] { return TWordReader(text); }, kind, tables, fileName);
}

BlockReadResult ReadStageBlock(const std::string& text, int kind, TProgramData& data, ProjectTables& tables) {
  BlockReadResult result;
  const int units = data.UnitSystem;
  const int stageCount = data.StageCount;
  const int currentStage = data.CurrentStage;
  tables.EmptyAll();
  try {
    TWordReader words(text);
    DataFileReader(words, std::clamp(kind, kCurrentKind, kVersion3Kind), tables, data, result.notes).readStageBlock();
  } catch (const std::exception& error) {
    result.error = error.what();
  }
  // The block's control line carries the count it was written with, and its own unit system:
  // the project keeps its counts, and the values come into its unit system.
  data.StageCount = stageCount;
  data.CurrentStage = currentStage;
  data.LongTerm = false;
  data.LongTermCode = 0;
  data.SetUnits(units, tables);
  tables.ApplyMinRows();
  return result;
}

BlockEnds ContinuationLines(const std::string& text, int kind, ProjectTables& scratch, int mostBlocks) {
  TProgramData data;
  std::vector<std::string> notes;
  scratch.EmptyAll();
  TWordReader words(text);
  return DataFileReader(words, std::clamp(kind, kCurrentKind, kVersion3Kind), scratch, data, notes)
      .continuationLines(mostBlocks);
}

}  // namespace korvex
