#include "sequence/GridCellDelegate.h"

#include "sequence/GridRules.h"
#include "sequence/SequenceGridModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>

namespace {
// Marks an editor whose starting text has been set; later updates only follow the cell.
const char* const StartedProperty = "gridEditorStarted";
// The cell an editor belongs to.
const char* const CellProperty = "gridEditorCell";

QColor fillColour(gridrules::CellLook::Fill fill, const QPalette& palette)
{
    switch (fill) {
    case gridrules::CellLook::White:
        return QColor(255, 255, 255);
    case gridrules::CellLook::LightRed:
        return QColor(255, 204, 204);
    case gridrules::CellLook::LightGreen:
        return QColor(204, 255, 204);
    case gridrules::CellLook::LightCyan:
        return QColor(204, 255, 255);
    case gridrules::CellLook::FixedFace:
        break;
    }
    return palette.color(QPalette::Button);
}

const SequenceGridModel* gridOf(const QModelIndex& index)
{
    return qobject_cast<const SequenceGridModel*>(index.model());
}
} // namespace

bool GridCellDelegate::keyPasses(const QKeyEvent* event)
{
    return (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) || gridrules::keyPasses(event->text());
}

QRect GridCellDelegate::cellRect(const QRect& section)
{
    return section.adjusted(0, 0, -1, -1);
}

void GridCellDelegate::paintCell(QPainter* painter, const QRect& section, const QModelIndex& index,
                                 const QPalette& palette, const QFont& font, bool focused)
{
    const SequenceGridModel* grid = gridOf(index);
    if (!grid)
        return;
    const gridrules::CellLook look = gridrules::cellLook(*grid, index.column(), index.row());
    const QRect cell = cellRect(section);
    const int left = cell.left(), top = cell.top(), width = cell.width(), height = cell.height();
    // Right and bottom as exclusive edges: the grid line pixels.
    const int right = left + width, bottom = top + height;

    painter->save();
    const QColor face = palette.color(QPalette::Button);
    painter->fillRect(section, face);
    if (look.raisedFrame) {
        // Highlight along the top and left edges, shadow along the bottom and right ones.
        const QColor light = palette.color(QPalette::Light);
        const QColor shadow = palette.color(QPalette::Dark);
        painter->fillRect(QRect(left + 1, top, width, 1), light);
        painter->fillRect(QRect(left, top, 1, height), light);
        painter->fillRect(QRect(left, bottom, width, 1), shadow);
        painter->fillRect(QRect(right, top + 1, 1, height), shadow);
    } else if (look.endRow) {
        // Looks like a header row: the fixed colour, widened over the grid line on the right.
        painter->fillRect(QRect(left, top, width + 1, height), face);
    } else {
        painter->fillRect(cell, fillColour(look.fill, palette));
    }

    if (!look.text.isEmpty()) {
        painter->setFont(font);
        painter->setPen(look.grayText ? palette.color(QPalette::Disabled, QPalette::WindowText)
                                      : palette.color(QPalette::Active, QPalette::WindowText));
        painter->setClipRect(cell);
        const QFontMetrics metrics(font);
        const int textWidth = metrics.horizontalAdvance(look.text);
        const int x = look.align == gridrules::CellLook::Centred ? left + (width - textWidth) / 2
                                                                  : left + width - textWidth - 8;
        painter->drawText(QPoint(x, top + 4 + metrics.ascent()), look.text);
    }
    painter->restore();

    if (focused && index.row() > 0 && index.column() > 0) {
        // The current cell of the focused grid: a dotted frame along the cell's edge.
        painter->save();
        QPen pen(palette.color(QPalette::Active, QPalette::WindowText), 0, Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    paintCell(painter, option.rect, index, option.palette, option.font, option.state & QStyle::State_HasFocus);
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("GridCellEditor"));
    editor->setFrame(false);
    editor->setFont(option.font);
    // The grid's own background is the fixed colour; the editor keeps a window-coloured field.
    editor->setPalette(QApplication::palette(editor));
    const QPersistentModelIndex cell(index);
    editor->setProperty(CellProperty, QVariant::fromValue(cell));
    connect(editor, &QLineEdit::textEdited, editor, [cell](const QString& text) {
        if (cell.isValid())
            const_cast<QAbstractItemModel*>(cell.model())->setData(cell, text, Qt::EditRole);
    });
    return editor;
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    const SequenceGridModel* grid = gridOf(index);
    if (!line || !grid)
        return;
    if (!line->property(StartedProperty).toBool()) {
        line->setProperty(StartedProperty, true);
        line->setText(gridrules::editorStartText(*grid, index.column(), index.row()));
        line->selectAll();
        return;
    }
    // The program changed the cell being edited (a correction of the check, the tick
    // limit): the editor shows the new text at once, selected, so the next digit replaces it.
    const QString text = grid->cell(index.column(), index.row());
    if (line->text() != text) {
        line->setText(text);
        line->selectAll();
    }
}

void GridCellDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const
{
    // Every change of the editor's text is already stored in its cell.
}

void GridCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex&) const
{
    editor->setGeometry(cellRect(option.rect));
}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !keyPasses(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::FocusOut) {
        // An editor whose cell is gone (the model is being destroyed with the window) has
        // nothing to commit or close.
        if (!object->property(CellProperty).value<QPersistentModelIndex>().isValid())
            return false;
        // Another window taking the focus (the check's message box, opened while the
        // editor's own key press is still being handled) leaves the editor open: it gets
        // the focus back, shows the check's correction and takes the next digit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
