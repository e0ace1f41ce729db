// TDataEdit: the single-line numeric entry of every data window. The user may type a number or
// an arithmetic expression (12*3.5, sqrt(2)/2, 2^10, pi/4); when the focus leaves the field or
// Enter is pressed, the text is evaluated, checked against the integer-only and range limits and
// rewritten as the plain number. The field names itself through a label that reads its caption
// and the unit label of its unit code. The rules live in TDataEditRules; this widget forwards
// its text, keys and focus to them and shows their messages.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <functional>

#include "entry/data_edit_rules.h"

class QFocusEvent;
class QKeyEvent;

namespace korvex {

class TDataEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Shows a message of the leave check to the user; the text has real line breaks.
  using MessageSink = std::function<void(QWidget* field, const QString& message)>;

  explicit TDataEdit(QWidget* parent = nullptr);

  // The value of the text; throws AssignmentError when the text is not a valid expression.
  long double number() const;
  // Shows `value` (general format, 18 significant digits, or the "$" form), first brought into
  // [minVal, maxVal] unless loading.
  void setNumber(long double value);

  // Limits (by default the full extended range). Outside loading a new limit is kept consistent
  // with the other one and pulls the current number inside it.
  long double minVal() const { return m_rules.minVal(); }
  void setMinVal(long double value);
  long double maxVal() const { return m_rules.maxVal(); }
  void setMaxVal(long double value);

  bool integerOnly() const { return m_rules.integerOnly(); }
  void setIntegerOnly(bool integerOnly);
  bool hex() const { return m_rules.hex(); }
  void setHex(bool hex);

  // While a window sets up its fields from stored values, limits and numbers are taken as given.
  bool loading() const { return m_rules.loading(); }
  void setLoading(bool loading) { m_rules.setLoading(loading); }

  // The label that names the field: its text is the caption, followed by the unit label in
  // brackets when a unit code is set; it is enabled with the field and its access key focuses
  // the field.
  QString caption() const { return QString::fromStdString(m_rules.caption()); }
  void setCaption(const QString& caption);
  QLabel* editLabel() const { return m_label; }
  void setEditLabel(QLabel* label);
  QString unitsString() const { return QString::fromStdString(m_rules.unitsString()); }
  void setUnitsString(const QString& code);
  int units() const { return m_rules.units(); }
  void setUnits(int system);  // brought into 1..3
  // The text the label shows.
  QString labelText() const { return QString::fromStdString(m_rules.labelText()); }

  // Evaluates and checks the entry; on success the text becomes the plain number. A refused
  // entry's message is shown and the field keeps (or takes back) the focus. True on success.
  bool leaveCheck();
  bool lastCheckSucceeded() const { return m_rules.lastCheckSucceeded(); }

  // Where the leave check's messages go: by default an information box with an OK button.
  void setMessageSink(MessageSink sink) { m_showMessage = std::move(sink); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The rules work on their own copy of the text: these move it across in each direction.
  void takeTextFromWidget();
  void showRulesText();
  void updateLabel();

  TDataEditRules m_rules;
  QPointer<QLabel> m_label;
  MessageSink m_showMessage;
  bool m_checking = false;  // a check is showing its message: the box's own focus change is not a leave
};

}  // namespace korvex
