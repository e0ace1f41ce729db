#include "graphs/plot_file.h"

#include <cmath>
#include <exception>

#include "app/word_reader.h"

namespace korvex {

namespace {

// The smallest block: A1, A3, B1, C1, C2 and C3 with every count 0.
constexpr long long kWordsOfEmptyBlock = 6;

class BlockReader {
 public:
  explicit BlockReader(TWordReader& reader) : r(reader) {}

  PlotBlock readBlock() {
    PlotBlock block;
    const int pressurePoints = readCount(4, "earth-pressure points");
    block.earthPressure.resize(static_cast<std::size_t>(pressurePoints));
    for (EarthPressurePoint& p : block.earthPressure) {
      p.depth = readReal();
      p.total = readReal();
      p.fromSoils = readReal();
      p.fromSurcharge = readReal();
    }
    block.unitFlag = r.ReadInteger();
    // A curve takes at least its depth and its count.
    const int curves = readCount(2, "p-y curves");
    block.curves.resize(static_cast<std::size_t>(curves));
    for (PYCurve& curve : block.curves) {
      curve.depth = readReal();
      const int points = readCount(2, "points of a p-y curve");
      curve.points.resize(static_cast<std::size_t>(points));
      for (TFloatPoint& p : curve.points) {
        p.x = readReal();
        p.y = readReal();
      }
    }
    block.resultSets = r.ReadInteger();
    const int wallPoints = readCount(5, "points along the wall");
    block.unitSystem = r.ReadInteger();
    block.wall.resize(static_cast<std::size_t>(wallPoints));
    for (WallPoint& p : block.wall) {
      p.depth = readReal();
      p.deflection = readReal();
      p.moment = readReal();
      p.shear = readReal();
      p.reaction = readReal();
    }
    return block;
  }

  // Result sets announced by block 1: at least one, and no more than the words left can hold.
  void checkResultSets(int sets) const {
    if (sets < 1) fail("the number of result sets is " + std::to_string(sets) + ", not 1 or more");
    if ((sets - 1) * kWordsOfEmptyBlock > r.RemainingWords())
      fail(std::to_string(sets) + " result sets are announced but the file holds fewer");
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw PlotFileError("Error on Line " + std::to_string(r.LineNumber()) + " Item " + std::to_string(r.LastItem()) +
                        "\r" + what);
  }

  // A count of records of at least `wordsEach` words: never negative, never more than the
  // words left.
  int readCount(int wordsEach, const char* what) {
    const int count = r.ReadInteger();
    if (count < 0) fail(std::string("a negative number of ") + what);
    if (static_cast<long long>(count) * wordsEach > r.RemainingWords())
      fail(std::to_string(count) + " " + what + " are announced but the file holds fewer");
    return count;
  }

  double readReal() {
    const double value = static_cast<double>(r.ReadFloat());
    if (!std::isfinite(value)) fail("a number beyond the range of the graphs");
    return value;
  }

  TWordReader& r;
};

}  // namespace

PlotFile readPlotFile(TWordReader& reader) {
  BlockReader blocks(reader);
  PlotFile file;
  try {
    file.blocks.push_back(blocks.readBlock());
    const int sets = file.blocks.front().resultSets;
    blocks.checkResultSets(sets);
    // Only block 1's count decides how many blocks follow; a later block's count is its own
    // repetition and is not believed over it.
    for (int block = 2; block <= sets; ++block) file.blocks.push_back(blocks.readBlock());
  } catch (const ProjectReadError& error) {
    throw PlotFileError(error.what());
  }
  return file;
}

PlotFile readPlotFile(const std::filesystem::path& path) {
  try {
    TWordReader reader = TWordReader::FromFile(path);
    return readPlotFile(reader);
  } catch (const ProjectReadError& error) {
    throw PlotFileError(error.what());
  }
}

}  // namespace korvex
