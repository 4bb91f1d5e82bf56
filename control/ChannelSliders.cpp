#include "control/ChannelSliders.h"

#include <QLabel>
#include <QScrollBar>

namespace {
struct StripDef {
    const char* heading;
    const char* name;
    QRgb colour;
};
constexpr StripDef Strips[] = {
    {"Rot", "ScrollBar_Red", qRgb(255, 204, 204)},
    {"Grün", "ScrollBar_Green", qRgb(204, 255, 204)},
    {"Blau", "ScrollBar_Blue", qRgb(204, 204, 255)},
};
} // namespace

ChannelSliders::ChannelSliders(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SliderArea"));
    QScrollBar* bars[3];
    for (int i = 0; i < 3; ++i) {
        auto* strip = new QWidget(this);
        strip->setObjectName(QStringLiteral("Strip_%1").arg(i));
        strip->setAutoFillBackground(true);
        QPalette p = strip->palette();
        p.setColor(QPalette::Window, QColor::fromRgb(Strips[i].colour));
        strip->setPalette(p);
        strip->setGeometry(i * 35, 4, 34, 248);

        auto* heading = new QLabel(QString::fromUtf8(Strips[i].heading), strip);
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(0, 2, 34, 16);

        auto* bar = new QScrollBar(Qt::Vertical, strip);
        bar->setObjectName(QString::fromLatin1(Strips[i].name));
        bar->setRange(0, 255);
        bar->setPageStep(5);
        bar->setSingleStep(1);
        bar->setValue(255);
        bar->setGeometry(9, 20, 16, 224);
        bar->setAccessibleName(heading->text());
        bars[i] = bar;
    }
    ScrollBar_Red = bars[0];
    ScrollBar_Green = bars[1];
    ScrollBar_Blue = bars[2];
    setFixedSize(3 * 35, 256);
}

QScrollBar* ChannelSliders::bar(int channel) const
{
    return channel == 0 ? ScrollBar_Red : channel == 1 ? ScrollBar_Green : ScrollBar_Blue;
}
