#pragma once

#include "sequence/DecimalText.h"
#include "sequence/SequenceTable.h"

#include <QString>

#include <cstdint>

// The check that accepts the sequence grid into the SequenceTable: it makes the step
// times rise up to the end mark, keeps every level within 0..255, stores every row and
// derives Count and TS_End. Pure logic: the grid and the message boxes are behind the two
// small interfaces below, so the panel, the tests and the benchmark drive the same code.

// Grid columns the check reads (column 2, the clock time, is not read).
namespace SequenceColumn {
constexpr int Ticks = 1;
constexpr int Clock = 2;
constexpr int Red = 3;
constexpr int Green = 4;
constexpr int Blue = 5;
} // namespace SequenceColumn

// Cell access by grid row (1..maxSteps; row r is step r - 1) and column.
class CheckGrid {
public:
    virtual ~CheckGrid() = default;
    virtual QString cellText(int row, int column) const = 0;
    virtual void setCellText(int row, int column, const QString& text) = 0;
};

class CheckReporter {
public:
    virtual ~CheckReporter() = default;
    // A "Fehler" box; the check goes on when it returns.
    virtual void message(const QString& text) = 0;
    // The general error display for "'%s' ist kein gültiger Integerwert"; the check has stopped.
    virtual void conversionError(const QString& text) = 0;
};

struct CheckResult {
    // False when a tick cell held no integer: the check stopped at that row after storing
    // the rows above it, and nothing below is valid (count, tsEnd and duration are 0).
    bool complete = false;
    // Number of steps before the end mark (0..maxSteps), as the preview takes it;
    // Count_CSpinEdit holds it clamped to 1..MaxSteps.
    int count = 0;
    // TS_End as TSEnd_CSpinEdit holds it (clamped to 0..65535).
    int tsEnd = 0;
    // TicksToMs of tsEnd: the time at which the last step before the end mark is reached.
    std::uint32_t durationMs = 0;
    // The caption of BB_SequenzPruefen after the check (checkCaption() when incomplete).
    QString caption;
};

// "Prüfen / Übernehmen": the button's caption; the check starts by setting it.
QString checkCaption();
// "Prüfen / Übernehmen  (Sequenzdauer = m:ss.ttt)".
QString checkDurationCaption(std::uint32_t ms);
// The message for a time not above its predecessor's, in grid row `row`.
QString timeOrderMessage(int row);
// The message for a level above 255 in grid row `row`.
QString levelRangeMessage(int row, ColourChannel channel);

// Walks grid rows 1..maxSteps (limited to the storage) in order; per row first the time,
// then red, green and blue. Times not above their predecessor are reported (while the
// predecessor is below the end mark) and, until the first end mark, raised to the
// predecessor + 1 (at most 65536), the corrected value written back into the tick cell after
// the message. Levels above 255 are reported and stored as 0 (the cell keeps its text);
// negative or unreadable levels become 0 silently. A tick cell that is not a decimal
// integer within 32 bits stops the check with the conversion error.
// The caller sets the caption to checkCaption() before, and when the result is complete
// sets Count_CSpinEdit, TSEnd_CSpinEdit and the caption from it and rebuilds the preview
// with (result.count, result.tsEnd).
CheckResult runSequenceCheck(CheckGrid& grid, CheckReporter& reporter, SequenceTable& table, int maxSteps,
                             int speed);
