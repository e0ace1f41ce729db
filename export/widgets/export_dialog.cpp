#include "export/widgets/export_dialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "export/export_choice.h"
#include "export/plot_workbook.h"

namespace korvex {

namespace {

QString boxText(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return QString::fromStdString(text);
}

QPushButton* addButton(QLayout* layout, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption));
  button->setObjectName(QString::fromLatin1(name));
  layout->addWidget(button);
  return button;
}

}  // namespace

std::string workbookWrittenQuestion(const std::string& file) {
  return "The workbook \"" + file + "\" has been written.\rDo you want to open it?";
}

std::string workbookNotOpenedMessage(const std::string& file) {
  return "The workbook \"" + file + "\" could not be opened: no application for it was found.";
}

std::optional<std::string> ExportDialogs::chooseWorkbookFile(QWidget* parent, const std::string& proposal) {
  QFileDialog dialog(parent, QStringLiteral("Save Workbook"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({QStringLiteral("Excel Workbook (*.xlsx)"), QStringLiteral("All Files (*)")});
  dialog.setDefaultSuffix(QStringLiteral("xlsx"));
  dialog.selectFile(QString::fromStdString(proposal));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

bool ExportDialogs::askYesNo(QWidget* parent, const std::string& text) {
  return QMessageBox::question(parent, QStringLiteral("Confirm"), boxText(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

void ExportDialogs::information(QWidget* parent, const std::string& text) {
  QMessageBox::information(parent, QStringLiteral("Information"), boxText(text));
}

void ExportDialogs::warning(QWidget* parent, const std::string& text) {
  QMessageBox::warning(parent, QStringLiteral("Warning"), boxText(text));
}

bool ExportDialogs::openWithDefaultApplication(const std::string& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
}

TDlgExport::TDlgExport(const ResultGraphs& graphs, const std::array<bool, kGraphCount>& offered,
                       std::string proposal, ExportDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_graphs(graphs), m_proposal(std::move(proposal)), m_dialogs(dialogs) {
  setWindowTitle(QStringLiteral("Export to Excel"));
  resize(350, 444);
  auto* layout = new QVBoxLayout(this);

  auto* group = new QGroupBox(QStringLiteral("Available Plots"));
  auto* groupLayout = new QVBoxLayout(group);
  m_plots = new QListWidget;
  m_plots->setObjectName(QStringLiteral("CheckListBoxPlots"));
  for (GraphIndex index : kExportGraphs) {
    auto* item = new QListWidgetItem(QString::fromStdString(graphs.graph(index).Caption), m_plots);
    const bool enabled = offered[static_cast<std::size_t>(index)];
    item->setFlags(enabled ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::ItemIsUserCheckable);
    item->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
  }
  groupLayout->addWidget(m_plots);
  layout->addWidget(group);

  auto* selection = new QHBoxLayout;
  connect(addButton(selection, "btnSelectAll", "Select All"), &QPushButton::clicked, this, &TDlgExport::selectAll);
  connect(addButton(selection, "btnUnselectAll", "Unselect All"), &QPushButton::clicked, this,
          &TDlgExport::unselectAll);
  layout->addLayout(selection);
  auto* commands = new QHBoxLayout;
  m_generate = addButton(commands, "btnGenerate", "Generate Excel File");
  m_generate->setDefault(true);  // Enter generates, not the first button (Select All)
  connect(m_generate, &QPushButton::clicked, this, &TDlgExport::generate);
  connect(addButton(commands, "btnClose", "Close Window"), &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(commands);
  for (const char* note : kExportNotes) {
    auto* label = new QLabel(QString::fromLatin1(note));
    label->setWordWrap(true);
    layout->addWidget(label);
  }

  connect(m_plots, &QListWidget::itemChanged, this, &TDlgExport::updateGenerate);
  updateGenerate();
}

void TDlgExport::selectAll() { setAllEnabled(true); }

void TDlgExport::unselectAll() { setAllEnabled(false); }

void TDlgExport::setAllEnabled(bool ticked) {
  for (int row = 0; row < m_plots->count(); ++row) {
    QListWidgetItem* item = m_plots->item(row);
    if (item->flags().testFlag(Qt::ItemIsEnabled)) item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  }
  updateGenerate();
}

void TDlgExport::updateGenerate() { m_generate->setEnabled(!tickedNumbers().empty()); }

std::vector<int> TDlgExport::tickedNumbers() const {
  std::vector<int> numbers;
  for (int row = 0; row < m_plots->count(); ++row)
    if (m_plots->item(row)->checkState() == Qt::Checked) numbers.push_back(row + 1);
  return numbers;
}

void TDlgExport::generate() {
  const std::vector<int> numbers = tickedNumbers();
  if (numbers.empty()) return;
  const std::optional<std::string> file = m_dialogs.chooseWorkbookFile(this, m_proposal);
  if (!file) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string problem = writePlotWorkbook(graphsToExport(m_graphs, numbers), *file);
  QApplication::restoreOverrideCursor();
  if (!problem.empty()) {
    m_dialogs.warning(this, problem);
    return;
  }
  if (m_dialogs.askYesNo(this, workbookWrittenQuestion(*file)) && !m_dialogs.openWithDefaultApplication(*file))
    m_dialogs.warning(this, workbookNotOpenedMessage(*file));
}

}  // namespace korvex
