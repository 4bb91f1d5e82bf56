#pragma once

#include <QString>

class QLabel;
class QWidget;

// A label at its place on a panel, sized to its text.
QLabel* placeLabel(QWidget* parent, const QString& text, int x, int y, bool bold = false);
