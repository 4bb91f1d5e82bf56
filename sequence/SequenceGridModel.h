#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <array>

class SequenceTable;

// The sequence grid's texts: a header row and 37 step rows of six columns
// (row number, ticks, m:s.t, red, green, blue). It always stores all 37 steps and
// shows MaxSteps of them; rows beyond keep their texts while hidden.
class SequenceGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int Columns = 6;
    static constexpr int StoredRows = 38;   // header row + 37 steps
    enum Column { ColNumber = 0, ColTicks = 1, ColClock = 2, ColRed = 3, ColGreen = 4, ColBlue = 5 };

    explicit SequenceGridModel(QObject* parent = nullptr);

    // Cells[col][row] of the grid; rows 0..37 are always addressable.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

    int visibleSteps() const { return m_visibleSteps; }
    void setVisibleSteps(int steps);   // row count = steps + 1

    // Headers, row numbers and the steps of the table, column 2 left blank.
    void fillFromTable(const SequenceTable& table, int steps);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A cell's text changed through setData (the cell editor), not through setCell.
    void cellEdited(int col, int row);

private:
    std::array<std::array<QString, Columns>, StoredRows> m_cells;
    int m_visibleSteps = 37;
};
