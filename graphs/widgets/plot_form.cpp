#include "graphs/widgets/plot_form.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRubberBand>
#include <QVBoxLayout>

#include <algorithm>

#include "graphs/paint/graph_painter.h"
#include "graphs/widgets/plot_dialogs.h"

namespace korvex {

namespace {

struct Choice {
  const char* caption;
  int value;
};

constexpr Choice kMarkerChoices[] = {{"&Never", 0},
                                     {"Every &Increment", 1},
                                     {"Every &2 Increments", 2},
                                     {"Every &3 Incrments", 3},
                                     {"Every &5 Increments", 5},
                                     {"Every &10 Incements", 10}};
constexpr Choice kFontChoices[] = {{"&Default", 10},       {"1.5 * Default", 15}, {"2 * Default", 20},
                                   {"2.5 * Default", 25}, {"3 * Default", 30},   {"4 * Default", 40}};
constexpr Choice kWidthChoices[] = {
    {"&Default", 1}, {"2 * Default", 2}, {"4 * Default", 4}, {"6 * Default", 6}, {"10 * Default", 10}};

QPoint clampedInto(QPoint point, const QRect& box) {
  return {std::clamp(point.x(), box.left(), box.right()), std::clamp(point.y(), box.top(), box.bottom())};
}

ViewSpan spanOf(const AxisRange& range) { return {range.min, range.max}; }

}  // namespace

TPlotForm::TPlotForm(TGraphPlot& graph, PlotDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_graph(graph), m_dialogs(dialogs) {
  setWindowTitle(QString::fromStdString(graph.Caption));
  setMouseTracking(true);
  setMinimumSize(320, 260);
  setAttribute(Qt::WA_OpaquePaintEvent);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_menuBar = new QMenuBar(this);
  m_menuBar->setNativeMenuBar(false);
  layout->setMenuBar(m_menuBar);
  layout->addStretch();
  buildMenu();
  m_band = new QRubberBand(QRubberBand::Rectangle, this);
  resize(graph.ShowThree ? 1100 : 700, 760);
}

TPlotForm::~TPlotForm() = default;

QRect TPlotForm::plotArea() const {
  const int top = m_menuBar->isVisible() ? m_menuBar->height() : m_menuBar->sizeHint().height();
  return rect().adjusted(0, top, 0, 0);
}

void TPlotForm::relayout() { m_geometry = layoutGraph(m_graph, *this, plotArea(), m_view); }

void TPlotForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  relayout();
}

void TPlotForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  m_geometry = drawGraph(painter, plotArea(), m_graph, m_view);
}

// ---------------------------------------------------------------------------------------------
// Mouse

std::string TPlotForm::readOut(QPoint point) {
  relayout();
  int panel = m_geometry.panelAt(point);
  if (panel < 0) panel = point.x() < m_geometry.panels.front().box.left() ? 0 : static_cast<int>(m_geometry.panels.size()) - 1;
  const PanelGeometry& p = m_geometry.panels[static_cast<std::size_t>(panel)];
  const QPoint inside = clampedInto(point, p.inner);
  return " X: " + graphNumber(p.xMap.toValue(inside.x()), 5) + " Y: " + graphNumber(p.yMap.toValue(inside.y()), 5);
}

void TPlotForm::setCaption(const std::string& readOut) {
  setWindowTitle(QString::fromStdString(m_graph.Caption + readOut));
}

void TPlotForm::zoomBand(QPoint from, QPoint to) {
  relayout();
  const PanelGeometry& p = m_geometry.panels.front();
  const QPoint a = clampedInto(from, p.inner);
  const QPoint b = clampedInto(to, p.inner);
  m_view[0] = PanelView{zoomToBand(p.xMap.toValue(a.x()), p.xMap.toValue(b.x()), spanOf(p.full.x)),
                        zoomToBand(p.yMap.toValue(a.y()), p.yMap.toValue(b.y()), spanOf(p.full.y))};
  relayout();
  update();
}

void TPlotForm::zoomOut(QPoint at) {
  relayout();
  const int panel = std::max(0, m_geometry.panelAt(at));
  const PanelGeometry& p = m_geometry.panels[static_cast<std::size_t>(panel)];
  const QPoint inside = clampedInto(at, p.inner);
  m_view[static_cast<std::size_t>(panel)] =
      PanelView{zoomOutAround(p.xMap.toValue(inside.x()), spanOf(p.x), spanOf(p.full.x)),
                zoomOutAround(p.yMap.toValue(inside.y()), spanOf(p.y), spanOf(p.full.y))};
  relayout();
  update();
}

void TPlotForm::resetZoom() {
  m_view = {};
  relayout();
  update();
}

void TPlotForm::mousePressEvent(QMouseEvent* event) {
  relayout();
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    zoomOut(at);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  m_moved = false;
  if (m_geometry.legend.frame.contains(at)) {
    m_legendGrab = at - m_geometry.legend.frame.topLeft();
  } else if (!m_graph.ShowThree) {
    m_bandStart = at;
    m_band->setGeometry(QRect(at, QSize()));
    m_band->show();
  }
}

void TPlotForm::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  setCaption(readOut(at));
  if (m_legendGrab) {
    const QRect& box = m_geometry.panels.front().box;
    const QPoint corner = at - *m_legendGrab - box.topLeft();
    m_graph.LegendX = std::clamp(static_cast<double>(corner.x()) / std::max(1, box.width()), 0.0, 1.0);
    m_graph.LegendY = std::clamp(static_cast<double>(corner.y()) / std::max(1, box.height()), 0.0, 1.0);
    update();
  } else if (m_bandStart) {
    m_moved = m_moved || (at - *m_bandStart).manhattanLength() > 2;
    m_band->setGeometry(QRect(*m_bandStart, at).normalized());
  }
}

void TPlotForm::mouseReleaseEvent(QMouseEvent* event) {
  if (m_bandStart && m_moved) zoomBand(*m_bandStart, event->position().toPoint());
  m_band->hide();
  m_bandStart.reset();
  m_legendGrab.reset();
}

void TPlotForm::mouseDoubleClickEvent(QMouseEvent* event) {
  relayout();
  const int entry = m_geometry.legendEntryAt(event->position().toPoint());
  if (entry >= 0) toggleLine(entry);
}

void TPlotForm::toggleLine(int index) {
  if (index < 0 || index >= m_graph.LineCount()) return;
  m_graph.Line(index).active = !m_graph.Line(index).active;
  update();
}

// ---------------------------------------------------------------------------------------------
// Plot menu

void TPlotForm::buildMenu() {
  m_menu = m_menuBar->addMenu(QStringLiteral("&Plot"));
  connect(m_menu, &QMenu::aboutToShow, this, &TPlotForm::fillMenu);
  fillMenu();
}

void TPlotForm::fillMenu() {
  m_menu->clear();
  const auto toggle = [this](const QString& caption, bool& setting) {
    QAction* item = m_menu->addAction(caption);
    item->setCheckable(true);
    item->setChecked(setting);
    connect(item, &QAction::triggered, this, [this, &setting] {
      setting = !setting;
      update();
    });
    return item;
  };
  const auto choices = [this](const QString& caption, const auto& list, int& setting) {
    QMenu* submenu = m_menu->addMenu(caption);
    auto* group = new QActionGroup(submenu);
    for (const Choice& choice : list) {
      QAction* item = submenu->addAction(QString::fromLatin1(choice.caption));
      item->setCheckable(true);
      item->setChecked(setting == choice.value);
      group->addAction(item);
      connect(item, &QAction::triggered, this, [this, &setting, value = choice.value] {
        setting = value;
        update();
      });
    }
  };
  toggle(QStringLiteral("Show &Legend"), m_graph.ShowLegend);
  if (m_graph.LineCount(kOverlayLines) > 0) toggle(QStringLiteral("Show &Soil Layer"), m_graph.ShowLayers);
  if (m_graph.WallLineCount > 0)
    toggle(QStringLiteral("Show &Wall Geometry"), m_graph.ShowWall)->setEnabled(m_graph.ShowLayers);
  choices(QStringLiteral("Show &Markers"), kMarkerChoices, m_graph.Markers);
  if (m_graph.ShowFontWidth) {
    choices(QStringLiteral("&Font Size"), kFontChoices, m_graph.SizeFont);
    choices(QStringLiteral("&Line Width"), kWidthChoices, m_graph.WidthLine);
  }
  connect(m_menu->addAction(QStringLiteral("&Graph Title")), &QAction::triggered, this, &TPlotForm::editTitle);
  connect(m_menu->addAction(QStringLiteral("&Edit Legend")), &QAction::triggered, this, &TPlotForm::editLegend);
  connect(m_menu->addAction(QStringLiteral("&Active Curves")), &QAction::triggered, this,
          &TPlotForm::editActiveCurves);
  connect(m_menu->addAction(QStringLiteral("&Print...")), &QAction::triggered, this, &TPlotForm::print);
  connect(m_menu->addAction(QStringLiteral("P&age Setup")), &QAction::triggered, this, &TPlotForm::pageSetup);
  connect(m_menu->addAction(QStringLiteral("&Save To Disk...")), &QAction::triggered, this, &TPlotForm::saveToDisk);
  m_menu->addSeparator();
  for (int i = 0; i < m_graph.LineCount(); ++i) {
    QAction* line = m_menu->addAction(QString::fromStdString(m_graph.LineName(i)));
    line->setCheckable(true);
    line->setChecked(m_graph.Line(i).active);
    connect(line, &QAction::triggered, this, [this, i] { toggleLine(i); });
  }
}

void TPlotForm::editTitle() {
  TGraphCaptionDialog dialog(m_graph.Title, m_graph.TitleAt, this);
  if (dialog.exec() == QDialog::Accepted) setGraphTitle(dialog.title(), dialog.position());
}

void TPlotForm::setGraphTitle(const std::string& title, TitlePosition at) {
  m_graph.Title = title;
  m_graph.TitleAt = at;
  update();
}

void TPlotForm::editLegend() {
  TLegendDialog dialog(m_graph, m_dialogs, this);
  dialog.exec();
  setLegendNames(dialog.names());
}

void TPlotForm::setLegendNames(const std::vector<std::string>& names) {
  m_graph.LegendNames = names;
  // A name chosen in the dialog stands in the legend over a line's own.
  for (int i = 0; i < m_graph.LineCount() && i < static_cast<int>(names.size()); ++i)
    m_graph.Line(i).name.clear();
  update();
}

void TPlotForm::editActiveCurves() {
  TActiveCurvesDialog dialog(m_graph, this);
  if (dialog.exec() == QDialog::Accepted) setActiveLines(dialog.active());
}

void TPlotForm::setActiveLines(const std::vector<bool>& active) {
  for (int i = 0; i < m_graph.LineCount() && i < static_cast<int>(active.size()); ++i)
    m_graph.Line(i).active = active[static_cast<std::size_t>(i)];
  update();
}

QPrinter& TPlotForm::printer() {
  if (!m_printer) {
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
  }
  return *m_printer;
}

void TPlotForm::print() {
  if (m_dialogs.choosePrinter(this, printer()) && !printOn(printer()))
    m_dialogs.information(this, "The graph could not be printed.");
}

void TPlotForm::pageSetup() { m_dialogs.setUpPage(this, printer()); }

bool TPlotForm::printOn(QPrinter& target) {
  QPainter painter;
  if (!painter.begin(&target)) return false;
  // The painter's origin is the corner of the page inside the page-setup margins.
  const QRect page(QPoint(0, 0), target.pageRect(QPrinter::DevicePixel).size().toSize());
  drawGraph(painter, page, m_graph, m_view);
  return painter.end();
}

void TPlotForm::saveToDisk() {
  const std::optional<std::string> path = m_dialogs.chooseImageFile(this);
  if (!path) return;
  const std::optional<ImageSize> size = m_dialogs.chooseSaveAttributes(this);
  if (size) saveTo(*path, *size);
}

bool TPlotForm::saveTo(const std::string& path, const ImageSize& size) {
  std::filesystem::path file(path);
  std::optional<ImageFormat> format = imageFormatOfName(file);
  if (!format) {
    format = ImageFormat::Bmp;
    file += ".bmp";
  }
  const std::string problem = writeGraphImage(m_graph, file, *format, size, m_view);
  if (!problem.empty()) m_dialogs.information(this, problem);
  return problem.empty();
}

}  // namespace korvex
