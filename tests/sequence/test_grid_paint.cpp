// How the sequence grid and the two program combo boxes are painted: colours of cells,
// frames and grid lines at known pixels of a rendered image (never fonts).
#include "sequence/ProgramComboDelegate.h"
#include "sequence/SequenceGridModel.h"
#include "sequence/SequenceGridView.h"
#include "sequence/SequenceTable.h"
#include "sequence/TimeColumn.h"

#include <QComboBox>
#include <QPainter>
#include <QTest>

namespace {
// Colours compared by their RGB value alone.
QColor plain(const QColor& c)
{
    return QColor::fromRgb(c.rgb());
}

struct Grid {
    SequenceGridModel model;
    SequenceGridView view{model};
    QImage image;
    Grid()
    {
        model.fillFromTable(SequenceTable(), StorageSteps);
        timecolumn::refreshTimeColumn(model, StorageSteps, 10, false);
        view.resize(310, 630);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            qWarning("grid window not exposed");
    }
    void render() { image = view.grab().toImage(); }
    QColor at(int x, int y) const { return plain(image.pixelColor(x, y)); }
    QRect cell(int col, int row) const { return view.cellRectInView(col, row); }
    QColor face() const { return plain(view.palette().color(QPalette::Button)); }
    // Every pixel of the cell has colour c.
    bool uniform(int col, int row, const QColor& c) const
    {
        const QRect r = cell(col, row);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (at(x, y) != c)
                    return false;
        return true;
    }
    // Colour c covers the cell apart from its text.
    bool filledWith(int col, int row, const QColor& c) const
    {
        const QRect r = cell(col, row);
        // Inside the one-pixel focus frame of the current cell, away from the text.
        return at(r.left() + 2, r.top() + 2) == c && at(r.right() - 2, r.bottom() - 2) == c &&
               at(r.left() + 2, r.bottom() - 2) == c;
    }
};
} // namespace

class TestGridPaint : public QObject {
    Q_OBJECT
private slots:
    void cellGeometry();
    void dataCellColours();
    void emptyAndEndRows();
    void gridLinesInTheFixedColour();
    void raisedFramesOfTheFixedCells();
    void repaintFollowsTheCells();
    void comboItems();
};

void TestGridPaint::cellGeometry()
{
    Grid g;
    const int widths[] = {27, 70, 70, 40, 40, 40};
    int x = 0;
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(g.cell(c, 0), QRect(x, 0, widths[c], 20));
        QCOMPARE(g.cell(c, 1), QRect(x, 21, widths[c], 20));
        QCOMPARE(g.cell(c, 2), QRect(x, 42, widths[c], 20));
        x += widths[c] + 1;
    }
}

void TestGridPaint::dataCellColours()
{
    Grid g;
    g.render();
    const QColor white(255, 255, 255);
    for (int row : {1, 2, 7}) {
        QVERIFY(g.filledWith(1, row, white));
        QVERIFY(g.filledWith(2, row, white));
        QVERIFY(g.filledWith(3, row, QColor(255, 204, 204)));
        QVERIFY(g.filledWith(4, row, QColor(204, 255, 204)));
        QVERIFY(g.filledWith(5, row, QColor(204, 255, 255)));
    }
}

void TestGridPaint::emptyAndEndRows()
{
    Grid g;
    g.render();
    const QColor white(255, 255, 255);
    // Row 8 holds the end mark: the fixed colour, only "ENDE" in column 1.
    for (int c = 2; c <= 5; ++c)
        QVERIFY2(g.uniform(c, 8, g.face()), qPrintable(QStringLiteral("column %1").arg(c)));
    QVERIFY(g.filledWith(1, 8, g.face()));
    QVERIFY(!g.uniform(1, 8, g.face()));
    // Rows after it (tick 0) are empty rows: white.
    for (int c = 1; c <= 5; ++c) {
        QVERIFY(g.filledWith(c, 9, white));
        QVERIFY(g.filledWith(c, 20, white));
    }
    // The end row's grid line to the right is covered by the fixed colour as well.
    const QRect end = g.cell(1, 8);
    QCOMPARE(g.at(end.right() + 1, end.top() + 5), g.face());
}

void TestGridPaint::gridLinesInTheFixedColour()
{
    Grid g;
    g.render();
    const QRect red = g.cell(3, 2);
    QCOMPARE(g.at(red.right() + 1, red.top() + 3), g.face());
    QCOMPARE(g.at(red.left() + 3, red.bottom() + 1), g.face());
    const QRect ticks = g.cell(1, 9);
    QCOMPARE(g.at(ticks.right() + 1, ticks.top() + 3), g.face());
}

void TestGridPaint::raisedFramesOfTheFixedCells()
{
    Grid g;
    g.render();
    const QColor light = plain(g.view.palette().color(QPalette::Light));
    const QColor shadow = plain(g.view.palette().color(QPalette::Dark));
    QVERIFY(light != shadow && light != g.face() && shadow != g.face());
    for (const QPoint cr : {QPoint(1, 0), QPoint(5, 0), QPoint(0, 1), QPoint(0, 12)}) {
        const QRect r = g.cell(cr.x(), cr.y());
        const int right = r.right() + 1, bottom = r.bottom() + 1;  // on the grid line
        QCOMPARE(g.at(r.left() + 5, r.top()), light);
        QCOMPARE(g.at(r.left(), r.top() + 5), light);
        QCOMPARE(g.at(r.left(), r.top()), light);
        QCOMPARE(g.at(right, r.top()), light);
        QCOMPARE(g.at(r.left() + 5, bottom), shadow);
        QCOMPARE(g.at(right, r.top() + 5), shadow);
        QCOMPARE(g.at(r.left(), bottom), shadow);
        QCOMPARE(g.at(right, bottom), shadow);
        QCOMPARE(g.at(r.left() + 1, r.top() + 1), g.face());
    }
    // The top left corner has no frame.
    QVERIFY(g.uniform(0, 0, g.face()));
    QCOMPARE(g.at(27, 0), g.face());
}

void TestGridPaint::repaintFollowsTheCells()
{
    Grid g;
    g.model.setCell(SequenceGridModel::ColTicks, 4, QStringLiteral("65536"));
    g.model.setCell(SequenceGridModel::ColTicks, 9, QStringLiteral("2000"));
    g.render();
    QVERIFY(g.uniform(3, 4, g.face()));
    QVERIFY(g.filledWith(3, 9, QColor(255, 204, 204)));
    // Row 1 at tick 0 is the start of the sequence, not an empty row.
    QVERIFY(g.filledWith(4, 1, QColor(204, 255, 204)));
}

void TestGridPaint::comboItems()
{
    QComboBox combo;
    combo.addItems({QStringLiteral("Sequenz 1"), QStringLiteral("Sequenz 2")});
    ProgramComboDelegate::install(&combo);
    auto* delegate = qobject_cast<ProgramComboDelegate*>(combo.itemDelegate());
    QVERIFY(delegate);

    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 100, 14);
    option.font = combo.font();
    QCOMPARE(delegate->sizeHint(option, combo.model()->index(0, 0)).height(), 14);

    for (bool selected : {true, false}) {
        QImage image(120, 20, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        option.state = selected ? QStyle::State_Selected : QStyle::State_None;
        delegate->paint(&painter, option, combo.model()->index(1, 0));
        painter.end();
        const QColor fill = combo.palette().color(selected ? QPalette::Highlight : QPalette::Base);
        QCOMPARE(image.pixelColor(1, 1), fill);
        QCOMPARE(image.pixelColor(99, 13), fill);
        QCOMPARE(image.pixelColor(100, 14), fill);  // widened by one pixel
        QCOMPARE(image.pixelColor(101, 15), QColor(Qt::black));
    }
}

QTEST_MAIN(TestGridPaint)
#include "test_grid_paint.moc"
