#include "app/gui/editor_process.h"

#include <QProcess>
#include <QStringList>

namespace korvex {

bool startEditorProcess(const std::string& editor, const std::string& file) {
  QStringList words = QProcess::splitCommand(QString::fromStdString(editor));
  if (words.isEmpty()) return false;
  const QString program = words.takeFirst();
  words.append(QString::fromStdString(file));
  return QProcess::startDetached(program, words);
}

}  // namespace korvex
