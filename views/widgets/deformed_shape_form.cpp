#include "views/widgets/deformed_shape_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

#include "entry/assignment_error.h"
#include "entry/widgets/data_edit.h"
#include "views/deformed_shape.h"

namespace korvex {

TDeformedShapeForm::TDeformedShapeForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Deformed Shape"));
  setModal(false);
  m_deformed = new QCheckBox(QStringLiteral("Show Deformed Shape"), this);
  m_undeformed = new QCheckBox(QStringLiteral("Show Undeformed Model"), this);
  auto* caption = new QLabel(this);
  m_factor = new TDataEdit(this);
  m_factor->setEditLabel(caption);
  m_factor->setCaption(QStringLiteral("Deformed Shape Factor"));
  m_factor->setMinVal(0);
  // Refused entries say so in the field itself rather than in a box over the view.
  m_factor->setMessageSink([](QWidget*, const QString&) {});
  m_up = new QToolButton(this);
  m_up->setArrowType(Qt::UpArrow);
  m_down = new QToolButton(this);
  m_down->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {m_up, m_down}) button->setFixedHeight(m_factor->sizeHint().height() / 2);
  m_results = new QLabel(this);
  m_results->setWordWrap(true);
  auto* close = new QPushButton(QStringLiteral("Close"), this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_deformed);
  layout->addWidget(m_undeformed);
  auto* factorRow = new QGridLayout;
  factorRow->addWidget(caption, 0, 0, 2, 1);
  factorRow->addWidget(m_factor, 0, 1, 2, 1);
  factorRow->addWidget(m_up, 0, 2);
  factorRow->addWidget(m_down, 1, 2);
  factorRow->setVerticalSpacing(0);
  layout->addLayout(factorRow);
  layout->addWidget(m_results);
  layout->addWidget(close, 0, Qt::AlignRight);

  connect(m_deformed, &QCheckBox::toggled, this, [this](bool on) {
    updateEnabled();
    emit deformedChanged(on);
  });
  connect(m_undeformed, &QCheckBox::toggled, this, &TDeformedShapeForm::undeformedChanged);
  connect(m_factor, &QLineEdit::textEdited, this, &TDeformedShapeForm::takeTypedFactor);
  connect(m_up, &QToolButton::clicked, this, [this] { step(true); });
  connect(m_down, &QToolButton::clicked, this, [this] { step(false); });
  connect(close, &QPushButton::clicked, this, &QDialog::hide);
  showFactor(0);
  updateEnabled();
}

void TDeformedShapeForm::setState(bool deformed, bool undeformed, double factor, const QString& results) {
  const QSignalBlocker blockDeformed(m_deformed);
  const QSignalBlocker blockUndeformed(m_undeformed);
  m_deformed->setChecked(deformed);
  m_undeformed->setChecked(undeformed);
  // The factor being typed is the view's already: its text stays as the user has it.
  if (factor != m_factorValue) showFactor(factor);
  m_results->setText(results);
  updateEnabled();
}

bool TDeformedShapeForm::deformedShown() const { return m_deformed->isChecked(); }
bool TDeformedShapeForm::undeformedShown() const { return m_undeformed->isChecked(); }

void TDeformedShapeForm::step(bool up) {
  showFactor(stepFactor(m_factorValue, up));
  emit factorChanged(m_factorValue);
}

void TDeformedShapeForm::updateEnabled() {
  const bool on = m_deformed->isChecked();
  for (QWidget* control : {static_cast<QWidget*>(m_undeformed), static_cast<QWidget*>(m_factor),
                           static_cast<QWidget*>(m_up), static_cast<QWidget*>(m_down)})
    control->setEnabled(on);
}

void TDeformedShapeForm::takeTypedFactor() {
  if (m_factor->text().trimmed().isEmpty()) return;
  try {
    const long double value = m_factor->number();
    if (!(value >= 0) || !std::isfinite(static_cast<double>(value))) return;
    m_factorValue = static_cast<double>(value);
    emit factorChanged(m_factorValue);
  } catch (const AssignmentError&) {
    // An entry still being typed ("2*", "1e") is no factor yet.
  }
}

void TDeformedShapeForm::showFactor(double factor) {
  m_factorValue = factor;
  m_factor->setLoading(true);
  m_factor->setNumber(factor);
  m_factor->setLoading(false);
}

}  // namespace korvex
