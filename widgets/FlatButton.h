#pragma once

#include <QColor>
#include <QPushButton>
#include <QRect>
#include <QToolButton>

// A flat push button. Tag carries a number that a shared handler reads.
class TFlatButton : public QPushButton {
    Q_OBJECT
public:
    explicit TFlatButton(const QString& caption, QWidget* parent = nullptr);
    // A button named `name` (its objectName) at `geometry` in `parent`, as the panels lay theirs out.
    static TFlatButton* place(QWidget* parent, const char* name, const QString& caption, QRect geometry);
    int Tag = 0;
    void setFaceColor(const QColor& color);
};

// A flat tab button of an exclusive group: exactly one of the group is down.
class TFlatSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TFlatSpeedButton(const QString& caption, QWidget* parent = nullptr);
    int Tag = 0;
};
