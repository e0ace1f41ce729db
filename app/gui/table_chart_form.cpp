#include "app/gui/table_chart_form.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include <fstream>
#include <sstream>

#include "app/gui/editor_process.h"
#include "app/gui/table_chart.h"
#include "app/gui/table_grid.h"
#include "app/shell/project_session.h"
#include "tables/chart_data.h"
#include "tables/grid_table_chart.h"
#include "tables/table_editing.h"
#include "tables/value_import.h"

namespace korvex {

namespace {

const QString kFileFilter = QStringLiteral("Text Files (*.txt);;Data Files (*.dat);;All Files (*)");

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TTableChartForm::TTableChartForm(ProjectSession& session, TGridTableChart& table, bool modal, QWidget* parent)
    : TTableForm(session, table, modal, parent) {
  const TChartParameters& chart = table.Chart();
  m_chartShown = chart.showChart && !chart.segmentMode;
  m_segmentsShown = chart.showChart && chart.segmentMode;
  if (m_chartShown) {
    m_chart = new TChartView(this);
    m_chart->setObjectName(QStringLiteral("Chart1"));
    m_above->addWidget(m_chart);
  } else if (m_segmentsShown) {
    m_segments = new TSegmentView(this);
    m_segments->setObjectName(QStringLiteral("PaintBox1"));
    m_above->addWidget(m_segments);
  }
  if (table.OKCancelButtons()) {
    // OK and Cancel stand where Add and Insert were; those move to their right.
    QPushButton* okButton = button(QStringLiteral("BtnOK"), QStringLiteral("OK"), this);
    QPushButton* cancelButton = button(QStringLiteral("BtnCancel"), QStringLiteral("Cancel"), this);
    m_buttonRow->insertWidget(0, okButton);
    m_buttonRow->insertWidget(1, cancelButton);
    connect(okButton, &QPushButton::clicked, this, &TTableChartForm::ok);
    connect(cancelButton, &QPushButton::clicked, this, &TTableChartForm::cancel);
  }
  if (table.GetDataFromFile()) {
    auto* files = new QGridLayout;
    auto* label = new QLabel(QStringLiteral("File Name:"), this);
    label->setObjectName(QStringLiteral("FileNameLabel"));
    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(QStringLiteral("FileNameEdit"));
    QPushButton* browseButton = button(QStringLiteral("BtnBrowse"), QStringLiteral("Browse"), this);
    m_edit = button(QStringLiteral("BtnEdit"), QStringLiteral("View/Edit File"), this);
    m_read = button(QStringLiteral("BtnRead"), QStringLiteral("Read values from File"), this);
    QPushButton* clip = button(QStringLiteral("BtnClip"), QStringLiteral("Paste values from  Clipboard (text)"), this);
    files->addWidget(label, 0, 0, 1, 2);
    files->addWidget(m_fileName, 1, 0);
    files->addWidget(browseButton, 1, 1);
    files->addWidget(m_edit, 2, 0, 1, 2);
    files->addWidget(m_read, 3, 0, 1, 2);
    files->addWidget(clip, 4, 0, 1, 2);
    m_beside->addLayout(files);
    m_beside->addStretch();
    connect(m_fileName, &QLineEdit::textChanged, this, &TTableChartForm::updateFileButtons);
    connect(browseButton, &QPushButton::clicked, this, &TTableChartForm::browse);
    connect(m_edit, &QPushButton::clicked, this, &TTableChartForm::viewFile);
    connect(m_read, &QPushButton::clicked, this, &TTableChartForm::readFile);
    connect(clip, &QPushButton::clicked, this, &TTableChartForm::pasteClipboard);
    updateFileButtons();
  }
  connect(this, &TTableForm::valuesChanged, this, &TTableChartForm::redraw);
}

int TTableChartForm::shownRowsLimit() const { return m_chartShown ? kShownRowsUnderChart : kShownRows; }

void TTableChartForm::redraw() {
  const auto* chart = dynamic_cast<const TGridTableChart*>(table());
  if (chart == nullptr) return;
  if (m_chart != nullptr) m_chart->setChart(chartData(*chart));
  if (m_segments != nullptr) m_segments->setSegments(chartSegments(*chart));
}

void TTableChartForm::updateFileButtons() {
  const bool exists = QFileInfo(m_fileName->text()).isFile();
  m_edit->setEnabled(exists);
  m_read->setEnabled(exists);
}

void TTableChartForm::browse() {
  const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), m_fileName->text(), kFileFilter);
  if (!chosen.isEmpty()) m_fileName->setText(chosen);
}

void TTableChartForm::viewFile() {
  if (!startEditorProcess(m_session.editorPath(), m_fileName->text().toStdString()))
    dialogs().information(this, kEditorFailed);
}

void TTableChartForm::readFile() {
  if (table() == nullptr || !grid()->storeCurrentCell()) return;
  const std::string path = m_fileName->text().toStdString();
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (!in || !(text << in.rdbuf())) {
    dialogs().information(this, "The file " + path + " could not be read.");
    return;
  }
  importText(text.str());
}

void TTableChartForm::pasteClipboard() {
  if (table() == nullptr || !grid()->storeCurrentCell()) return;
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  if (clipboard == nullptr || !clipboard->hasText()) {
    dialogs().information(this, kNoClipboardText);
    return;
  }
  importText(clipboard->text().toStdString());
}

void TTableChartForm::importText(const std::string& text) {
  if (std::optional<std::string> refused = importValueRows(*table(), text)) {
    dialogs().information(this, *refused);
    return;
  }
  loadFromProject();  // the rows were replaced: shown afresh
}

void TTableChartForm::ok() {
  if (commitToProject()) closeWindow();
}

void TTableChartForm::cancel() {
  grid()->dropEntry();
  closeWindow();
}

}  // namespace korvex
