#include "app/gui/options_window.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

#include "app/shell/project_session.h"

namespace korvex {

namespace {

const QString kProgramsFilter = QStringLiteral("Programs (*)");
const QString kAllFilesFilter = QStringLiteral("All Files (*)");

// The file the dialog starts at: the editor as typed when it names a file, else the program
// of that name on the search path ("xdg-open" is found in /usr/bin); empty when neither.
QString startingFile(const QString& editor) {
  if (editor.isEmpty()) return {};
  if (QFileInfo(editor).isFile()) return QFileInfo(editor).absoluteFilePath();
  return QStandardPaths::findExecutable(editor);
}

}  // namespace

TDlgOptions::TDlgOptions(ProjectSession& session, QWidget* parent) : TDataWindow(session, parent) {
  setWindowTitle(QStringLiteral("Control Options"));
  auto* label = new QLabel(QStringLiteral("&Text Editor:"), this);
  m_edtWord = new QLineEdit(this);
  m_edtWord->setObjectName(QStringLiteral("EdtWord"));
  m_edtWord->setMinimumWidth(m_edtWord->fontMetrics().averageCharWidth() * 40);
  label->setBuddy(m_edtWord);
  m_browse = new QPushButton(QStringLiteral("&Browse..."), this);
  connect(m_browse, &QPushButton::clicked, this, &TDlgOptions::browse);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0, 1, 2);
  layout->addWidget(m_edtWord, 1, 0);
  layout->addWidget(m_browse, 1, 1);
  layout->setRowStretch(2, 1);
}

void TDlgOptions::loadFromProject() { m_edtWord->setText(QString::fromStdString(m_session.editorPath())); }

bool TDlgOptions::commitToProject() {
  m_session.setEditorPath(m_edtWord->text().toStdString());
  return true;
}

// Programs on Linux carry no extension, so the "Programs" filter lists the files the user may
// execute (and the folders to reach them) instead of matching a name pattern. That filter is a
// property of Qt's own file dialog, which is therefore used here.
void TDlgOptions::browse() {
  const QString current = startingFile(m_edtWord->text());
  QFileDialog dialog(this, QStringLiteral("Text Editor"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({kProgramsFilter, kAllFilesFilter});
  const QDir::Filters everything = dialog.filter();
  const auto listFilesFor = [&dialog, everything](const QString& filter) {
    dialog.setFilter(filter == kProgramsFilter ? everything | QDir::Executable : everything);
  };
  connect(&dialog, &QFileDialog::filterSelected, &dialog, listFilesFor);
  listFilesFor(kProgramsFilter);
  if (current.isEmpty()) {
    dialog.setDirectory(QDir::currentPath());
  } else {
    dialog.setDirectory(QFileInfo(current).absolutePath());
    dialog.selectFile(current);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  m_edtWord->setText(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

}  // namespace korvex
