#include "widgets/Placement.h"

#include <QLabel>

QLabel* placeLabel(QWidget* parent, const QString& text, int x, int y, bool bold)
{
    auto* label = new QLabel(text, parent);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}
