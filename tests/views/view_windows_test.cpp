// The views on a screen with OpenGL (run under xvfb-run with the xcb platform): a snapshot
// rendered without a window, the 3-D View, its Deformed Shape window and the Side View driven
// through the main window's commands, and korvex-plot's --views.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <sstream>

#include "gui/gui_test_support.h"
#include "entry/widgets/data_edit.h"
#include "graphs/plot_tool/plot_tool.h"
#include "test_support.h"
#include "views/model_extents.h"
#include "views/render/model_snapshot.h"
#include "views/scene_builder.h"
#include "views/side_view.h"
#include "views/view_model.h"
#include "views/widgets/deformed_shape_form.h"
#include "views/widgets/gl_window.h"
#include "views/widgets/side_view_form.h"
#include "views/widgets/view3d_form.h"
#include "views/views_test_support.h"

namespace korvex {

namespace {

constexpr const char* kExample = "tied_back_wall_in_soft_clay";

// Share of an image's pixels that are not white.
double drawnShare(const QImage& image) {
  long long drawn = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++drawn;
  return static_cast<double>(drawn) / (static_cast<double>(image.width()) * image.height());
}

}  // namespace

class ViewWindowsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir m_folder;
  testing::ScriptedDialogs* m_dialogs = nullptr;

  std::filesystem::path folder() const { return m_folder.path().toStdString(); }

  // The example and the results of a run of it, side by side in the test's folder.
  std::filesystem::path exampleWithResults() {
    const std::string data =
        testing::readFile(std::filesystem::path(KORVEX_EXAMPLES) / (std::string(kExample) + ".kx5d"));
    testing::TempFolder run;
    testing::runEngineOn(run, data, kExample);
    for (const char* extension : {".kx5d", ".kx5p"})
      std::filesystem::copy_file(run / (kExample + std::string(extension)), folder() / (kExample + std::string(extension)),
                                 std::filesystem::copy_options::overwrite_existing);
    return folder() / (std::string(kExample) + ".kx5d");
  }

  // The scene of the example and a snapshot of it from the first view.
  QImage snapshotOf(const ShowOptions& show, const DeformedWall* deformed = nullptr) {
    testing::ViewProject p;
    p.open(kExample);
    const ViewModel model = viewModelOf(p.data, p.tables);
    const ModelExtents extents = extentsOf(model);
    ViewCamera camera;
    camera.setModel(extents);
    const ModelSnapshot snapshot = renderModelSnapshot(buildScene(model, extents, show, deformed), camera, show.axes, {400, 300});
    if (!snapshot.error.empty()) qWarning("%s", snapshot.error.c_str());
    return snapshot.image;
  }

 private slots:
  void aSnapshotShowsTheModelAndChangesWithIt() {
    ShowOptions show;
    const QImage all = snapshotOf(show);
    QCOMPARE(all.size(), QSize(400, 300));
    // The cross-section of the soil blocks, 25 ft across and 40 ft deep in a depth range of
    // 80 ft, covers some 7 % of the picture.
    QVERIFY2(drawnShare(all) > 0.05, "the snapshot is blank");
    show.soilLayers = false;
    const QImage noSoil = snapshotOf(show);
    QVERIFY(drawnShare(noSoil) < drawnShare(all));
    std::vector<double> displacement(181);
    for (std::size_t j = 0; j < displacement.size(); ++j) displacement[j] = 3.0 * static_cast<double>(j) / 180;
    const DeformedWall deformed{displacement};
    show.deformedShape = true;
    QVERIFY(snapshotOf(show, &deformed) != noSoil);
  }

  void theThreeDViewOpensWithItsMenuAndButtonsAndClosesWithThem() {
    const std::filesystem::path data = exampleWithResults();
    std::unique_ptr<TMainForm> form = testing::makeMainForm(m_dialogs);
    form->start(data.string());
    form->show();
    QVERIFY(!form->action("BtnView0")->isVisible());
    form->action("Comp3DView")->trigger();
    TDlgBlock* view = form->view3D();
    QVERIFY(view != nullptr);
    for (int i = 0; i < 8; ++i) QVERIFY(form->action(QStringLiteral("BtnView%1").arg(i))->isVisible());
    QVERIFY(form->action("BtnView7")->isEnabled());  // results are loaded
    QVERIFY(form->action("View3DSoil")->isChecked());

    // A show toggle of the menu rebuilds the scene without the layers.
    form->action("View3DSoil")->trigger();
    QVERIFY(!view->showOptions().soilLayers);
    QCOMPARE(testing::countOf(view->glWindow()->scene(), SceneItem::SoilLayer), 0);
    QVERIFY(testing::countOf(view->glWindow()->scene(), SceneItem::Tieback) > 0);
    form->action("BtnView4")->trigger();
    QCOMPARE(view->glWindow()->camera().zoom(), kZoomStep);
    QVERIFY(QTest::qWaitForWindowExposed(view->glWindow()));
    QVERIFY(view->glWindow()->hasOpenGL());
    // Seen along the wall without the soil: the wall's edge, a tieback, the water marks.
    const double withoutSoil = drawnShare(view->glWindow()->grabFramebuffer());
    QVERIFY(withoutSoil > 0);
    form->action("View3DSoil")->trigger();
    QVERIFY(drawnShare(view->glWindow()->grabFramebuffer()) > withoutSoil + 0.05);

    // The zoom-window button: a drag of the left button zooms into the rectangle.
    form->action("BtnView1")->trigger();
    QCOMPARE(view->glWindow()->mouseMode(), MouseMode::ZoomWindow);
    QTest::mousePress(view->glWindow(), Qt::LeftButton, {}, {100, 100});
    QTest::mouseMove(view->glWindow(), {150, 130});
    QTest::mouseRelease(view->glWindow(), Qt::LeftButton, {}, {150, 130});
    QVERIFY(view->glWindow()->camera().zoom() > kZoomStep);

    // Closing the view takes its menu and buttons away; the next view starts afresh.
    form->action("View3DSoil")->trigger();
    testing::mdiArea(*form)->activeSubWindow()->close();
    QTRY_VERIFY(form->view3D() == nullptr);
    for (int i = 0; i < 8; ++i) QVERIFY(!form->action(QStringLiteral("BtnView%1").arg(i))->isVisible());
    form->action("Comp3DView")->trigger();
    QVERIFY(form->view3D()->showOptions().soilLayers);
    QCOMPARE(form->view3D()->glWindow()->camera().zoom(), 1.0);
  }

  void theDeformedShapeWindowMagnifiesTheDeflectionsOfTheResults() {
    std::unique_ptr<TMainForm> form = testing::makeMainForm(m_dialogs);
    form->start(exampleWithResults().string());
    form->show();
    form->action("Comp3DView")->trigger();
    form->action("BtnView7")->trigger();
    TDlgBlock* view = form->view3D();
    TDeformedShapeForm* window = view->deformedShapeForm();
    QVERIFY(window != nullptr && window->isVisible());
    QVERIFY(!window->factorEdit()->isEnabled());
    window->deformedBox()->setChecked(true);
    QVERIFY(window->factorEdit()->isEnabled());
    // The top moves 0.06225 in and the wall 0.41 in at most: a tenth of its 30 ft is 88 times
    // that, shown as 80.
    QCOMPARE(view->deformedShapeFactor(), 80.0);
    QCOMPARE(window->factor(), 80.0);
    QCOMPARE(view->deformedShapeText(), QStringLiteral("Deflections of Load #1"));
    QCOMPARE(testing::countOf(view->glWindow()->scene(), SceneItem::Wall), 180 * 20);
    window->upButton()->click();
    QCOMPARE(view->deformedShapeFactor(), 90.0);
    window->factorEdit()->selectAll();
    QTest::keyClicks(window->factorEdit(), QStringLiteral("2*5"));
    QCOMPARE(view->deformedShapeFactor(), 10.0);
    window->undeformedBox()->setChecked(true);
    QCOMPARE(testing::countOf(view->glWindow()->scene(), SceneItem::UndeformedWall), 20);
  }

  void theSideViewReadsTheDepthUnderThePointerAndPrintsInLandscape() {
    std::unique_ptr<TMainForm> form = testing::makeMainForm(m_dialogs);
    form->start(exampleWithResults().string());
    form->show();
    QVERIFY(form->action("CompWallGeometry")->isEnabled());
    form->action("CompWallGeometry")->trigger();
    TDlgSideView* view = form->sideView();
    QVERIFY(view != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QWidget* canvas = view->canvas();
    testing::ViewProject p;
    p.open(kExample);
    const SideViewModel model = sideViewModelOf(p.data, p.tables);
    std::vector<SideMark> marks = sideViewMarks(model, canvas->width(), canvas->height(), 12);
    const auto wall = std::find_if(marks.begin(), marks.end(), [](const SideMark& m) { return m.kind == SideMark::Wall; });
    QVERIFY(wall != marks.end());
    QTest::mouseMove(canvas, {canvas->width() / 4, wall->points[0].y});
    QTRY_COMPARE(view->windowTitle(), QStringLiteral("  Depth: 0.0"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = m_folder.filePath(QStringLiteral("profile.pdf"));
    printer.setOutputFileName(pdf);
    QVERIFY(view->printOn(printer));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.docName(), QStringLiteral("Soil-Pile Profile"));
    QVERIFY(QFileInfo(pdf).size() > 1000);
  }

  void korvexPlotWritesBothViews() {
    const std::filesystem::path data = exampleWithResults();
    const std::filesystem::path plot = std::filesystem::path(data).replace_extension(".kx5p");
    const std::filesystem::path out = folder() / "pictures";
    std::ostringstream said, errors;
    const int status = runPlotTool({plot.string(), "--out", out.string(), "--views"}, said, errors);
    QCOMPARE(errors.str(), std::string());
    QCOMPARE(status, 0);
    QVERIFY(said.str().find("magnified 80 times") != std::string::npos);
    for (const char* view : {"side-view", "3d-view"}) {
      const QImage picture(QString::fromStdString((out / (std::string(kExample) + "-" + view + ".png")).string()));
      QCOMPARE(picture.size(), QSize(1000, 750));
      QVERIFY2(drawnShare(picture) > 0.01, view);
    }
  }
};

}  // namespace korvex

QTEST_MAIN(korvex::ViewWindowsTest)
#include "view_windows_test.moc"
