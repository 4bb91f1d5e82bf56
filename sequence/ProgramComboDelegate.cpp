#include "sequence/ProgramComboDelegate.h"

#include <QComboBox>
#include <QPainter>

ProgramComboDelegate::ProgramComboDelegate(QComboBox* combo) : QStyledItemDelegate(combo), m_combo(combo) {}

void ProgramComboDelegate::install(QComboBox* combo)
{
    combo->setItemDelegate(new ProgramComboDelegate(combo));
}

void ProgramComboDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = m_combo->palette();
    painter->save();
    // Widened by one pixel to the right and below, as the list draws its items.
    painter->fillRect(QRect(r.left(), r.top(), r.width() + 1, r.height() + 1),
                      selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
    painter->setClipRect(r);
    painter->setFont(option.font);
    painter->setPen(pal.color(QPalette::Active, QPalette::WindowText));
    const QFontMetrics metrics(option.font);
    painter->drawText(QPoint(r.left() + 4, r.top() + metrics.ascent()), index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize ProgramComboDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight};
}
