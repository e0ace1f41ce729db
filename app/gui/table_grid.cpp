#include "app/gui/table_grid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

#include "app/gui/grid_table_model.h"
#include "tables/column_types.h"
#include "tables/table_editing.h"

namespace korvex {

namespace {

// An in-cell editor that is a widget of the grid's viewport. The column owns it; it deletes
// its widget when it goes, after cutting the widget's signals, so that nothing reaches a
// column that has let it go.
class CellEditorWidget : public TCellEditor {
 public:
  explicit CellEditorWidget(QWidget* widget) : m_widget(widget) { m_widget->hide(); }
  ~CellEditorWidget() override {
    if (!m_widget) return;
    m_widget->disconnect();
    m_widget->hide();
    m_widget->deleteLater();
  }
  QWidget* widget() const { return m_widget; }
  void SetVisible(bool visible) override {
    if (m_widget) m_widget->setVisible(visible);
  }

 private:
  QPointer<QWidget> m_widget;
};

// A drop-down list over an enum cell: the wheel scrolls the grid unless the list has the focus.
class CellComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> entered;

 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (!hasFocus()) {
      event->ignore();
      return;
    }
    QComboBox::wheelEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QComboBox::focusInEvent(event);
    if (entered && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) entered();
  }
};

class ComboEditor : public CellEditorWidget {
 public:
  explicit ComboEditor(CellComboBox* combo) : CellEditorWidget(combo), m_combo(combo) {}
  void SetItemIndex(int index) override {
    if (!m_combo) return;
    // Only the user's choice (activated) reaches the column, never this filling.
    const QSignalBlocker quiet(m_combo);
    m_combo->setCurrentIndex(index >= 0 && index < m_combo->count() ? index : -1);
  }

 private:
  QPointer<CellComboBox> m_combo;
};

class ButtonEditor : public CellEditorWidget {
 public:
  explicit ButtonEditor(QPushButton* button) : CellEditorWidget(button), m_button(button) {}
  void SetCaption(const std::string& caption) override {
    if (m_button) m_button->setText(QString::fromStdString(caption));
  }

 private:
  QPointer<QPushButton> m_button;
};

// The entry over a typed cell. Storing is the grid's: the delegate stores nothing itself, it
// hands the keys that leave the entry and the entry's loss of focus to the grid.
class CellEntryDelegate : public QStyledItemDelegate {
 public:
  explicit CellEntryDelegate(TTableGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    auto* entry = new QLineEdit(parent);
    entry->setObjectName(QStringLiteral("CellEntry"));
    entry->setFrame(false);
    m_grid.entryOpened(entry, index);
    return entry;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* entry = qobject_cast<QLineEdit*>(editor)) entry->setText(index.data(Qt::EditRole).toString());
  }
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
          key == Qt::Key_Escape) {
        m_grid.entryKey(key);
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      m_grid.entryFocusLost(static_cast<QFocusEvent*>(event)->reason());
    }
    (void)watched;
    return false;
  }

 private:
  TTableGrid& m_grid;
};

}  // namespace

TTableGrid::TTableGrid(TGridTableModel& model, std::function<void(const std::string&)> showMessage, QWidget* parent)
    : QTableView(parent), m_model(model), m_showMessage(std::move(showMessage)) {
  setObjectName(QStringLiteral("Grid"));
  setModel(&model);
  setItemDelegate(new CellEntryDelegate(*this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setCornerButtonEnabled(false);
  // Tab leaves the grid for the row buttons and the drop-down lists and buttons over the cells
  // (the arrows move between cells); inside an open entry Tab stores it and moves on.
  setTabKeyNavigation(false);
  setWordWrap(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setHighlightSections(false);
  // A reset of the model (rows added, units changed) takes the open entry with it.
  connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_entry = nullptr; });
  // The top-left cell shows the table's TopLeft text, which the view leaves blank.
  if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TTableGrid::placeEditors);
}

TTableGrid::~TTableGrid() = default;

// ---------------------------------------------------------------------------------------------
// Editors

std::unique_ptr<TCellEditor> TTableGrid::CreateComboBox(const std::vector<std::string>& items, int dropDownCount) {
  TColumn* column = m_attaching;
  auto* combo = new CellComboBox(viewport());
  combo->setObjectName(QStringLiteral("CellCombo"));
  for (const std::string& item : items) combo->addItem(QString::fromStdString(item));
  combo->setMaxVisibleItems(dropDownCount);
  combo->setFocusPolicy(Qt::StrongFocus);
  auto editor = std::make_unique<ComboEditor>(combo);
  ComboEditor* self = editor.get();
  connect(combo, &QComboBox::activated, this, [this, column, self](int item) { comboChosen(*column, self->Tag(), item); });
  combo->entered = [this, column, self] { editorEntered(self->Tag(), *column); };
  return editor;
}

std::unique_ptr<TCellEditor> TTableGrid::CreateButton() {
  TColumn* column = m_attaching;
  auto* button = new QPushButton(viewport());
  button->setObjectName(QStringLiteral("CellButton"));
  button->setAutoDefault(false);
  auto editor = std::make_unique<ButtonEditor>(button);
  ButtonEditor* self = editor.get();
  connect(button, &QPushButton::clicked, this, [this, column, self] { buttonClicked(*column, self->Tag()); });
  return editor;
}

int TTableGrid::TextWidth(const std::string& text) const {
  return fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

int TTableGrid::PixelsPerInch() const { return logicalDpiX(); }

int TTableGrid::rowHeight() const {
  QComboBox combo;
  QPushButton button;
  return std::max({fontMetrics().height() + 8, combo.sizeHint().height() + 2, button.sizeHint().height() + 2});
}

int TTableGrid::labelWidth() const { return verticalHeader()->width(); }

int TTableGrid::headerHeight() const { return horizontalHeader()->height(); }

void TTableGrid::attachEditors() {
  TGridTable* table = m_model.table();
  if (table == nullptr) return;
  for (int c = 0; c < table->VisibleColumnCount(); ++c) {
    TColumn& column = table->VisibleColumn(c);
    setColumnWidth(c, column.MinWidth(*this));
    if (!column.UsesEditors()) continue;
    if (table->RowCount() == 0) {
      column.ReleaseEditors();
      continue;
    }
    m_attaching = &column;
    try {
      column.AttachEditors(this, 0, table->RowCount());
    } catch (const std::exception& error) {
      showMessage(error.what());
    }
    m_attaching = nullptr;
  }
  verticalHeader()->setDefaultSectionSize(rowHeight());
  // Row labels at least a third of an inch wide, and room for the top-left text.
  const int topLeft = TextWidth(table->TopLeft()) + fontMetrics().averageCharWidth() * 2;
  verticalHeader()->setMinimumWidth(std::max(PixelsPerInch() / 3, topLeft));
  updateGeometries();
  placeEditors();
}

void TTableGrid::placeEditors() {
  TGridTable* table = m_model.table();
  if (table == nullptr) return;
  const QRect area = viewport()->rect();
  for (int c = 0; c < table->VisibleColumnCount(); ++c) {
    const TColumn& column = table->VisibleColumn(c);
    for (int i = 0; i < column.EditorCount(); ++i) {
      auto* editor = dynamic_cast<CellEditorWidget*>(&column.Editor(i));
      if (editor == nullptr || editor->widget() == nullptr) continue;
      const int row = editor->Tag();
      const QRect cell = row >= 0 && row < m_model.rowCount() ? visualRect(m_model.index(row, c)) : QRect();
      const bool shown = cell.isValid() && area.intersects(cell) && !isColumnHidden(c);
      if (shown) editor->widget()->setGeometry(cell.adjusted(1, 1, -1, -1));
      editor->widget()->setVisible(shown);
    }
  }
}

void TTableGrid::comboChosen(TColumn& column, int tag, int item) {
  auto* list = dynamic_cast<TEnumColumn*>(&column);
  if (list == nullptr) return;
  if (!storeCurrentCell()) {
    // The refused entry keeps the grid: the list shows the cell's value again.
    for (int i = 0; i < list->EditorCount(); ++i) {
      if (list->Editor(i).Tag() == tag) list->Editor(i).SetItemIndex(list->GetInt(tag) - 1);
    }
    return;
  }
  try {
    if (tag >= 0 && tag < list->CellCount() && list->GetInt(tag) == item + 1) return;
    list->ComboChanged(tag, item);
    if (TGridTable* table = m_model.table()) table->SetChanged(true);
  } catch (const std::exception& error) {
    showMessage(error.what());
  }
  emit tableEdited();
}

void TTableGrid::buttonClicked(TColumn& column, int tag) {
  auto* tables = dynamic_cast<TTableColumn*>(&column);
  if (tables == nullptr || !storeCurrentCell()) return;
  try {
    tables->ButtonClicked(tag);
  } catch (const std::exception& error) {
    showMessage(error.what());
  }
}

void TTableGrid::editorEntered(int tag, TColumn& column) {
  if (!storeCurrentCell()) return;
  TGridTable* table = m_model.table();
  const int c = table != nullptr ? table->VisibleIndexOf(&column) : -1;
  if (c >= 0 && tag >= 0 && tag < m_model.rowCount())
    selectionModel()->setCurrentIndex(m_model.index(tag, c), QItemSelectionModel::NoUpdate);
}

// ---------------------------------------------------------------------------------------------
// The entry over a typed cell

void TTableGrid::entryOpened(QLineEdit* entry, const QModelIndex& index) {
  m_entry = entry;
  m_entryIndex = index;
}

bool TTableGrid::storeCurrentCell() {
  if (!m_entry) return true;
  if (m_storing) return false;
  const QModelIndex index = m_entryIndex;
  if (!index.isValid()) {
    dropEntry();
    return true;
  }
  m_storing = true;
  const std::optional<std::string> refused = m_model.storeText(index, m_entry->text().toStdString());
  if (!refused) {
    QLineEdit* entry = m_entry;
    m_entry = nullptr;
    closeEditor(entry, QAbstractItemDelegate::NoHint);
    m_storing = false;
    emit tableEdited();
    return true;
  }
  showMessage(*refused);
  m_storing = false;
  if (m_entry) {
    if (currentIndex() != index) selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_entry->setFocus(Qt::OtherFocusReason);
  }
  return false;
}

void TTableGrid::dropEntry() {
  if (!m_entry) return;
  QLineEdit* entry = m_entry;
  m_entry = nullptr;
  closeEditor(entry, QAbstractItemDelegate::RevertModelCache);
}

void TTableGrid::entryKey(int key) {
  if (key == Qt::Key_Escape) {
    dropEntry();
    return;
  }
  const QModelIndex from = m_entryIndex;
  if (!storeCurrentCell()) return;
  TGridTable* table = m_model.table();
  if (table == nullptr || !from.isValid()) return;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    const GridCell next = nextCellOnEnter(*table, {from.row(), from.column()});
    moveTo(next.row, next.column);
  } else {
    setCurrentIndex(from);
    const QModelIndex next =
        moveCursor(key == Qt::Key_Backtab ? MovePrevious : MoveNext, Qt::NoModifier);
    if (next.isValid()) moveTo(next.row(), next.column());
  }
}

void TTableGrid::entryFocusLost(Qt::FocusReason reason) {
  // A message box or another program taking the activation, or a popup opening, is not a leave
  // of the cell. The store never runs inside the focus change itself: it may show a message.
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  QTimer::singleShot(0, this, [this] {
    if (m_storing || !m_entry || m_entry->hasFocus()) return;
    storeCurrentCell();
  });
}

void TTableGrid::moveTo(int row, int column) {
  const QModelIndex target = m_model.index(row, column);
  if (!target.isValid()) return;
  setCurrentIndex(target);
  scrollTo(target);
}

void TTableGrid::showMessage(const std::string& message) {
  if (m_showMessage) m_showMessage(message);
}

// ---------------------------------------------------------------------------------------------
// Events

void TTableGrid::keyPressEvent(QKeyEvent* event) {
  TGridTable* table = m_model.table();
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && table != nullptr &&
      currentIndex().isValid()) {
    const GridCell next = nextCellOnEnter(*table, {currentIndex().row(), currentIndex().column()});
    moveTo(next.row, next.column);
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void TTableGrid::mousePressEvent(QMouseEvent* event) {
  // A click on another cell first stores the open entry; a refused entry keeps the grid.
  if (m_entry && indexAt(event->position().toPoint()) != QModelIndex(m_entryIndex) && !storeCurrentCell()) {
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void TTableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  // Any other way of moving on stores the entry first; a refused one takes its cell back.
  if (m_entry && !m_storing && previous == QModelIndex(m_entryIndex) && current != previous && !storeCurrentCell()) {
    const QPersistentModelIndex back(previous);
    QTimer::singleShot(0, this, [this, back] {
      if (back.isValid()) selectionModel()->setCurrentIndex(back, QItemSelectionModel::ClearAndSelect);
    });
    return;
  }
  QTableView::currentChanged(current, previous);
}

void TTableGrid::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  placeEditors();
}

void TTableGrid::updateGeometries() {
  QTableView::updateGeometries();
  placeEditors();
}

bool TTableGrid::eventFilter(QObject* watched, QEvent* event) {
  auto* corner = qobject_cast<QAbstractButton*>(watched);
  if (corner != nullptr && event->type() == QEvent::Paint && m_model.table() != nullptr) {
    QPainter painter(corner);
    QStyleOptionHeader option;
    option.initFrom(corner);
    // The corner is no button, but its text is no less valid than the headers'.
    option.state |= QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = QString::fromStdString(m_model.table()->TopLeft());
    option.textAlignment = Qt::AlignCenter;
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace korvex
