// korvex-plot: the drawing half of `korvex plot`, apart from korvex so that korvex run needs no
// Qt. It draws offscreen unless told otherwise (or asked for the views on an X display).
#include <QGuiApplication>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "graphs/plot_tool/plot_tool.h"

namespace {

// Qt's own notes go to standard error as usual, except the offscreen platform's remark that it
// has no runtime folder, which says nothing about the pictures.
void qtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths:"))) return;
  std::cerr << qFormatLogMessage(type, context, message).toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(qtMessage);
  const std::vector<std::string> args(argv + 1, argv + argc);
  // The graphs and the side view draw anywhere; the 3D view needs OpenGL, which Qt's offscreen
  // platform lacks: with --views and an X display (xvfb-run's too) it draws through xcb.
  const bool views = std::find(args.begin(), args.end(), "--views") != args.end();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", views && !qEnvironmentVariableIsEmpty("DISPLAY") ? "xcb" : "offscreen");
  QGuiApplication application(argc, argv);
  return korvex::runPlotTool(args, std::cout, std::cerr);
}
