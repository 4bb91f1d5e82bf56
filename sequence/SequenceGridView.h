#pragma once

#include <QHeaderView>
#include <QTableView>

class GridCellDelegate;
class QLineEdit;
class SequenceGridModel;

// The sequence grid Sequenz_StringGrid: a header row that stays in place (row 0 of the
// model, drawn by the horizontal header), a fixed number column, step rows 20 px high and
// columns 27/70/70/40/40/40 px wide, each followed by a one-pixel grid line. Every cell is
// painted by GridCellDelegate, which also provides the cell editor.
//
// cellSelected (Sequenz_StringGridClick) is raised when the user clicks a data cell (the
// current one too) or moves the current cell with the keyboard; for a range selection it
// names the range's left column and top row. Moves made by the program raise nothing.
class SequenceGridView : public QTableView {
    Q_OBJECT
public:
    static constexpr int ColumnWidths[6] = {27, 70, 70, 40, 40, 40};
    static constexpr int RowHeight = 20;
    static constexpr int GridLine = 1;

    explicit SequenceGridView(SequenceGridModel& model, QWidget* parent = nullptr);

    SequenceGridModel& grid() { return m_model; }

    // The cell editor, when one is open.
    QLineEdit* cellEditor() const;
    // Opens the cell editor on (col, row) and makes it the current cell.
    void openCellEditor(int col, int row);
    // Closes the cell editor if it is open (its text is already in the cell).
    void closeCellEditor();
    // The cell's rectangle in the view's coordinates (header row included), grid line excluded.
    QRect cellRectInView(int col, int row) const;

signals:
    void cellSelected(int col, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void selectCell();

    SequenceGridModel& m_model;
    GridCellDelegate* m_delegate;
    bool m_keyboardMove = false;   // inside keyPressEvent: a move of the current cell is the user's
    bool m_cellPressed = false;    // a mouse press on a data cell waits for its release
    bool m_currentMoved = false;   // the current cell moved during the key press
};

// The header row: row 0 of the model, painted like the other fixed cells and kept in place
// while the step rows scroll.
class SequenceGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit SequenceGridHeader(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
