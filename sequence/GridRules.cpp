#include "sequence/GridRules.h"

#include "sequence/DecimalText.h"
#include "sequence/SequenceGridModel.h"
#include "sequence/SequenceTable.h"
#include "sequence/TimeColumn.h"

#include <algorithm>

namespace gridrules {

namespace {
using Col = SequenceGridModel::Column;

bool isColourColumn(int col)
{
    return col >= Col::ColRed && col <= Col::ColBlue;
}
} // namespace

bool keyPasses(const QString& typedText)
{
    for (const QChar c : typedText) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || u == 0x7F;
        if (!control && !(u >= u'0' && u <= u'9'))
            return false;
    }
    return true;
}

QString levelText(const QString& cellText)
{
    return QString::number(decimalOrZero(cellText));
}

QString editorStartText(const SequenceGridModel& grid, int col, int row)
{
    const QString text = grid.cell(col, row);
    return isColourColumn(col) ? levelText(text) : text;
}

bool limitTickCell(SequenceGridModel& grid, int row)
{
    if (decimalOrZero(grid.cell(Col::ColTicks, row)) <= EndMark)
        return false;
    grid.setCell(Col::ColTicks, row, QStringLiteral("0"));
    return true;
}

int lastActiveRow(const SequenceGridModel& grid, int steps, QString& error)
{
    const int rows = std::clamp(steps, 0, SequenceGridModel::StoredRows - 1);
    int last = 0;
    qint64 prev = -1;
    for (int r = 1; r <= rows; ++r) {
        const QString text = grid.cell(Col::ColTicks, r);
        qint32 t = 0;
        if (!readDecimal32(text, t)) {
            error = conversionErrorText(text);
            return -1;
        }
        if (t == EndMark)
            return r - 1;
        if (t <= prev)
            break;
        last = r;
        prev = t;
    }
    return last;
}

bool rotateColourColumn(SequenceGridModel& grid, int col, bool down, int steps, QString& error)
{
    const int last = lastActiveRow(grid, steps, error);
    if (last < 0)
        return false;
    if (!isColourColumn(col) || last < 2)
        return true;
    if (down) {
        const QString saved = grid.cell(col, last);
        for (int r = last; r >= 2; --r)
            grid.setCell(col, r, grid.cell(col, r - 1));
        grid.setCell(col, 1, saved);
    } else {
        const QString saved = grid.cell(col, 1);
        for (int r = 1; r < last; ++r)
            grid.setCell(col, r, grid.cell(col, r + 1));
        grid.setCell(col, last, saved);
    }
    return true;
}

CellLook cellLook(const SequenceGridModel& grid, int col, int row)
{
    CellLook look;
    look.text = grid.cell(col, row);
    if (row == 0 || col == 0) {
        look.raisedFrame = !(row == 0 && col == 0);
        look.align = row == 0 ? CellLook::Centred : CellLook::Right;
        return look;
    }
    if (col >= SequenceGridModel::Columns)
        return look;
    const qint64 t = timecolumn::tickValue(grid, row);
    if (t == 0 && row > 1) {
        look.fill = CellLook::White;
        look.grayText = true;
    } else {
        static constexpr CellLook::Fill fills[] = {CellLook::White, CellLook::White, CellLook::LightRed,
                                                   CellLook::LightGreen, CellLook::LightCyan};
        look.fill = fills[col - 1];
    }
    if (t == EndMark) {
        look.endRow = true;
        look.fill = CellLook::FixedFace;
        look.text = col == Col::ColTicks ? QStringLiteral("ENDE") : QString();
    } else if (isColourColumn(col)) {
        look.text = levelText(look.text);
    }
    look.align = isColourColumn(col) ? CellLook::Centred : CellLook::Right;
    return look;
}

} // namespace gridrules
