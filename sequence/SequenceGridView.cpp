#include "sequence/SequenceGridView.h"

#include "sequence/GridCellDelegate.h"
#include "sequence/SequenceGridModel.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

SequenceGridHeader::SequenceGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setMinimumSectionSize(1);
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
}

QSize SequenceGridHeader::sizeHint() const
{
    return {QHeaderView::sizeHint().width(), SequenceGridView::RowHeight + SequenceGridView::GridLine};
}

void SequenceGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (model())
        GridCellDelegate::paintCell(painter, rect, model()->index(0, logicalIndex), palette(), font(), false);
}

SequenceGridView::SequenceGridView(SequenceGridModel& model, QWidget* parent)
    : QTableView(parent), m_model(model), m_delegate(new GridCellDelegate(this))
{
    setObjectName(QStringLiteral("Sequenz_StringGrid"));
    setAccessibleName(QStringLiteral("Sequenz"));
    setHorizontalHeader(new SequenceGridHeader(this));
    setModel(&m_model);
    setItemDelegate(m_delegate);

    // The grid lines are the extra pixel of each section, painted by the delegate.
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setCornerButtonEnabled(false);
    for (int c = 0; c < SequenceGridModel::Columns; ++c)
        horizontalHeader()->resizeSection(c, ColumnWidths[c] + GridLine);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight + GridLine);
    // Row 0 is drawn by the header, so it stays in place while the steps scroll.
    setRowHidden(0, true);
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] { setRowHidden(0, true); });

    QPalette pal = palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    setPalette(pal);

    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);

    selectionModel()->setCurrentIndex(m_model.index(1, 1), QItemSelectionModel::ClearAndSelect);
}

QLineEdit* SequenceGridView::cellEditor() const
{
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(currentIndex())))
        return editor;
    for (int r = 1; r < m_model.rowCount(); ++r)
        for (int c = 1; c < SequenceGridModel::Columns; ++c)
            if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(m_model.index(r, c))))
                return editor;
    return nullptr;
}

void SequenceGridView::openCellEditor(int col, int row)
{
    const QModelIndex index = m_model.index(row, col);
    if (!index.isValid())
        return;
    // A range selection stays; its top left cell gets the editor.
    if (currentIndex() != index && selectionModel()->selectedIndexes().size() <= 1)
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // An editor left on another cell (a range's top left, when the current cell moved away
    // from the range's other corner) would block this one; its text is already in its cell.
    if (QWidget* open = cellEditor(); open && open != indexWidget(index))
        closeEditor(open, QAbstractItemDelegate::NoHint);
    edit(index);
}

void SequenceGridView::closeCellEditor()
{
    if (QLineEdit* editor = cellEditor())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QRect SequenceGridView::cellRectInView(int col, int row) const
{
    QRect section;
    if (row == 0) {
        const QHeaderView* header = horizontalHeader();
        section = QRect(header->x() + header->sectionViewportPosition(col), header->y(), header->sectionSize(col),
                        header->height());
    } else {
        section = visualRect(m_model.index(row, col)).translated(viewport()->pos());
    }
    return GridCellDelegate::cellRect(section);
}

void SequenceGridView::keyPressEvent(QKeyEvent* event)
{
    if (!GridCellDelegate::keyPasses(event)) {
        event->accept();
        return;
    }
    m_keyboardMove = true;
    m_currentMoved = false;
    QTableView::keyPressEvent(event);
    m_keyboardMove = false;
    if (m_currentMoved)
        selectCell();
}

void SequenceGridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && (index.row() == 0 || index.column() == 0)) {
        // Fixed cells cannot become current.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    m_cellPressed = index.isValid() && event->button() == Qt::LeftButton;
    QTableView::mousePressEvent(event);
}

void SequenceGridView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    // The reaction waits for the release, so that a modal dialog it opens does not
    // interrupt a pressed mouse button.
    if (m_cellPressed && event->button() == Qt::LeftButton) {
        m_cellPressed = false;
        selectCell();
    }
}

void SequenceGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_keyboardMove)
        m_currentMoved = true;
}

QModelIndex SequenceGridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = QTableView::moveCursor(cursorAction, modifiers);
    if (!index.isValid() || (index.row() >= 1 && index.column() >= 1))
        return index;
    return m_model.index(qMax(1, index.row()), qMax(1, index.column()));
}

void SequenceGridView::selectCell()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    int col = current.column(), row = current.row();
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (range.contains(current)) {
            col = qMax(1, range.left());
            row = qMax(1, range.top());
            break;
        }
    }
    if (row >= 1 && col >= 1)
        emit cellSelected(col, row);
}
