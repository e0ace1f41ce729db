#include "graphs/widgets/plot_dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace korvex {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

QDialogButtonBox* okCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// PlotDialogs

void PlotDialogs::information(QWidget* parent, const std::string& text) {
  QMessageBox::information(parent, QStringLiteral("Information"), qs(text));
}

std::optional<std::string> PlotDialogs::chooseImageFile(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Save To Disk"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("PNG picture (*.png)"),
                         QStringLiteral("SVG drawing (*.svg)"), QStringLiteral("PDF document (*.pdf)")});
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(filter.section(QStringLiteral("*."), 1).chopped(1));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<ImageSize> PlotDialogs::chooseSaveAttributes(QWidget* parent) {
  TSaveAttributesDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.size();
}

bool PlotDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool PlotDialogs::setUpPage(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

// ---------------------------------------------------------------------------------------------
// Graph caption

TGraphCaptionDialog::TGraphCaptionDialog(const std::string& title, TitlePosition at, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Graph Caption"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Enter Graph Caption"), this));
  m_title = new QLineEdit(qs(title), this);
  m_title->setObjectName(QStringLiteral("Caption"));
  layout->addWidget(m_title);
  auto* location = new QGroupBox(QStringLiteral("Caption Location"), this);
  auto* locationLayout = new QHBoxLayout(location);
  m_position = new QButtonGroup(this);
  auto* top = new QRadioButton(QStringLiteral("Top"), location);
  auto* bottom = new QRadioButton(QStringLiteral("Bottom"), location);
  m_position->addButton(top, 0);
  m_position->addButton(bottom, 1);
  (at == TitlePosition::Top ? top : bottom)->setChecked(true);
  locationLayout->addWidget(top);
  locationLayout->addWidget(bottom);
  layout->addWidget(location);
  layout->addWidget(okCancel(this));
}

std::string TGraphCaptionDialog::title() const { return m_title->text().toStdString(); }

TitlePosition TGraphCaptionDialog::position() const {
  return m_position->checkedId() == 1 ? TitlePosition::Bottom : TitlePosition::Top;
}

// ---------------------------------------------------------------------------------------------
// Legend names

TLegendDialog::TLegendDialog(const TGraphPlot& graph, PlotDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
  setWindowTitle(QStringLiteral("Legend"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Select line to modify:"), this));
  m_lines = new QListWidget(this);
  for (int i = 0; i < graph.LineCount(); ++i) m_lines->addItem(qs(graph.LineName(i)));
  layout->addWidget(m_lines);
  layout->addWidget(new QLabel(QStringLiteral("Type new legend below:"), this));
  m_edit = new QLineEdit(this);
  layout->addWidget(m_edit);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::accept);
  layout->addWidget(close);
  connect(m_lines, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) m_edit->setText(m_lines->item(row)->text());
  });
  // Enter or leaving the edit stores its text for the selected line.
  connect(m_edit, &QLineEdit::editingFinished, this, &TLegendDialog::takeEdit);
  if (m_lines->count() > 0) m_lines->setCurrentRow(0);
}

void TLegendDialog::takeEdit() { storeName(m_edit->text().toStdString()); }

bool TLegendDialog::storeName(const std::string& text) {
  const int row = m_lines->currentRow();
  if (row < 0) return false;
  if (text.empty()) {
    m_dialogs.information(this, kLineNeedsName);
    m_edit->setText(m_lines->item(row)->text());
    return false;
  }
  m_lines->item(row)->setText(qs(text));
  return true;
}

void TLegendDialog::selectLine(int index) { m_lines->setCurrentRow(index); }

std::vector<std::string> TLegendDialog::names() const {
  std::vector<std::string> names;
  for (int i = 0; i < m_lines->count(); ++i) names.push_back(m_lines->item(i)->text().toStdString());
  return names;
}

// ---------------------------------------------------------------------------------------------
// Active curves

TActiveCurvesDialog::TActiveCurvesDialog(const TGraphPlot& graph, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Active Curves"));
  for (int i = 0; i < graph.LineCount(); ++i) {
    m_names.push_back(graph.LineName(i));
    m_active.push_back(graph.Line(i).active);
  }
  auto* layout = new QVBoxLayout(this);
  m_list = new QListWidget(this);
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(m_list);
  auto* row = new QHBoxLayout;
  const auto button = [&](const char* caption, auto action) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    connect(b, &QPushButton::clicked, this, action);
    row->addWidget(b);
  };
  button("Activate All", [this] { setAll(true); });
  button("Deactivate All", [this] { setAll(false); });
  button("Activate/Deactivate Selected", [this] { toggleSelected(); });
  layout->addLayout(row);
  layout->addWidget(okCancel(this));
  connect(m_list, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { toggle(m_list->row(item)); });
  refresh();
}

void TActiveCurvesDialog::refresh() {
  const int current = m_list->currentRow();
  std::vector<int> selected;
  for (QListWidgetItem* item : m_list->selectedItems()) selected.push_back(m_list->row(item));
  m_list->clear();
  for (std::size_t i = 0; i < m_names.size(); ++i)
    m_list->addItem(QString::fromLatin1(m_active[i] ? "yes : " : "no  : ") + qs(m_names[i]));
  m_list->setCurrentRow(current);
  for (int row : selected) m_list->item(row)->setSelected(true);
}

void TActiveCurvesDialog::setAll(bool active) {
  m_active.assign(m_active.size(), active);
  refresh();
}

void TActiveCurvesDialog::toggleSelected() {
  for (QListWidgetItem* item : m_list->selectedItems()) {
    const auto row = static_cast<std::size_t>(m_list->row(item));
    m_active[row] = !m_active[row];
  }
  refresh();
}

void TActiveCurvesDialog::toggle(int index) {
  if (index < 0 || index >= static_cast<int>(m_active.size())) return;
  m_active[static_cast<std::size_t>(index)] = !m_active[static_cast<std::size_t>(index)];
  refresh();
}

// ---------------------------------------------------------------------------------------------
// Save attributes

TSaveAttributesDialog::TSaveAttributesDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Save Attributes"));
  auto* form = new QFormLayout(this);
  const auto inches = [this](double value) {
    auto* box = new QDoubleSpinBox(this);
    box->setRange(2, 100);
    box->setDecimals(2);
    box->setValue(value);
    return box;
  };
  m_height = inches(4);
  m_width = inches(6);
  m_pixelsPerInch = new QSpinBox(this);
  m_pixelsPerInch->setRange(10, 2400);
  m_pixelsPerInch->setValue(72);
  form->addRow(QStringLiteral("Height (inches)"), m_height);
  form->addRow(QStringLiteral("Width (inches)"), m_width);
  form->addRow(QStringLiteral("Pixels per inch"), m_pixelsPerInch);
  form->addRow(okCancel(this));
}

ImageSize TSaveAttributesDialog::size() const {
  const int ppi = m_pixelsPerInch->value();
  return {static_cast<int>(std::lround(m_width->value() * ppi)), static_cast<int>(std::lround(m_height->value() * ppi)),
          ppi};
}

}  // namespace korvex
