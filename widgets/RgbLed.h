#pragma once

#include <QWidget>

// Placeholder until the display widget is built: paints its rectangle black.
class TRGB_LED : public QWidget {
    Q_OBJECT
public:
    explicit TRGB_LED(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
