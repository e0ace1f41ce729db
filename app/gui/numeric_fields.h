// The numeric entries of a data window, each bound to a field of the project. Loading shows the
// project's values exactly as they are (no limit applied, nothing marked edited); committing
// stores only the entries the user edited since, and only after every one of them passed its
// check, so that a window never changes data the user did not touch and never stores half of
// what was typed.
#pragma once

#include <QGridLayout>
#include <QPointer>

#include <vector>

#include "app/program_data.h"
#include "entry/widgets/data_edit.h"

namespace korvex {

class ProjectSession;

// A numeric entry named `objectName` with its label, placed on `row` of `grid` (label in column
// 0, entry in column 1). The label reads `caption` and the unit label of `unitCode`; the entry's
// messages go to `sink`.
TDataEdit* addEntryRow(QGridLayout* grid, int row, const QString& objectName, const QString& caption,
                       const QString& unitCode, TDataEdit::MessageSink sink);

// How a value shown in English units is held: times `multiply`, divided by `divide` (a length
// shown in feet and held in inches is {12, 1}; a pressure shown in lb/ft^2 and held in lb/in^2
// is {1, 144}). Other unit systems hold what they show.
struct EnglishConversion {
  long double multiply = 1;
  long double divide = 1;
};

class NumericFields {
 public:
  using EnglishConversion = korvex::EnglishConversion;

  // A float field shown in `edit`. With `followsUnits` the entry's unit label follows the
  // project's unit system.
  void addFloat(TDataEdit* edit, long double TProgramData::*field, EnglishConversion english = {},
                bool followsUnits = true);
  // A whole-number field.
  void addInteger(TDataEdit* edit, int TProgramData::*field);

  // Shows the project's values in loading mode, in the project's unit system; no entry counts
  // as edited afterwards.
  void load(const TProgramData& project);

  // Checks every entry edited since loading, in order; the first refused one shows its message,
  // keeps the focus and nothing is stored (false). Then stores them all, marking the project
  // modified when a stored value differs from what the project held.
  bool commit(ProjectSession& session);

  // Whether an entry was edited since loading.
  bool anyEdited() const;

 private:
  struct Field {
    QPointer<TDataEdit> edit;
    long double TProgramData::*floatField = nullptr;
    int TProgramData::*intField = nullptr;
    EnglishConversion english;
    bool followsUnits = false;
    bool edited = false;
  };
  void add(Field field);

  std::vector<Field> m_fields;
};

}  // namespace korvex
