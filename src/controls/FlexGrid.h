#pragma once

#include <QColor>
#include <QTableView>

#include <vector>

namespace data {
class Recordset;
}

namespace controls {

class FlexGridModel;

// The list grid of the section's windows. Row and column numbers count the
// fixed ones, as the windows address them: with one fixed row and column, row
// 0 holds the headings, column 0 is the narrow fixed column, and the data
// starts at (1, 1). Every cell holds text. Widths are given in twips.
class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int rows() const;
    void setRows(int rows); // keeps the texts of the rows that remain
    int cols() const;
    void setCols(int cols);
    int fixedRows() const;
    void setFixedRows(int rows); // default 1
    int fixedCols() const;
    void setFixedCols(int cols); // default 1

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The current cell.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);

    int colWidth(int col) const; // twips
    void setColWidth(int col, int twips);
    // Gives the column at least `leastTwips`, wider where its texts need it,
    // so that numbers, names and dates are not cut short in a font wider than
    // the one the widths were made for. The first rows decide, so that a long
    // list stays quick.
    void widenToFit(int col, int leastTwips);

    // "^Centred|<Left|>Right" headings of row 0; sets Cols to the number of parts.
    void setFormatString(const QString& format);

    void addRow();           // appends an empty row
    void insertRow(int row); // an empty row at that position
    void removeRow(int row);
    // Removes every non-fixed row and leaves `rows` rows in all, the non-fixed ones empty.
    void clearRows(int rows = 2);

    // Shows the records: row 0 the field names, one row per record from row 1,
    // column 0 empty; Cols = fields + 1. Nulls show as "".
    void bind(const data::Recordset& records);

    // While off, changes are not drawn; turning it on draws them at once.
    void setRedraw(bool on);

    void setCellBackColor(int row, int col, const QColor& color);
    void setCellForeColor(int row, int col, const QColor& color);
    void setCellBold(int row, int col, bool bold);

    // The cell's rectangle in this widget's coordinates (an empty rectangle
    // when it is scrolled out of view).
    QRect cellRect(int row, int col) const;
    bool rowIsVisible(int row) const;

signals:
    void currentCellChanged(int row, int col); // also when set from code
    void cellClicked(int row, int col);
    void cellDoubleClicked(int row, int col);
    void enterPressed(); // Enter or Return on the grid
    void scrolled();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layoutFixedParts();
    void afterShapeChange();
    void syncCurrent();
    void moveCurrent(int row, int col, bool updateView);

    FlexGridModel* m_model;
    std::vector<int> m_widths; // twips, one per column
    int m_row = 1;
    int m_col = 1;
    bool m_redraw = true;
    bool m_syncing = false;
};

} // namespace controls
