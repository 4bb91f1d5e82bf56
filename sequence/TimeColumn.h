#pragma once

#include "widgets/Prompts.h"

#include <QString>

#include <cstdint>

class SequenceGridModel;

// The clock-time column of the sequence grid (column 2) and the time dialog's
// arithmetic. Pure logic over the grid's texts; `speed` is the Speed value in ms.
namespace timecolumn {

// A row's tick value as the time column and the painting read it: the decimal value of
// "0" followed by the cell's text, so an empty cell reads 0; a text that is not a number
// (only pasting can bring one) reads 0 as well.
std::int64_t tickValue(const SequenceGridModel& grid, int row);

// RG_ZeitClick: rewrites column 2 of rows 1..steps from column 1. Absolute: time since
// the start (an end mark shows 0:00.000). Relative: time since the previous row; an end
// mark shows 0:00.000 and restarts the count from 0. A row below its predecessor (before
// the check corrects it) shows its negative distance with a leading minus sign.
void refreshTimeColumn(SequenceGridModel& grid, int steps, int speed, bool relative);

// The dialog's preset from an m:s.t text. A text that does not hold all three numbers
// presets 0:00.000; values beyond the int range are held at its top (the dialog then
// clamps them to its own ranges).
ClockTime presetFromClockText(const QString& text);

// The three values of the dialog (held within the dialog's ranges) as "%u:%02u.%03u".
QString enteredClockText(const ClockTime& time);

// The tick value of an entered time: MsToTicks of its milliseconds, at most 65536.
int enteredTicks(const ClockTime& time, int speed);

// Rebuilds column 1 from the relative m:s.t texts of column 2: each row becomes the sum
// of its own and all earlier distances (at most 65536), up to the first row whose tick
// cell holds the end mark. A row whose m:s.t text is unreadable keeps its own distance to
// the row above. A tick cell that is not a decimal integer stops the conversion there:
// false, with the conversion error in `error`.
bool relativeToTicks(SequenceGridModel& grid, int steps, int speed, QString& error);

} // namespace timecolumn
