#pragma once

#include <QWidget>

// Placeholder until the display widget is built: paints its rectangle black.
class TWaveScreen : public QWidget {
    Q_OBJECT
public:
    explicit TWaveScreen(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
