#pragma once

#include <QWidget>

// Placeholder until the display widget is built: paints its rectangle black.
class TRGB_LED_Balken : public QWidget {
    Q_OBJECT
public:
    explicit TRGB_LED_Balken(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
