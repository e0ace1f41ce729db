#include "views/widgets/side_view_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/widgets/plot_dialogs.h"
#include "views/render/side_view_painter.h"
#include "views/side_view.h"

namespace korvex {

// The drawing: the window's colours on screen, the depth under the pointer in the caption.
class TDlgSideView::Canvas : public QWidget {
 public:
  explicit Canvas(TDlgSideView& form) : QWidget(&form), m_form(form) {
    setMouseTracking(true);
    setMinimumSize(100, 100);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintSideView(painter, rect(), m_form.m_model(), {palette().color(QPalette::Window), palette().color(QPalette::Dark)});
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const auto caption = depthCaption(m_form.m_model(), width(), height(), event->position().toPoint().y());
    if (caption) m_form.setWindowTitle(QString::fromStdString(*caption));
  }

 private:
  TDlgSideView& m_form;
};

TDlgSideView::TDlgSideView(std::function<SideViewModel()> model, PlotDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_model(std::move(model)), m_dialogs(dialogs) {
  setWindowTitle(QString::fromLatin1(kSideViewCaption));
  auto* title = new QLabel(QStringLiteral("Wall Profile"), this);
  auto* print = new QPushButton(QStringLiteral("Print"), this);
  m_canvas = new Canvas(*this);
  auto* top = new QHBoxLayout;
  top->addWidget(title);
  top->addStretch();
  top->addWidget(print);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_canvas, 1);
  connect(print, &QPushButton::clicked, this, &TDlgSideView::print);
  resize(580, 431);
}

TDlgSideView::~TDlgSideView() = default;

void TDlgSideView::print() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  m_printer->setPageOrientation(QPageLayout::Landscape);
  if (m_dialogs.choosePrinter(this, *m_printer) && !printOn(*m_printer))
    m_dialogs.information(this, "The side view could not be printed.");
}

bool TDlgSideView::printOn(QPrinter& printer) {
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(QString::fromLatin1(kSideViewPrintTitle));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page(QPoint(0, 0), printer.pageRect(QPrinter::DevicePixel).size().toSize());
  paintSideView(painter, page, m_model());
  return painter.end();
}

}  // namespace korvex
