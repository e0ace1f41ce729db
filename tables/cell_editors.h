// What the editing window lends a table for its in-cell editors. Over every visible enum cell
// the window shows a drop-down list and over every sub-table cell a push button; the column
// owns these editors and keeps them in step with its rows (tag = row, selection = value,
// caption = sub-table). The window implements the interfaces with its widgets; tests
// implement them with plain records.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace korvex {

// One editor over one cell.
class TCellEditor {
 public:
  virtual ~TCellEditor() = default;

  // The 0-based row the editor stands over (-1 before it is placed).
  int Tag() const { return m_tag; }
  void SetTag(int row) { m_tag = row; }

  virtual void SetVisible(bool visible) = 0;
  // Drop-down lists: the selected item (0-based, -1 for none).
  virtual void SetItemIndex(int index) { (void)index; }
  // Push buttons: the caption.
  virtual void SetCaption(const std::string& caption) { (void)caption; }

 private:
  int m_tag = -1;
};

// The grid of an editing window, in which the editors live.
class TEditorParent {
 public:
  virtual ~TEditorParent() = default;
  // A drop-down list of `items` showing `dropDownCount` items when dropped down.
  virtual std::unique_ptr<TCellEditor> CreateComboBox(const std::vector<std::string>& items, int dropDownCount) = 0;
  virtual std::unique_ptr<TCellEditor> CreateButton() = 0;
};

// The measures a column's minimum width is taken in: text widths in the grid's font and the
// screen's pixels per inch.
class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;
  virtual int TextWidth(const std::string& text) const = 0;
  virtual int PixelsPerInch() const = 0;
};

}  // namespace korvex
