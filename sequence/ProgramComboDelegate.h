#pragma once

#include <QStyledItemDelegate>

class QComboBox;

// The owner-drawn items of CB_SequenzProgNummer and CB_SequenzFolgeProgNummer
// (CB_SequenzProgNummerDrawItem): 14 px high; a selected item is filled with the highlight
// colour, the others with the combo box's own colour; the text is always drawn in the
// window text colour, 4 px from the left edge.
class ProgramComboDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 14;

    explicit ProgramComboDelegate(QComboBox* combo);

    // Gives the combo box this delegate (owned by the combo box).
    static void install(QComboBox* combo);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QComboBox* m_combo;
};
