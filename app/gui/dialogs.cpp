#include "app/gui/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include <algorithm>

namespace korvex {

namespace {

// The filters of the Open dialog; their 1-based position is the kind of data file.
const QStringList kOpenFilters = {"Korvex 2015 (*.kx5d)", "Korvex 2013 (*.kx4d)", "Korvex 3.0 (*.kxd)",
                                  "Korvex 2.0 (*.kxd)", "All Files (*)"};
const QStringList kSaveFilters = {"Korvex 2015 (*.kx5d)", "All Files (*)"};

QString text(const std::string& message) { return QString::fromStdString(withLineBreaks(message)); }

}  // namespace

std::string withLineBreaks(std::string message) {
  std::replace(message.begin(), message.end(), '\r', '\n');
  return message;
}

Answer Dialogs::askYesNoCancel(QWidget* parent, const std::string& message) {
  const auto button = QMessageBox::question(parent, QStringLiteral("Confirm"), text(message),
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                            QMessageBox::Yes);
  if (button == QMessageBox::Yes) return Answer::Yes;
  if (button == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
}

bool Dialogs::confirm(QWidget* parent, const std::string& message) {
  return QMessageBox::question(parent, QStringLiteral("Confirm"), text(message), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

void Dialogs::information(QWidget* parent, const std::string& message) {
  QMessageBox::information(parent, QStringLiteral("Information"), text(message));
}

void Dialogs::warning(QWidget* parent, const std::string& message) {
  QMessageBox::warning(parent, QStringLiteral("Warning"), text(message));
}

std::optional<OpenChoice> Dialogs::chooseFileToOpen(QWidget* parent, const std::string& folder) {
  QFileDialog dialog(parent, QStringLiteral("Open"), QString::fromStdString(folder));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(kOpenFilters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const int index = static_cast<int>(kOpenFilters.indexOf(dialog.selectedNameFilter()));
  return OpenChoice{dialog.selectedFiles().front().toStdString(), index < 0 ? 5 : index + 1};
}

std::optional<std::string> Dialogs::chooseFileToSave(QWidget* parent, const std::string& proposal,
                                                     const std::string& title) {
  QFileDialog dialog(parent, QString::fromStdString(title), QString::fromStdString(proposal));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(kSaveFilters);
  dialog.setDefaultSuffix(QStringLiteral("kx5d"));
  dialog.selectFile(QString::fromStdString(proposal));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace korvex
