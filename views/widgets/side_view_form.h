// TDlgSideView, the "Side View" window: the soil-wall profile with a "Wall Profile" label and a
// "Print" button. While the pointer moves over the drawing the window's caption reads the depth
// under it. The model is read afresh at every paint, so it always shows the project as it stands.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "views/side_view_model.h"

class QPrinter;

namespace korvex {

class PlotDialogs;

inline constexpr const char* kSideViewCaption = "Side View";
inline constexpr const char* kSideViewPrintTitle = "Soil-Pile Profile";

class TDlgSideView : public QWidget {
  Q_OBJECT

 public:
  // `dialogs` answers the printer dialog and shows messages; it must outlive the window.
  TDlgSideView(std::function<SideViewModel()> model, PlotDialogs& dialogs, QWidget* parent = nullptr);
  ~TDlgSideView() override;

  // The drawing area, whose pixels the caption's depth is read in.
  QWidget* canvas() const { return m_canvas; }
  // "Print": the printer dialog, then the drawing on a landscape page.
  void print();
  // The drawing on `printer`'s page, landscape, on white, in a job titled "Soil-Pile Profile".
  bool printOn(QPrinter& printer);

 private:
  class Canvas;
  std::function<SideViewModel()> m_model;
  PlotDialogs& m_dialogs;
  QWidget* m_canvas = nullptr;
  std::unique_ptr<QPrinter> m_printer;
};

}  // namespace korvex
