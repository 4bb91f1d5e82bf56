#pragma once

// The check's texts as the user reads them, for the tests of the check and of the grid.
#include <QString>

// A time below the one of the row before, raised by the check.
inline QString orderMessage(int row)
{
    return QStringLiteral("Der Wert in Zeile: %1 / Spalte: Zeit\n ist kleiner als der vorherige Wert\n\n"
                          "Der Wert wird auf den nächsten möglichen Wert gesetzt.")
        .arg(row);
}

// A level outside 0..255 in `column` ("Rot", "Grün", "Blau").
inline QString rangeMessage(int row, const char* column)
{
    return QStringLiteral("Der Wert in Zeile: %1 / Spalte: %2\nist außerhalb des Wertebereichs (0..255)")
        .arg(row)
        .arg(QString::fromUtf8(column));
}

// The check button's caption after a check, with the sequence's duration.
inline QString durationCaption(const char* clock)
{
    return QStringLiteral("Prüfen / Übernehmen  (Sequenzdauer = %1)").arg(QLatin1String(clock));
}
