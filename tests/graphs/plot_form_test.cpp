// The graph window and the pictures, offscreen: zooming, the mouse read-out, the Plot menu and
// its dialogs, printing, saving pictures, and korvex-plot on the plot file of a real run.
// Pictures are judged by what they must show (ink, size, resolution, change with the data),
// not pixel by pixel.
#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QTest>

#include <deque>
#include <filesystem>
#include <sstream>

#include "graphs/paint/graph_image.h"
#include "graphs/paint/graph_painter.h"
#include "graphs/plot_tool/plot_tool.h"
#include "graphs/result_graphs.h"
#include "graphs/widgets/plot_dialogs.h"
#include "graphs/widgets/plot_form.h"
#include "test_support.h"

namespace korvex {
namespace {

class ScriptedPlotDialogs : public PlotDialogs {
 public:
  std::vector<std::string> messages;
  std::deque<std::optional<std::string>> files;
  std::deque<std::optional<ImageSize>> sizes;

  void information(QWidget*, const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> chooseImageFile(QWidget*) override { return next(files); }
  std::optional<ImageSize> chooseSaveAttributes(QWidget*) override { return next(sizes); }
  bool choosePrinter(QWidget*, QPrinter&) override { return false; }
  bool setUpPage(QWidget*, QPrinter&) override { return false; }

 private:
  template <typename T>
  static std::optional<T> next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
  }
};

// A graph with one line from (0, 0) to (100, 50) and one from (0, 0) to (60, 20).
TGraphPlot twoLines() {
  TGraphPlot graph;
  graph.Caption = "Test Graph";
  graph.SetLineCount(2);
  graph.Line(0).points = {{0, 0}, {50, 25}, {100, 50}};
  graph.Line(1).points = {{0, 0}, {30, 10}, {60, 20}};
  return graph;
}

// Pixels that are not white, counted on every other row and column.
int inkOf(const QImage& picture) {
  int inked = 0;
  for (int y = 0; y < picture.height(); y += 2)
    for (int x = 0; x < picture.width(); x += 2) inked += picture.pixel(x, y) != qRgb(255, 255, 255);
  return inked;
}

QImage drawn(const TGraphPlot& graph, QSize size = {600, 500}) {
  QImage picture(size, QImage::Format_RGB32);
  QPainter painter(&picture);
  drawGraph(painter, picture.rect(), graph);
  return picture;
}

std::filesystem::path exampleOutputs(const testing::TempFolder& folder, const std::string& name) {
  testing::runEngineOn(folder, testing::readFile(std::filesystem::path(KORVEX_EXAMPLES) / (name + ".kx5d")), name);
  return folder / (name + ".kx5p");
}

}  // namespace

class PlotFormTest : public QObject {
  Q_OBJECT

 private slots:
  // Zooming to a band narrower than a twentieth of the range shows a twentieth around its
  // centre; the right button zooms out again; the caption reads the point under the mouse.
  void zoomsAndReadsOut() {
    TGraphPlot graph = twoLines();
    graph.XOnTop = false;
    ScriptedPlotDialogs dialogs;
    TPlotForm form(graph, dialogs);
    form.resize(700, 600);
    const PanelGeometry panel = form.geometry().panels.front();
    QCOMPARE(panel.x.max, 100.0);
    const QPoint centre = panel.inner.center();
    form.zoomBand(centre, centre + QPoint(2, 2));
    const PanelView view = *form.view()[0];
    QVERIFY(std::fabs(view.x.width() - 5) < 1e-9);  // 1/20 of the 0..100 range
    QVERIFY(std::fabs(view.y.width() - 2.5) < 1e-9);
    const double middle = (view.x.min + view.x.max) / 2;
    QVERIFY(std::fabs(middle - panel.xMap.toValue(centre.x() + 1)) < 1e-9);
    form.zoomOut(centre);
    QVERIFY(std::fabs(form.view()[0]->x.width() - 10) < 1e-9);

    form.resetZoom();
    const PanelGeometry full = form.geometry().panels.front();
    QCOMPARE(form.readOut(QPoint(full.inner.left(), full.inner.top())), std::string(" X: 0 Y: 50"));
    // Beyond the box the read-out stays on its edge.
    QCOMPARE(form.readOut(QPoint(full.inner.right() + 40, full.inner.bottom() + 40)), std::string(" X: 100 Y: 0"));
  }

  // The Plot menu carries every item; the soil layer and wall items only where there are
  // overlay lines; the lines are checkable items after them.
  void thePlotMenuOffersItsItems() {
    TGraphPlot graph = twoLines();
    ScriptedPlotDialogs dialogs;
    TPlotForm form(graph, dialogs);
    emit form.plotMenu()->aboutToShow();
    QStringList captions;
    for (QAction* item : form.plotMenu()->actions()) captions << item->text();
    QCOMPARE(captions, (QStringList{"Show &Legend", "Show &Markers", "&Font Size", "&Line Width", "&Graph Title",
                                    "&Edit Legend", "&Active Curves", "&Print...", "P&age Setup",
                                    "&Save To Disk...", "", "Curve #1", "Curve #2"}));
    QMenu* markers = form.plotMenu()->actions()[1]->menu();
    QCOMPARE(markers->actions()[3]->text(), QStringLiteral("Every &3 Incrments"));
    markers->actions()[3]->trigger();
    QCOMPARE(graph.Markers, 3);
    form.plotMenu()->actions().back()->trigger();
    QVERIFY(!graph.Line(1).active);

    graph.SetLineCount(2, kOverlayLines);
    graph.WallLineCount = 0;
    emit form.plotMenu()->aboutToShow();
    QCOMPARE(form.plotMenu()->actions()[1]->text(), QStringLiteral("Show &Soil Layer"));
    QVERIFY(form.plotMenu()->actions()[2]->text() != QStringLiteral("Show &Wall Geometry"));
  }

  // The legend dialog refuses an empty name; the active-curves dialog toggles and sets all.
  void dialogsOfTheLegendAndTheActiveCurves() {
    TGraphPlot graph = twoLines();
    ScriptedPlotDialogs dialogs;
    TLegendDialog legend(graph, dialogs);
    legend.selectLine(1);
    QVERIFY(!legend.storeName(""));
    QCOMPARE(dialogs.messages, std::vector<std::string>{kLineNeedsName});
    QVERIFY(legend.storeName("Cut 2"));
    QCOMPARE(legend.names(), (std::vector<std::string>{"Curve #1", "Cut 2"}));

    TActiveCurvesDialog active(graph);
    QCOMPARE(active.list()->item(0)->text(), QStringLiteral("yes : Curve #1"));
    active.toggle(0);
    QCOMPARE(active.list()->item(0)->text(), QStringLiteral("no  : Curve #1"));
    active.list()->item(1)->setSelected(true);
    active.toggleSelected();
    QCOMPARE(active.active(), (std::vector<bool>{false, false}));
    active.setAll(true);
    QCOMPARE(active.active(), (std::vector<bool>{true, true}));
  }

  // Save To Disk writes the picture at width x ppi by height x ppi with its resolution; SVG
  // and PDF as well; printing goes on one page of the printer.
  void savesPicturesAndPrints() {
    testing::TempFolder folder;
    TGraphPlot graph = twoLines();
    ScriptedPlotDialogs dialogs;
    TPlotForm form(graph, dialogs);
    dialogs.files.push_back((folder / "graph").string());
    dialogs.sizes.push_back(ImageSize{6 * 100, 4 * 100, 100});
    QMetaObject::invokeMethod(&form, [&form] {
      for (QAction* item : form.plotMenu()->actions())
        if (item->text() == QStringLiteral("&Save To Disk...")) item->trigger();
    });
    const QImage bitmap((folder / "graph.bmp").c_str());
    QCOMPARE(bitmap.size(), QSize(600, 400));
    QCOMPARE(bitmap.dotsPerMeterX(), 3937);  // 100 per inch
    QVERIFY(inkOf(bitmap) > 500);
    for (const char* name : {"graph.png", "graph.svg", "graph.pdf"}) {
      QVERIFY(form.saveTo((folder / name).string(), ImageSize{400, 300, 96}));
      QVERIFY(std::filesystem::file_size(folder / name) > 1000);
    }
    QVERIFY(testing::readFile(folder / "graph.svg").find("<svg") != std::string::npos);
    QVERIFY(dialogs.messages.empty());
    // A file that cannot be written is said, and nothing else is touched.
    QVERIFY(!form.saveTo((folder / "missing" / "graph.png").string(), ImageSize{400, 300, 96}));
    QCOMPARE(dialogs.messages.size(), 1u);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder / "printed.pdf").string()));
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    QVERIFY(form.printOn(printer));
    QCOMPARE(testing::readFile(folder / "printed.pdf").substr(0, 4), std::string("%PDF"));
  }

  // Pictures hold ink, change when the data change, and hide inactive lines.
  void picturesFollowTheData() {
    TGraphPlot graph = twoLines();
    const QImage first = drawn(graph);
    QVERIFY(inkOf(first) > 1000);
    graph.Line(1).points[1].x = 55;
    QVERIFY(drawn(graph) != first);
    graph.Line(1).points[1].x = 30;
    QCOMPARE(drawn(graph), first);
    graph.Line(0).active = false;
    QVERIFY(drawn(graph) != first);
  }

  // korvex-plot draws every graph of a real run's plot file, one picture a graph, and refuses
  // a damaged file without writing anything.
  void thePlotToolDrawsEveryGraphOfARun() {
    testing::TempFolder folder;
    const std::filesystem::path plot = exampleOutputs(folder, "tied_wall_user_curves");
    std::ostringstream out, err;
    const std::filesystem::path pictures = folder / "pictures";
    QCOMPARE(runPlotTool({plot.string(), "--out", pictures.string(), "--size", "640x480"}, out, err), 0);
    QCOMPARE(err.str(), std::string());
    for (int g = 0; g < kGraphCount; ++g) {
      const std::filesystem::path picture =
          pictures / ("tied_wall_user_curves-" + std::string(graphFileWord(static_cast<GraphIndex>(g))) + ".png");
      const QImage image(picture.c_str());
      QCOMPARE(image.size(), QSize(640, 480));
      QVERIFY(inkOf(image) > 1000);
    }
    const QImage moment((pictures / "tied_wall_user_curves-moment.png").c_str());
    QVERIFY(moment != QImage((pictures / "tied_wall_user_curves-shear.png").c_str()));

    std::ostringstream out2, err2;
    QCOMPARE(runPlotTool({plot.string(), "--out", pictures.string(), "--format", "svg"}, out2, err2), 0);
    QVERIFY(std::filesystem::exists(pictures / "tied_wall_user_curves-deflection-moment-shear.svg"));

    const std::string whole = testing::readFile(plot);
    testing::writeFile(folder / "damaged.kx5p", whole.substr(0, whole.size() / 2));
    std::ostringstream out3, err3;
    QCOMPARE(runPlotTool({(folder / "damaged.kx5p").string(), "--out", (folder / "none").string()}, out3, err3), 2);
    QVERIFY(err3.str().find("damaged.kx5p: Error on Line") != std::string::npos);
    QVERIFY(!std::filesystem::exists(folder / "none"));

    std::ostringstream out4, err4;
    QCOMPARE(runPlotTool({plot.string(), "--out", pictures.string(), "--size", "640"}, out4, err4), 2);
    QCOMPARE(err4.str(), std::string("korvex: --size takes WIDTHxHEIGHT in pixels, each 1 to 20000, not 640\n"));
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::PlotFormTest)
#include "plot_form_test.moc"
