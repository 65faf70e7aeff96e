#include "src/controls/FlexGrid.h"
#include "src/data/Recordset.h"
#include "src/ui/Units.h"
#include "tests/support/ModalDriver.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using controls::FlexGrid;

namespace {

// A grid of `rows` x `cols` whose every cell reads "r,c".
void fill(FlexGrid& grid, int rows, int cols) {
    grid.setRows(rows);
    grid.setCols(cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.setTextMatrix(r, c, QString("%1,%2").arg(r).arg(c));
}

QStringList column(const FlexGrid& grid, int col) {
    QStringList texts;
    for (int r = 0; r < grid.rows(); ++r)
        texts << grid.textMatrix(r, col);
    return texts;
}

data::Recordset records(const QStringList& columns, const QList<server::Row>& rows) {
    server::Result result;
    result.columns = columns;
    result.rows = rows;
    return data::Recordset(nullptr, result, data::adOpenStatic, data::adLockReadOnly);
}

} // namespace

class tst_FlexGrid : public QObject {
    Q_OBJECT

private slots:
    void startsAsTheListGridDoes();
    void textMatrixAddressesFixedCellsToo();
    void cellsOutsideTheGridAreRefused();
    void setRowsKeepsTexts_data();
    void setRowsKeepsTexts();
    void setColsKeepsTexts();
    void insertAndRemoveRows_data();
    void insertAndRemoveRows();
    void clearRowsKeepsHeadings();
    void formatStringSetsHeadingsAndAlignment();
    void colWidthIsInTwips();
    void bindShowsFieldNamesAndRecords();
    void bindAnEmptyResult();
    void currentCellChangedFromCodeAndKeys();
    void currentCellFollowsShrinkingGrid();
    void enterIsReported();
    void gridNeverEdits();
    void cellRectOfDataAndHeadings();
    void scrollingIsReported();
    void redrawOffDefersPainting();
    void cellStyles();
    void bindsAHundredThousandRows();
};

void tst_FlexGrid::startsAsTheListGridDoes() {
    FlexGrid grid;
    QCOMPARE(grid.rows(), 2);
    QCOMPARE(grid.cols(), 2);
    QCOMPARE(grid.fixedRows(), 1);
    QCOMPARE(grid.fixedCols(), 1);
    QCOMPARE(grid.row(), 1);
    QCOMPARE(grid.col(), 1);
    // The fixed row and column are the header views; the data cells the model's items.
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(grid.model()->columnCount(), 1);
}

void tst_FlexGrid::textMatrixAddressesFixedCellsToo() {
    FlexGrid grid;
    fill(grid, 4, 3);
    QCOMPARE(grid.textMatrix(0, 2), QString("0,2"));
    QCOMPARE(grid.textMatrix(3, 0), QString("3,0"));
    QCOMPARE(grid.textMatrix(3, 2), QString("3,2"));
    // What the view shows for each part.
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("0,2"));
    QCOMPARE(grid.model()->headerData(2, Qt::Vertical).toString(), QString("3,0"));
    QCOMPARE(grid.model()->index(2, 1).data().toString(), QString("3,2"));
}

void tst_FlexGrid::cellsOutsideTheGridAreRefused() {
    FlexGrid grid;
    fill(grid, 3, 3);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside the grid"));
    grid.setTextMatrix(3, 0, "x");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside the grid"));
    QCOMPARE(grid.textMatrix(0, 3), QString());
    QCOMPARE(grid.rows(), 3);
    QCOMPARE(grid.cols(), 3);
}

void tst_FlexGrid::setRowsKeepsTexts_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("firstColumn");
    QTest::newRow("fewer") << 2 << QStringList{"0,1", "1,1"};
    QTest::newRow("more") << 6 << QStringList{"0,1", "1,1", "2,1", "3,1", "", ""};
    QTest::newRow("only the headings") << 1 << QStringList{"0,1"};
}

void tst_FlexGrid::setRowsKeepsTexts() {
    QFETCH(int, rows);
    QFETCH(QStringList, firstColumn);
    FlexGrid grid;
    fill(grid, 4, 3);
    grid.setRows(rows);
    QCOMPARE(grid.rows(), rows);
    QCOMPARE(grid.model()->rowCount(), rows - 1);
    QCOMPARE(column(grid, 1), firstColumn);
    // Rows that come back are empty, not the ones that went.
    grid.setRows(4);
    QCOMPARE(grid.textMatrix(3, 1), rows >= 4 ? QString("3,1") : QString());
}

void tst_FlexGrid::setColsKeepsTexts() {
    FlexGrid grid;
    fill(grid, 3, 4);
    grid.setCols(2);
    QCOMPARE(grid.model()->columnCount(), 1);
    grid.setCols(5);
    QCOMPARE(grid.textMatrix(2, 1), QString("2,1"));
    QCOMPARE(grid.textMatrix(2, 3), QString());
    QCOMPARE(grid.textMatrix(0, 4), QString());
}

void tst_FlexGrid::insertAndRemoveRows_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("firstColumn");
    QTest::newRow("add") << "add" << -1 << QStringList{"0,1", "1,1", "2,1", ""};
    QTest::newRow("insert in the middle") << "insert" << 2 << QStringList{"0,1", "1,1", "", "2,1"};
    QTest::newRow("insert after the last") << "insert" << 3 << QStringList{"0,1", "1,1", "2,1", ""};
    QTest::newRow("remove the first data row") << "remove" << 1 << QStringList{"0,1", "2,1"};
    QTest::newRow("remove the last") << "remove" << 2 << QStringList{"0,1", "1,1"};
}

void tst_FlexGrid::insertAndRemoveRows() {
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(QStringList, firstColumn);
    FlexGrid grid;
    fill(grid, 3, 2);
    if (action == "add")
        grid.addRow();
    else if (action == "insert")
        grid.insertRow(row);
    else
        grid.removeRow(row);
    QCOMPARE(column(grid, 1), firstColumn);
    QCOMPARE(grid.model()->rowCount(), firstColumn.size() - 1);
    QCOMPARE(grid.fixedRows(), 1);
}

void tst_FlexGrid::clearRowsKeepsHeadings() {
    FlexGrid grid;
    fill(grid, 5, 3);
    grid.setCellBold(2, 1, true);
    grid.clearRows();
    QCOMPARE(grid.rows(), 2);
    QCOMPARE(grid.cols(), 3);
    QCOMPARE(column(grid, 1), (QStringList{"0,1", ""}));
    QCOMPARE(grid.textMatrix(1, 0), QString());
    QVERIFY(!grid.model()->index(0, 0).data(Qt::FontRole).isValid());

    fill(grid, 5, 3);
    grid.clearRows(1);
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(grid.textMatrix(0, 2), QString("0,2"));
}

void tst_FlexGrid::formatStringSetsHeadingsAndAlignment() {
    FlexGrid grid;
    grid.setRows(3);
    grid.setFormatString("|<Last Name|^Adm. Date|>Amount|Plain");
    QCOMPARE(grid.cols(), 5);
    QCOMPARE(grid.textMatrix(0, 0), QString());
    QCOMPARE(grid.textMatrix(0, 1), QString("Last Name"));
    QCOMPARE(grid.textMatrix(0, 2), QString("Adm. Date"));
    QCOMPARE(grid.textMatrix(0, 3), QString("Amount"));
    QCOMPARE(grid.textMatrix(0, 4), QString("Plain"));
    const auto alignment = [&](int col) {
        return Qt::Alignment(
            grid.model()->index(0, col - 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
            Qt::AlignHorizontal_Mask);
    };
    const auto headingAlignment = [&](int col) {
        return Qt::Alignment(grid.model()
                                 ->headerData(col - 1, Qt::Horizontal, Qt::TextAlignmentRole)
                                 .value<Qt::Alignment>() &
                             Qt::AlignHorizontal_Mask);
    };
    QCOMPARE(alignment(1), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(alignment(2), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(alignment(3), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(alignment(4), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(headingAlignment(2), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(headingAlignment(3), Qt::Alignment(Qt::AlignRight));
    // A heading is never cut: its column is at least as wide as its text.
    QVERIFY(grid.horizontalHeader()->sectionSize(0) >=
            grid.fontMetrics().horizontalAdvance("Last Name"));
}

void tst_FlexGrid::colWidthIsInTwips() {
    FlexGrid grid;
    grid.setCols(4);
    grid.setColWidth(0, 200);
    grid.setColWidth(1, 2000);
    grid.setColWidth(2, 0);
    QCOMPARE(grid.colWidth(1), 2000);
    QCOMPARE(grid.colWidth(2), 0);
    QCOMPARE(grid.horizontalHeader()->sectionSize(0), ui::twips(2000));
    QCOMPARE(grid.horizontalHeader()->sectionSize(1), 0);
    QCOMPARE(grid.verticalHeader()->width(), ui::twips(200));
    // Widths stay with their columns when more columns come.
    grid.setCols(6);
    QCOMPARE(grid.horizontalHeader()->sectionSize(0), ui::twips(2000));
    QCOMPARE(grid.horizontalHeader()->sectionSize(1), 0);
}

void tst_FlexGrid::bindShowsFieldNamesAndRecords() {
    FlexGrid grid;
    grid.setFormatString("|A|B|C|D|E");
    grid.bind(records({"IdNum", "LastName", "MiddleName"},
                      {{"1001", "SANTOS", QVariant()},
                       {"1002", QVariant(), "LUZ"},
                       {42, "O'BRIEN", QVariant(QMetaType(QMetaType::QString))}}));
    QCOMPARE(grid.rows(), 4);
    QCOMPARE(grid.cols(), 4);
    QCOMPARE(grid.fixedRows(), 1);
    QCOMPARE(grid.fixedCols(), 1);
    QCOMPARE(grid.textMatrix(0, 0), QString());
    QCOMPARE(grid.textMatrix(0, 1), QString("IdNum"));
    QCOMPARE(grid.textMatrix(0, 3), QString("MiddleName"));
    QCOMPARE(grid.textMatrix(1, 3), QString());
    QCOMPARE(grid.textMatrix(2, 2), QString());
    QCOMPARE(grid.textMatrix(2, 3), QString("LUZ"));
    QCOMPARE(grid.textMatrix(3, 1), QString("42"));
    QCOMPARE(grid.textMatrix(3, 2), QString("O'BRIEN"));
    QCOMPARE(grid.textMatrix(3, 3), QString());
    QCOMPARE(column(grid, 0), (QStringList{"", "", "", ""}));
}

void tst_FlexGrid::bindAnEmptyResult() {
    FlexGrid grid;
    fill(grid, 5, 3);
    grid.bind(records({"HospNum", "LastName"}, {}));
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.cols(), 3);
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(grid.textMatrix(0, 2), QString("LastName"));
    // A closed result set shows nothing.
    grid.bind(data::Recordset());
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.cols(), 1);
}

void tst_FlexGrid::currentCellChangedFromCodeAndKeys() {
    FlexGrid grid;
    fill(grid, 5, 3);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy changed(&grid, &FlexGrid::currentCellChanged);

    grid.setRow(3);
    QCOMPARE(grid.row(), 3);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.takeFirst(), (QVariantList{3, 1}));
    QCOMPARE(grid.currentIndex(), grid.model()->index(2, 0));
    QVERIFY(grid.selectionModel()->isRowSelected(2, {}));

    grid.setCol(2);
    QCOMPARE(changed.takeFirst(), (QVariantList{3, 2}));
    grid.setRow(3); // no change, no signal
    QCOMPARE(changed.size(), 0);

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.row(), 4);
    QCOMPARE(changed.takeFirst(), (QVariantList{4, 2}));
    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(changed.takeFirst(), (QVariantList{3, 2}));

    // The heading row may be made current from code; nothing is selected then.
    grid.setRow(0);
    QCOMPARE(grid.row(), 0);
    QCOMPARE(changed.takeFirst(), (QVariantList{0, 2}));
    QVERIFY(!grid.selectionModel()->hasSelection());

    // A click on a cell makes it current.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualRect(grid.model()->index(1, 0)).center());
    QCOMPARE(grid.row(), 2);
    QCOMPARE(grid.col(), 1);
}

void tst_FlexGrid::currentCellFollowsShrinkingGrid() {
    FlexGrid grid;
    fill(grid, 6, 3);
    grid.setRow(5);
    grid.setRows(3);
    QCOMPARE(grid.row(), 2);
    QCOMPARE(grid.currentIndex(), grid.model()->index(1, 0));
    grid.clearRows(2);
    QCOMPARE(grid.row(), 1);
    // Only the heading row is left: Row can only be the heading row.
    grid.setRows(1);
    QCOMPARE(grid.row(), 0);
    QVERIFY(!grid.currentIndex().isValid());
}

void tst_FlexGrid::enterIsReported() {
    FlexGrid grid;
    fill(grid, 3, 3);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy enter(&grid, &FlexGrid::enterPressed);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(enter.size(), 2);
}

void tst_FlexGrid::gridNeverEdits() {
    FlexGrid grid;
    fill(grid, 3, 3);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QModelIndex cell = grid.model()->index(0, 0);
    QVERIFY(!(grid.model()->flags(cell) & Qt::ItemIsEditable));
    QSignalSpy doubleClicked(&grid, &FlexGrid::cellDoubleClicked);
    // A double click is a click followed by the double click itself.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell).center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(cell).center());
    QCOMPARE(doubleClicked.size(), 1);
    QCOMPARE(doubleClicked.first(), (QVariantList{1, 1}));
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClicks(&grid, "abc");
    QCOMPARE(grid.textMatrix(1, 1), QString("1,1"));
    QCOMPARE(grid.findChildren<QLineEdit*>().size(), 0);
}

void tst_FlexGrid::cellRectOfDataAndHeadings() {
    FlexGrid grid;
    fill(grid, 200, 3);
    grid.setColWidth(0, 300);
    grid.setColWidth(1, 1500);
    grid.setColWidth(2, 1500);
    grid.resize(ui::twips(4000), 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    const QRect heading = grid.cellRect(0, 1);
    const QRect first = grid.cellRect(1, 1);
    const QRect beside = grid.cellRect(1, 2);
    const QRect fixed = grid.cellRect(1, 0);
    QVERIFY(!heading.isEmpty());
    QCOMPARE(heading.width(), ui::twips(1500));
    QCOMPARE(first.left(), heading.left());
    QVERIFY(first.top() >= heading.bottom());
    QCOMPARE(beside.left(), first.left() + first.width());
    QCOMPARE(fixed.top(), first.top());
    QCOMPARE(fixed.width(), ui::twips(300));
    QVERIFY(fixed.right() < first.left());
    QVERIFY(grid.rect().contains(first));
    QVERIFY(grid.rowIsVisible(1));
    QVERIFY(!grid.rowIsVisible(199));
    QVERIFY(grid.cellRect(199, 1).isEmpty());

    // Scrolled to the end, the last row shows and the headings stay where they were.
    grid.scrollToBottom();
    QVERIFY(grid.rowIsVisible(199));
    QVERIFY(!grid.rowIsVisible(1));
    QVERIFY(grid.cellRect(1, 1).isEmpty());
    QCOMPARE(grid.cellRect(0, 1), heading);
    QVERIFY(grid.rowIsVisible(0));
}

void tst_FlexGrid::scrollingIsReported() {
    FlexGrid grid;
    fill(grid, 500, 2);
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy scrolled(&grid, &FlexGrid::scrolled);
    grid.setRow(400);
    grid.scrollTo(grid.currentIndex());
    QVERIFY(scrolled.size() > 0);
}

void tst_FlexGrid::redrawOffDefersPainting() {
    FlexGrid grid;
    fill(grid, 3, 3);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    grid.setRedraw(false);
    QVERIFY(!grid.viewport()->updatesEnabled());
    for (int r = 1; r < 3; ++r)
        grid.setTextMatrix(r, 1, "new");
    QCOMPARE(changed.size(), 0);
    QCOMPARE(grid.textMatrix(2, 1), QString("new"));
    grid.setRedraw(true);
    QVERIFY(grid.viewport()->updatesEnabled());
    QVERIFY(changed.size() >= 1);
    QCOMPARE(grid.model()->index(1, 0).data().toString(), QString("new"));
}

void tst_FlexGrid::cellStyles() {
    FlexGrid grid;
    fill(grid, 3, 3);
    grid.setCellBackColor(1, 1, Qt::yellow);
    grid.setCellForeColor(1, 2, Qt::red);
    grid.setCellBold(2, 1, true);
    grid.setCellBold(0, 1, true);
    const QAbstractItemModel* m = grid.model();
    QCOMPARE(m->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    QCOMPARE(m->index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(m->index(1, 0).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!m->index(1, 1).data(Qt::FontRole).isValid());
    QVERIFY(m->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    // Styles move with their rows.
    grid.insertRow(1);
    QVERIFY(!m->index(0, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(m->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
}

void tst_FlexGrid::bindsAHundredThousandRows() {
    QList<server::Row> rows;
    rows.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        rows.append({QString::number(i), "LAST" + QString::number(i), QVariant(), "2025-01-01"});
    const data::Recordset many = records({"IdNum", "LastName", "FirstName", "AdmDate"}, rows);
    FlexGrid grid;
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QElapsedTimer timer;
    timer.start();
    grid.setRedraw(false);
    grid.bind(many);
    grid.setRedraw(true);
    grid.setRow(grid.rows() - 1);
    grid.scrollTo(grid.currentIndex());
    QCoreApplication::processEvents();
    // Generous for a loaded test machine; a grid that touched every row per
    // change would take far longer.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed()) + " ms"));
    QCOMPARE(grid.rows(), 100001);
    QCOMPARE(grid.textMatrix(100000, 2), QString("LAST99999"));
    QVERIFY(grid.rowIsVisible(100000));
    testsupport::savePicture(&grid, "flexgrid_100000");
}

QTEST_MAIN(tst_FlexGrid)
#include "tst_flexgrid.moc"
