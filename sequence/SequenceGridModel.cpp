#include "sequence/SequenceGridModel.h"

#include "sequence/SequenceTable.h"

SequenceGridModel::SequenceGridModel(QObject* parent) : QAbstractTableModel(parent) {}

QString SequenceGridModel::cell(int col, int row) const
{
    if (col < 0 || col >= Columns || row < 0 || row >= StoredRows)
        return {};
    return m_cells[row][col];
}

void SequenceGridModel::setCell(int col, int row, const QString& text)
{
    if (col < 0 || col >= Columns || row < 0 || row >= StoredRows || m_cells[row][col] == text)
        return;
    m_cells[row][col] = text;
    if (row <= m_visibleSteps)
        emit dataChanged(index(row, col), index(row, col));
}

void SequenceGridModel::setVisibleSteps(int steps)
{
    steps = qBound(1, steps, StoredRows - 1);
    if (steps == m_visibleSteps)
        return;
    if (steps > m_visibleSteps) {
        beginInsertRows({}, m_visibleSteps + 1, steps);
        m_visibleSteps = steps;
        endInsertRows();
    } else {
        beginRemoveRows({}, steps + 1, m_visibleSteps);
        m_visibleSteps = steps;
        endRemoveRows();
    }
}

void SequenceGridModel::fillFromTable(const SequenceTable& table, int steps)
{
    static const char* const headers[Columns] = {"", "Zeit (Ticks)", "Zeit (m:s.t)", "Rot", "Grün", "Blau"};
    for (int c = 0; c < Columns; ++c)
        setCell(c, 0, QString::fromUtf8(headers[c]));
    for (int r = 1; r <= steps; ++r) {
        const SequenceStep s = table.step(r - 1);
        setCell(ColNumber, r, QString::number(r));
        setCell(ColTicks, r, QString::number(s.time));
        setCell(ColClock, r, QString());
        setCell(ColRed, r, QString::number(s.red));
        setCell(ColGreen, r, QString::number(s.green));
        setCell(ColBlue, r, QString::number(s.blue));
    }
}

int SequenceGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_visibleSteps + 1;
}

int SequenceGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant SequenceGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.column(), index.row());
}

bool SequenceGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.row() == 0 || index.column() == 0)
        return false;
    const QString text = value.toString();
    if (m_cells[index.row()][index.column()] == text)
        return true;
    m_cells[index.row()][index.column()] = text;
    emit dataChanged(index, index);
    emit cellEdited(index.column(), index.row());
    return true;
}

Qt::ItemFlags SequenceGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() == 0 || index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}
