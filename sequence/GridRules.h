#pragma once

#include <QString>

class SequenceGridModel;

// Editing rules of the sequence grid that need no widget: the key filter, the cell
// editor's starting text, the tick limit, the rotation of a colour column and what
// each cell shows. Rows are grid rows (1..steps), columns grid columns (0..5).
namespace gridrules {

// The key filter: false for a typed character other than the digits 0..9. Keys without
// text (arrows, F2, Delete) and control characters (Backspace, Enter, Escape, Tab and the
// Ctrl shortcuts) pass.
bool keyPasses(const QString& typedText);

// A level as the grid shows it: the cell's decimal value re-written ("007" -> "7"),
// "0" for a text that is not a decimal integer.
QString levelText(const QString& cellText);

// The cell editor's starting text: colour columns re-written as levels, the other
// columns their text.
QString editorStartText(const SequenceGridModel& grid, int col, int row);

// A tick cell whose value (decimal, 0 when not a number) exceeds 65536 is set to "0".
// True when it was.
bool limitTickCell(SequenceGridModel& grid, int row);

// The last active row L: the rows from 1 whose times rise, up to the row before the
// first end mark or before the first time that is not above its predecessor; `steps`
// without either. 0 when row 1 holds the end mark. A tick cell that is not a decimal
// integer stops the search: -1, with the conversion error in `error`.
int lastActiveRow(const SequenceGridModel& grid, int steps, QString& error);

// Moves the texts of colour column `col` (3..5) within rows 1..L one row down (the last
// one wraps to row 1) or up (row 1 wraps to row L). With L below 2 nothing moves, and the
// header row is never touched. False, with the conversion error, when L could not be found.
bool rotateColourColumn(SequenceGridModel& grid, int col, bool down, int steps, QString& error);

// How a cell is painted.
struct CellLook {
    enum Fill { FixedFace, White, LightRed, LightGreen, LightCyan };
    enum Align { Centred, Right };
    Fill fill = FixedFace;
    bool raisedFrame = false;  // fixed cells except the top left corner
    bool grayText = false;     // data cells of an empty row
    bool endRow = false;       // data cells of the end row: refilled with the fixed colour
    Align align = Centred;
    QString text;
};
CellLook cellLook(const SequenceGridModel& grid, int col, int row);

} // namespace gridrules
