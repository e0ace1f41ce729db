#include "entry/widgets/data_edit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace korvex {

namespace {

// The rules write a line break as "\r"; the box shows real line breaks.
QString withLineBreaks(const std::string& message) {
  return QString::fromStdString(message).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void showInformationBox(QWidget* field, const QString& message) {
  QMessageBox::information(field, QStringLiteral("Information"), message, QMessageBox::Ok);
}

}  // namespace

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent), m_showMessage(showInformationBox) {
  showRulesText();
}

long double TDataEdit::number() const {
  TDataEditRules rules = m_rules;
  rules.setText(text().toStdString());
  return rules.number();
}

void TDataEdit::setNumber(long double value) {
  m_rules.setNumber(value);
  showRulesText();
}

void TDataEdit::setMinVal(long double value) {
  takeTextFromWidget();
  m_rules.setMinVal(value);
  showRulesText();
}

void TDataEdit::setMaxVal(long double value) {
  takeTextFromWidget();
  m_rules.setMaxVal(value);
  showRulesText();
}

void TDataEdit::setIntegerOnly(bool integerOnly) {
  takeTextFromWidget();
  m_rules.setIntegerOnly(integerOnly);
  showRulesText();
}

void TDataEdit::setHex(bool hex) {
  takeTextFromWidget();
  m_rules.setHex(hex);
  showRulesText();
}

void TDataEdit::setCaption(const QString& caption) {
  m_rules.setCaption(caption.toStdString());
  updateLabel();
}

void TDataEdit::setEditLabel(QLabel* label) {
  m_label = label;
  if (m_label) m_label->setBuddy(this);
  updateLabel();
}

void TDataEdit::setUnitsString(const QString& code) {
  m_rules.setUnitsString(code.toStdString());
  updateLabel();
}

void TDataEdit::setUnits(int system) {
  m_rules.setUnits(system);
  updateLabel();
}

bool TDataEdit::leaveCheck() {
  takeTextFromWidget();
  const TDataEditRules::LeaveCheck outcome = m_rules.leaveCheck();
  showRulesText();
  if (!outcome.message.empty()) {
    m_checking = true;
    m_showMessage(this, withLineBreaks(outcome.message));
    m_checking = false;
  }
  if (!outcome.accepted) setFocus(Qt::OtherFocusReason);
  return outcome.accepted;
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    leaveCheck();
    selectAll();
    event->accept();
    return;
  }
  // An operator typed over the selected value extends the value instead of replacing it.
  const QString typed = event->text();
  if (typed.size() == 1 && typed.front().unicode() < 128 && hasSelectedText() && selectedText() == text() &&
      TDataEditRules::keyExtendsValue(typed.front().toLatin1())) {
    end(false);
  }
  QLineEdit::keyPressEvent(event);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window taking the activation (a message box, another program) or a popup menu
  // opening is not a leave of the field; neither is the field being hidden with its window.
  const Qt::FocusReason reason = event->reason();
  if (m_checking || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !isVisible()) return;
  // The check may show a message box, which must not open inside the focus change itself: it
  // runs once the change is done, unless the focus came back meanwhile (a window's commit has
  // checked the field already) or another check is showing its message.
  QTimer::singleShot(0, this, [this] {
    if (m_checking || hasFocus() || !isVisible()) return;
    leaveCheck();
  });
}

void TDataEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    m_rules.setEnabled(isEnabled());
    updateLabel();
  }
}

void TDataEdit::takeTextFromWidget() { m_rules.setText(text().toStdString()); }

void TDataEdit::showRulesText() {
  const QString shown = QString::fromStdString(m_rules.text());
  if (shown != text()) setText(shown);
}

void TDataEdit::updateLabel() {
  if (!m_label) return;
  m_label->setText(labelText());
  m_label->setEnabled(m_rules.enabled());
}

}  // namespace korvex
