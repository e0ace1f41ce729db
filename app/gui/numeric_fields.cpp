#include "app/gui/numeric_fields.h"

#include <cmath>

#include <QLabel>

#include "app/shell/project_session.h"
#include "entry/unit_codes.h"

namespace korvex {

TDataEdit* addEntryRow(QGridLayout* grid, int row, const QString& objectName, const QString& caption,
                       const QString& unitCode, TDataEdit::MessageSink sink) {
  auto* label = new QLabel(grid->parentWidget());
  auto* edit = new TDataEdit(grid->parentWidget());
  edit->setObjectName(objectName);
  label->setObjectName(objectName + QStringLiteral("Label"));
  edit->setCaption(caption);
  edit->setUnitsString(unitCode);
  edit->setEditLabel(label);
  edit->setMessageSink(std::move(sink));
  // Wide enough for an 18-digit number.
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0.000000000000000000E-00")));
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  return edit;
}

void NumericFields::addFloat(TDataEdit* edit, long double TProgramData::*field, EnglishConversion english,
                             bool followsUnits) {
  Field f;
  f.edit = edit;
  f.floatField = field;
  f.english = english;
  f.followsUnits = followsUnits;
  add(f);
}

void NumericFields::addInteger(TDataEdit* edit, int TProgramData::*field) {
  Field f;
  f.edit = edit;
  f.intField = field;
  add(f);
}

void NumericFields::add(Field field) {
  const std::size_t index = m_fields.size();
  QObject::connect(field.edit, &QLineEdit::textEdited, field.edit, [this, index] { m_fields[index].edited = true; });
  m_fields.push_back(field);
}

void NumericFields::load(const TProgramData& project) {
  const bool english = project.UnitSystem == kEnglishUnits;
  for (Field& f : m_fields) {
    if (!f.edit) continue;
    f.edit->setLoading(true);
    if (f.followsUnits) f.edit->setUnits(project.UnitSystem);
    if (f.intField != nullptr) {
      f.edit->setNumber(project.*f.intField);
    } else {
      const long double held = project.*f.floatField;
      f.edit->setNumber(english ? held * f.english.divide / f.english.multiply : held);
    }
    f.edit->setLoading(false);
    f.edited = false;
  }
}

bool NumericFields::commit(ProjectSession& session) {
  for (Field& f : m_fields) {
    if (f.edited && f.edit && !f.edit->leaveCheck()) return false;
  }
  TProgramData& project = session.project();
  const bool english = project.UnitSystem == kEnglishUnits;
  bool changed = false;
  for (Field& f : m_fields) {
    if (!f.edited || !f.edit) continue;
    const long double value = f.edit->number();
    if (f.intField != nullptr) {
      const int whole = static_cast<int>(std::llround(value));
      changed = changed || project.*f.intField != whole;
      project.*f.intField = whole;
    } else {
      const long double stored = english ? value * f.english.multiply / f.english.divide : value;
      changed = changed || project.*f.floatField != stored;
      project.*f.floatField = stored;
    }
    f.edited = false;
  }
  if (changed) session.markModified();
  return true;
}

bool NumericFields::anyEdited() const {
  for (const Field& f : m_fields) {
    if (f.edited) return true;
  }
  return false;
}

}  // namespace korvex
