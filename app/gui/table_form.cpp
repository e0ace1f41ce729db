#include "app/gui/table_form.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/gui/explanatory_pictures.h"
#include "app/gui/grid_table_model.h"
#include "app/gui/table_grid.h"
#include "tables/grid_table.h"
#include "tables/table_editing.h"

namespace korvex {

namespace {

QPushButton* rowButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);  // Enter in the grid never presses a button
  return button;
}

}  // namespace

TTableForm::TTableForm(ProjectSession& session, TGridTable& table, bool modal, QWidget* parent)
    : TDataWindow(session, parent), m_table(&table), m_modal(modal) {
  m_model = new TGridTableModel(&table, this);
  m_grid = new TTableGrid(*m_model, [this](const std::string& message) { dialogs().information(this, message); }, this);
  m_grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  connect(m_grid, &TTableGrid::tableEdited, this, &TTableForm::valuesChanged);
  m_add = rowButton(QStringLiteral("BtnAdd"), QStringLiteral("&Add Row"), this);
  m_insert = rowButton(QStringLiteral("BtnIns"), QStringLiteral("&Insert Row"), this);
  m_delete = rowButton(QStringLiteral("BtnDel"), QStringLiteral("&Delete Row"), this);
  connect(m_add, &QPushButton::clicked, this, &TTableForm::addRow);
  connect(m_insert, &QPushButton::clicked, this, &TTableForm::insertRow);
  connect(m_delete, &QPushButton::clicked, this, &TTableForm::deleteRow);
  m_comments = new QLabel(this);
  m_comments->setObjectName(QStringLiteral("lblComments"));
  m_comments->setTextFormat(Qt::PlainText);
  m_picture = new PictureBox(Picture::PressureDiagram, this);
  m_picture->setObjectName(QStringLiteral("imgHelp"));

  m_above = new QVBoxLayout;
  m_beside = new QVBoxLayout;
  auto* gridRow = new QHBoxLayout;
  gridRow->addWidget(m_grid, 1);
  gridRow->addLayout(m_beside);
  m_buttonRow = new QHBoxLayout;
  m_buttonRow->addWidget(m_add);
  m_buttonRow->addWidget(m_insert);
  m_buttonRow->addWidget(m_delete);
  m_buttonRow->addStretch();
  auto* main = new QVBoxLayout(this);
  // A margin of a twentieth of an inch around the grid and between the controls.
  const int margin = std::max(2, logicalDpiX() / 20);
  main->setContentsMargins(margin, margin, margin, margin);
  main->setSpacing(margin);
  main->addLayout(m_above);
  main->addLayout(gridRow, 1);
  main->addLayout(m_buttonRow);
  main->addWidget(m_comments);
  main->addWidget(m_picture, 0, Qt::AlignLeft);

  table.AttachWindow(
      [this](int column, int row) {
        m_model->cellWritten(column, row);
        emit valuesChanged();
      },
      modal, [this] { tableClosing(); });
  table.SetChangeNotification([this] { refresh(); });
}

TTableForm::~TTableForm() { detach(); }

void TTableForm::detach() {
  if (m_table == nullptr) return;
  TGridTable* table = m_table;
  m_table = nullptr;
  m_grid->dropEntry();
  table->DetachWindow();
  m_model->setTable(nullptr);
}

void TTableForm::tableClosing() {
  // Called from inside the table's own operation (a row being deleted, a sub-table replaced):
  // nothing here may touch the table; the window closes once that operation is over.
  m_table = nullptr;
  m_grid->dropEntry();
  m_model->setTable(nullptr);
  QTimer::singleShot(0, this, &TTableForm::closeWindow);
}

void TTableForm::closeWindow() {
  if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    child->close();
  } else if (auto* dialog = qobject_cast<QDialog*>(parentWidget())) {
    dialog->reject();
  } else {
    close();
  }
}

void TTableForm::loadFromProject() { refresh(); }

bool TTableForm::commitToProject() { return m_table == nullptr || m_grid->storeCurrentCell(); }

int TTableForm::shownRowsLimit() const { return kShownRows; }

void TTableForm::refresh() {
  if (m_table == nullptr) return;
  setWindowTitle(QString::fromStdString(windowCaption(*m_table)));
  if (m_shownRows < 0) m_shownRows = initialShownRows(*m_table, shownRowsLimit());
  // The current cell stays where it was (on the last row when its row went).
  const QModelIndex current = m_grid->currentIndex();
  m_model->reload();
  m_grid->attachEditors();
  if (current.isValid() && m_model->rowCount() > 0 && current.column() < m_model->columnCount()) {
    const QModelIndex kept = m_model->index(std::min(current.row(), m_model->rowCount() - 1), current.column());
    m_grid->selectionModel()->setCurrentIndex(
        kept, (m_model->flags(kept) & Qt::ItemIsSelectable) ? QItemSelectionModel::ClearAndSelect
                                                            : QItemSelectionModel::NoUpdate);
  }
  const RowButtons buttons = rowButtons(*m_table);
  for (QPushButton* button : {m_add, m_insert, m_delete}) button->setVisible(buttons.visible);
  m_add->setEnabled(buttons.addEnabled);
  m_insert->setEnabled(buttons.addEnabled);
  m_delete->setEnabled(buttons.deleteEnabled);
  QString comments = QString::fromStdString(m_table->Comments());
  comments.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  m_comments->setText(comments);
  m_comments->setVisible(!comments.isEmpty());
  const std::optional<Picture> picture = pictureNamed(m_table->HelpPicture());
  if (picture) m_picture->setPicture(*picture);
  m_picture->setVisible(picture.has_value());
  fitGrid();
  emit valuesChanged();
}

void TTableForm::fitGrid() {
  if (m_table == nullptr) return;
  const int rows = std::max(1, std::min(m_shownRows, m_table->RowCount()));
  int width = std::max(m_grid->verticalHeader()->minimumWidth(), m_grid->verticalHeader()->sizeHint().width());
  for (int c = 0; c < m_model->columnCount(); ++c) width += m_grid->columnWidth(c);
  int height = m_grid->horizontalHeader()->sizeHint().height() + rows * m_grid->rowHeight();
  const int frame = 2 * m_grid->frameWidth();
  if (rows < m_table->RowCount()) width += m_grid->verticalScrollBar()->sizeHint().width();
  m_grid->setPreferredSize(QSize(width + frame, height + frame));
}

void TTableForm::growToFit() {
  QWidget* frame = parentWidget();
  if (frame == nullptr || !(qobject_cast<QMdiSubWindow*>(frame) || qobject_cast<QDialog*>(frame))) return;
  if (frame->isMaximized() || frame->isMinimized()) return;
  const QSize need = frame->sizeHint();
  m_snapping = true;
  frame->resize(std::max(frame->width(), need.width()), std::max(frame->height(), need.height()));
  m_snapping = false;
}

void TTableForm::addRow() {
  if (m_table == nullptr || !m_grid->storeCurrentCell()) return;
  const int before = m_table->RowCount();
  m_shownRows = shownRowsAfterAdd(m_shownRows, before, *m_table, shownRowsLimit());
  addRowGroup(*m_table);  // the table's notification shows it afresh
  if (m_table == nullptr) return;
  growToFit();
  const QModelIndex first = m_model->index(before, 0);
  m_grid->scrollToBottom();
  if (first.isValid() && (m_model->flags(first) & Qt::ItemIsSelectable)) m_grid->setCurrentIndex(first);
}

void TTableForm::insertRow() {
  if (m_table == nullptr || !m_grid->storeCurrentCell()) return;
  if (auto refused = insertRowGroup(*m_table, m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() : -1))
    dialogs().information(this, *refused);
}

void TTableForm::deleteRow() {
  if (m_table == nullptr || !m_grid->storeCurrentCell()) return;
  if (auto refused = deleteRowGroup(*m_table, m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() : -1))
    dialogs().information(this, *refused);
}

void TTableForm::closeEvent(QCloseEvent* event) {
  // Reached once the window's closing was allowed (the main window committed it first).
  detach();
  QWidget::closeEvent(event);
}

void TTableForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_snapping || m_snapPending || !isVisible()) return;
  m_snapPending = true;
  QTimer::singleShot(0, this, [this] {
    m_snapPending = false;
    snapToWholeCells();
  });
}

void TTableForm::snapToWholeCells() {
  auto* child = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (m_table == nullptr || child == nullptr || child->isMaximized() || child->isMinimized()) return;
  std::vector<int> widths;
  for (int c = 0; c < m_model->columnCount(); ++c) widths.push_back(m_grid->columnWidth(c));
  const QSize view = m_grid->viewport()->size();
  const int label = m_grid->verticalHeader()->width();
  const GridFit fit = fitWholeRowsAndColumns(view.width() + label, view.height(), label, 0, m_grid->rowHeight(),
                                             widths, std::max(0, m_grid->columnAt(0)), m_table->RowCount());
  m_shownRows = fit.rows;
  const int spareWidth = std::max(0, view.width() + label - fit.width);
  const int spareHeight = std::max(0, view.height() - fit.height);
  if (spareWidth == 0 && spareHeight == 0) return;
  // Never narrower than the comments, the buttons and the picture need.
  const QSize least = child->minimumSizeHint();
  m_snapping = true;
  child->resize(std::max(child->width() - spareWidth, least.width()),
                std::max(child->height() - spareHeight, least.height()));
  m_snapping = false;
}

}  // namespace korvex
