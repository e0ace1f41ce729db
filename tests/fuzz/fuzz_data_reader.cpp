// libFuzzer target: arbitrary bytes read as an input data file, block after block, in the
// order and with the record counts the engine uses, but without the engine's checks of the
// values read. A read may fail only with InputError; every successful read must leave the
// reader consistent: it consumed at least one new line, every field it filled lies on a
// line it consumed, and every real it filled is finite.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "fuzz/token_mutator.h"
#include "input/data_reader.h"
#include "input/input_model.h"
#include "input/record_reader.h"

namespace {

using korvex::DataPosition;
using korvex::RecordReader;

[[noreturn]] void fail(const char* what, int line) {
  std::fprintf(stderr, "fuzz_data_reader: %s (data line %d)\n", what, line);
  std::abort();
}

// Follows the reader through one read of `fieldCount` fields.
class ReadChecker {
 public:
  explicit ReadChecker(RecordReader& reader) : m_reader(reader) {}

  void afterRead(std::size_t fieldCount) {
    const int last = m_reader.lastLine();
    if (last <= m_lastLine) fail("a read did not consume a new line", last);
    for (std::size_t field = 0; field < fieldCount; ++field) {
      const DataPosition at = m_reader.position(field);
      if (at.line <= m_lastLine || at.line > last) fail("a field lies outside the lines the read consumed", at.line);
      if (at.item < 0) fail("a field has a negative item number", at.line);
    }
    m_lastLine = last;
  }

  void finite(std::initializer_list<double> values) const {
    for (double value : values)
      if (!std::isfinite(value)) fail("a real field holds a value that is not finite", m_lastLine);
  }

 private:
  RecordReader& m_reader;
  int m_lastLine = 0;
};

// Reads one block; returns its continuation value.
int readBlock(RecordReader& reader, ReadChecker& check) {
  const std::string title = reader.title();
  check.afterRead(0);
  if (title.size() != 70) fail("the title is not 70 characters", reader.lastLine());

  const korvex::ControlLine control = reader.controlLine();
  check.afterRead(10);
  const korvex::WallLine wall = reader.wallLine();
  check.afterRead(6);
  check.finite({wall.incrementLength, wall.maxDeflection, wall.closureTolerance, wall.freeHeight, wall.activeWidth});

  for (int i = 0; i < control.restraintCount; ++i) {
    const korvex::Restraint restraint = reader.restraint();
    check.afterRead(4);
    if (restraint.caseCode < 1 || restraint.caseCode > 3) fail("a restraint case lies outside 1 to 3", reader.lastLine());
    check.finite({restraint.deflection, restraint.slope});
  }
  for (int i = 0; i < control.sectionCount; ++i) {
    check.finite({reader.stiffness().ei});
    check.afterRead(4);
  }
  const int loads = reader.loadCount();
  check.afterRead(1);
  for (int i = 0; i < loads; ++i) {
    const korvex::LoadRecord load = reader.load();
    check.afterRead(6);
    check.finite({load.lateralLoad, load.moment, load.axialLoad});
  }
  const int springs = reader.springCount();
  check.afterRead(1);
  for (int i = 0; i < springs; ++i) {
    const korvex::SpringRecord spring = reader.spring();
    check.afterRead(5);
    check.finite({spring.lateralStiffness, spring.rotationalStiffness});
  }
  for (int i = 0; i < control.tiebackCount; ++i) {
    const korvex::TiebackRecord t = reader.tieback();
    check.afterRead(7);
    check.finite({t.depth, t.area, t.modulus, t.unbondedLength, t.angle, t.spacing, t.prestress});
  }
  for (int i = 0; i < control.pyModCount; ++i) {
    const korvex::PYModification m = reader.pyModification();
    check.afterRead(3);
    check.finite({m.depth, m.pMultiplier, m.yMultiplier});
  }
  if (control.earthPressureMode == 1) {
    const int points = reader.pressurePointCount();
    check.afterRead(1);
    for (int i = 0; i < points; ++i) {
      const korvex::PressurePoint p = reader.pressurePoint();
      check.afterRead(2);
      check.finite({p.depth, p.load});
    }
  }
  if (control.hasSoilData()) {
    const korvex::SoilDataLine soil = reader.soilDataLine();
    check.afterRead(8);
    check.finite({soil.freeHeight, soil.activeWidth, soil.passiveWidth, soil.waterDepthBackfill,
                  soil.waterDepthExcavation, soil.activeFactor, soil.backfillSlope});
    const korvex::SurfaceLoadLine surface = reader.surfaceLoadLine();
    check.afterRead(6);
    check.finite({surface.uniformPressure, surface.legacyDistance, surface.legacyPointLoad, surface.legacyLineLoad,
                  surface.legacyStripLoad, surface.legacyStripWidth});
    const int surcharges = reader.surchargeCount();
    check.afterRead(1);
    for (int i = 0; i < surcharges; ++i) {
      const korvex::Surcharge s = reader.surcharge();
      check.afterRead(4);
      check.finite({s.magnitude, s.distance, s.width});
    }
    const int layers = reader.layerCount();
    check.afterRead(1);
    for (int i = 0; i < layers; ++i) {
      // Three reads; the checker sees the last, whose fields are the six bottom values.
      const korvex::SoilLayer layer = reader.soilLayer();
      check.afterRead(6);
      check.finite({layer.bottomDepth});
      for (double value : layer.top) check.finite({value});
      for (double value : layer.bottom) check.finite({value});
    }
  }
  if (control.userPYCount > 0 && control.pyCurveMode != 0) {
    for (int i = 0; i < control.userPYCount; ++i) {
      const korvex::UserCurve curve = reader.userCurveLine();
      check.afterRead(4);
      check.finite({curve.pMultiplier, curve.yMultiplier});
      if (!curve.points.empty()) fail("a curve line arrives with points", reader.lastLine());
      for (int k = 0; k < curve.pointCount; ++k) {
        const korvex::CurvePoint point = reader.curvePoint();
        check.afterRead(2);
        check.finite({point.y, point.p});
      }
    }
  }
  for (int i = 0; i < control.eiCurveCount; ++i) {
    const korvex::MomentEICurve curve = reader.eiCurveLine();
    check.afterRead(3);
    if (!curve.points.empty()) fail("a moment-EI curve line arrives with points", reader.lastLine());
    for (int k = 0; k < curve.pointCount; ++k) {
      const korvex::MomentEIPoint point = reader.eiPoint();
      check.afterRead(2);
      check.finite({point.moment, point.ei});
    }
  }
  int continuation = reader.continuation();
  check.afterRead(1);
  if (continuation == control.stageCount) continuation = 0;
  return continuation;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  korvex::DataReader dataReader(text);
  RecordReader reader(dataReader);
  ReadChecker check(reader);
  try {
    // Every read consumes at least one line, so the loops end with the file.
    while (readBlock(reader, check) != 0) {
    }
  } catch (const korvex::InputError& error) {
    const std::string_view message = error.what();
    if (message.rfind("ERROR STOP -- INPUT DATA ", 0) != 0) fail("a read error without its report message", 0);
    // Lines are counted from 1; an empty file fails at line 0.
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (error.position().line < 0 || error.position().line > lines)
      fail("a read error names a line the file does not have", error.position().line);
  }
  return 0;
}
