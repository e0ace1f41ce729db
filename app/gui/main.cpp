// Korvex2015: the desktop program. Opens the data file named on the command line, or a new
// project.
#include <QApplication>

#include <optional>
#include <string>

#include "app/gui/icons.h"
#include "app/gui/main_form.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KORVEX 2015"));
  QApplication::setOrganizationName(QStringLiteral("Orvane"));
  QApplication::setWindowIcon(korvex::toolIcon(korvex::ToolIcon::WallConfiguration));
  korvex::TMainForm form;
  form.show();
  const QStringList arguments = QApplication::arguments();
  std::optional<std::string> project;
  if (arguments.size() > 1) project = arguments[1].toStdString();
  form.start(project);
  return QApplication::exec();
}
