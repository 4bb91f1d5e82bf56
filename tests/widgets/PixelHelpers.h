#pragma once

#include <QImage>
#include <QPoint>
#include <QSet>
#include <QString>

// Pixels are compared as 24-bit colours; the alpha byte must stay opaque.
inline QRgb Px(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }
inline QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b) & 0xFFFFFFu; }

inline QString Hex(QRgb value) { return QStringLiteral("%1").arg(value & 0xFFFFFFu, 6, 16, QLatin1Char('0')); }

// The positions of all pixels that differ from the given colour.
inline QSet<QPoint> PixelsNotEqual(const QImage& image, QRgb background)
{
    QSet<QPoint> points;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Px(image, x, y) != (background & 0xFFFFFFu)) {
                points.insert(QPoint(x, y));
            }
        }
    }
    return points;
}

inline QImage BlackImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    return image;
}
