#pragma once
// The table view of the grids: spreadsheet keys (Enter moves down, Tab moves right, typing over
// a cell replaces it, F2 edits) and the per-column key table, which the owner supplies.
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// Drop-down lists for list columns, a text box (with a length limit) for free columns.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using Choices = std::function<std::optional<std::vector<std::string>>(int grid_row, int col)>;
    explicit GridDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    Choices choices;                         // nullopt: free text
    std::function<int(int col)> max_length;  // 0: no limit

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

// The grid's column titles: a title wider than its column goes onto two lines at a space, so
// a narrow column ("Delay Time" over values like "-10") keeps its whole title.
class GridHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit GridHeader(QWidget* parent = nullptr);
    // The title as drawn in its column now ('\n' where it wraps).
    QString shown_title(int logical) const;
    // Pixels a title needs beside its text on one line (margins and the sort mark's room).
    static int title_padding();

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override;
    QSize sectionSizeFromContents(int logical) const override;
};

class GridView : public QTableView {
    Q_OBJECT
  public:
    explicit GridView(QWidget* parent = nullptr);

    // A key on a selected cell (not while editing): the grid row and column, the key's text
    // (upper-cased; "-" for both minus keys, " " for Space). Returns true when it handled it.
    std::function<bool(int grid_row, int col, const std::string& key)> key_table;
    // Whether a column takes free text (typing over the cell opens its text box).
    std::function<bool(int col)> is_free_column;
    // The Delete key on a selection.
    std::function<void()> on_delete;
    // The view's width changed (the window or a pane was resized).
    std::function<void()> on_resize;

    GridDelegate* delegate() const { return delegate_; }
    // Moves the current cell, keeping it in range; selects just that cell.
    void move_to(int model_row, int col);
    // Commits and closes an open cell editor, so a save never misses what is being typed.
    void finish_editing();
    // Closes an open cell editor without writing what it holds (its row is gone).
    void discard_editing();

  signals:
    void focused();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    // A cell too narrow for its text shows the whole text as its tool tip.
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    GridDelegate* delegate_;
    // A click on the current cell opens its editor after the double-click time. Qt's own
    // delayed edit refuses every key typed meanwhile, which lost the first characters of a
    // fast typist; this timer is cancelled by the first key, which opens the editor itself.
};

}  // namespace tarvex
