// The "Deformed Shape" window of the three-dimensional view (modeless, owned by the view): "Show
// Deformed Shape", "Show Undeformed Model", the "Deformed Shape Factor" with its up-down
// control, and "Close". The undeformed box, the factor and its up-down are enabled only while
// the deformed shape is shown. A typed factor applies at once (an empty or unfinished entry is
// passed over); the up-down steps it along the 1-2-3 sequence of its leading digit.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QToolButton;

namespace korvex {

class TDataEdit;

class TDeformedShapeForm : public QDialog {
  Q_OBJECT

 public:
  explicit TDeformedShapeForm(QWidget* parent = nullptr);

  // Shows the view's state without announcing it again; `results` names the deflections drawn
  // (or says why there are none).
  void setState(bool deformed, bool undeformed, double factor, const QString& results);

  bool deformedShown() const;
  bool undeformedShown() const;
  double factor() const { return m_factorValue; }
  // One step of the up-down control.
  void step(bool up);

  QCheckBox* deformedBox() const { return m_deformed; }
  QCheckBox* undeformedBox() const { return m_undeformed; }
  TDataEdit* factorEdit() const { return m_factor; }
  QToolButton* upButton() const { return m_up; }
  QLabel* resultsLabel() const { return m_results; }

 signals:
  void deformedChanged(bool shown);
  void undeformedChanged(bool shown);
  void factorChanged(double factor);

 private:
  void updateEnabled();
  void takeTypedFactor();
  void showFactor(double factor);

  QCheckBox* m_deformed = nullptr;
  QCheckBox* m_undeformed = nullptr;
  TDataEdit* m_factor = nullptr;
  QToolButton* m_up = nullptr;
  QToolButton* m_down = nullptr;
  QLabel* m_results = nullptr;
  double m_factorValue = 0;
};

}  // namespace korvex
