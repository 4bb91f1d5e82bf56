#pragma once

#include <QStyledItemDelegate>

class QKeyEvent;

// Paints every cell of the sequence grid (Sequenz_StringGridDrawCell) and provides its cell
// editor: a frameless QLineEdit that lets only digits, Backspace and control keys through
// (Sequenz_StringGridKeyPress), starts with the cell's text, colour columns re-written as
// levels (Sequenz_StringGridGetEditText), and stores every change the user makes to its text
// in the cell at once through the model's setData, which reports it as cellEdited.
// Text the program writes into the cell being edited replaces the editor's text, selected.
//
// Cell geometry: the view's sections are one pixel wider and higher than the cells, the
// extra pixel being the grid line, which the painting covers with the fixed colour.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The key filter for the grid and its editor: typed characters other than digits are
    // discarded; shortcuts with Ctrl (copy, paste, undo) are no typed characters.
    static bool keyPasses(const QKeyEvent* event);
    // The cell's own rectangle within a section rectangle (without the grid line).
    static QRect cellRect(const QRect& section);
    // Paints cell (col, row) of the model whose section rectangle is `section`.
    static void paintCell(QPainter* painter, const QRect& section, const QModelIndex& index,
                          const QPalette& palette, const QFont& font, bool focused);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};
