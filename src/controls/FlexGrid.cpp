#include "src/controls/FlexGrid.h"

#include "src/data/Recordset.h"
#include "src/ui/Units.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <vector>

namespace controls {

namespace {

// Width of a column nobody has sized: about what a new list grid shows.
constexpr int kDefaultColWidthTwips = 960;
// Height of a row, as the section's lists have always had it.
constexpr int kRowHeightTwips = 240;

struct CellStyle {
    QColor back;
    QColor fore;
    bool bold = false;
};

struct GridRow {
    std::vector<QString> texts;
    std::vector<CellStyle> styles; // empty until a cell of the row is styled
};

} // namespace

// Holds every cell of the grid, fixed ones included, addressed as the windows
// address them. Towards the view it shows the non-fixed cells as items and the
// fixed row(s) and column(s) as the header sections, so the headings stay in
// view while the list scrolls.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(QObject* parent)
        : QAbstractTableModel(parent) {
        m_rows.resize(2);
        for (GridRow& row : m_rows)
            row.texts.resize(2);
        m_alignments.resize(2, Qt::AlignLeft | Qt::AlignVCenter);
    }

    int rows() const { return int(m_rows.size()); }
    int cols() const { return m_cols; }
    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }

    // --- QAbstractTableModel

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows() - m_fixedRows;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_cols - m_fixedCols;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        return cellData(index.row() + m_fixedRows, index.column() + m_fixedCols, role);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal) {
            const int col = section + m_fixedCols;
            if (m_fixedRows == 1 || role != Qt::DisplayRole)
                return cellData(m_fixedRows - 1, col, role);
            QStringList lines;
            for (int r = 0; r < m_fixedRows; ++r)
                lines << text(r, col);
            return lines.join('\n');
        }
        const int row = section + m_fixedRows;
        if (m_fixedCols == 1 || role != Qt::DisplayRole)
            return cellData(row, m_fixedCols - 1, role);
        QStringList parts;
        for (int c = 0; c < m_fixedCols; ++c)
            parts << text(row, c);
        return parts.join(' ');
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

    // --- the grid's own operations

    bool validCell(int row, int col) const {
        return row >= 0 && row < rows() && col >= 0 && col < m_cols;
    }

    QString text(int row, int col) const {
        if (!validCell(row, col))
            return {};
        return m_rows[size_t(row)].texts[size_t(col)];
    }

    void setText(int row, int col, const QString& text) {
        m_rows[size_t(row)].texts[size_t(col)] = text;
        cellChanged(row, col);
    }

    CellStyle& style(int row, int col) {
        auto& styles = m_rows[size_t(row)].styles;
        if (styles.empty())
            styles.resize(size_t(m_cols));
        return styles[size_t(col)];
    }

    void cellChanged(int row, int col) {
        if (m_quiet)
            return;
        if (row < m_fixedRows && col >= m_fixedCols) {
            emit headerDataChanged(Qt::Horizontal, col - m_fixedCols, col - m_fixedCols);
        } else if (col < m_fixedCols && row >= m_fixedRows) {
            emit headerDataChanged(Qt::Vertical, row - m_fixedRows, row - m_fixedRows);
        } else if (row >= m_fixedRows && col >= m_fixedCols) {
            const QModelIndex i = index(row - m_fixedRows, col - m_fixedCols);
            emit dataChanged(i, i);
        }
    }

    Qt::Alignment alignment(int col) const { return m_alignments[size_t(col)]; }
    void setAlignment(int col, Qt::Alignment a) { m_alignments[size_t(col)] = a; }

    // Quiet: cell changes are not announced; refresh() announces them all at once.
    void setQuiet(bool quiet) { m_quiet = quiet; }
    void refresh() {
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        if (columnCount() > 0)
            emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        if (rowCount() > 0)
            emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }

    void setRows(int count) {
        count = std::max(count, 0);
        if (count == rows())
            return;
        if (count < m_fixedRows) {
            beginResetModel();
            m_fixedRows = count;
            m_rows.resize(size_t(count));
            endResetModel();
            return;
        }
        if (count > rows()) {
            beginInsertRows({}, rows() - m_fixedRows, count - m_fixedRows - 1);
            m_rows.resize(size_t(count));
            for (GridRow& row : m_rows)
                row.texts.resize(size_t(m_cols));
            endInsertRows();
        } else {
            beginRemoveRows({}, count - m_fixedRows, rows() - m_fixedRows - 1);
            m_rows.resize(size_t(count));
            endRemoveRows();
        }
    }

    void setCols(int count) {
        count = std::max(count, 0);
        if (count == m_cols)
            return;
        const auto resizeAll = [this, count] {
            for (GridRow& row : m_rows) {
                row.texts.resize(size_t(count));
                if (!row.styles.empty())
                    row.styles.resize(size_t(count));
            }
            m_alignments.resize(size_t(count), Qt::AlignLeft | Qt::AlignVCenter);
            m_cols = count;
        };
        if (count < m_fixedCols) {
            beginResetModel();
            m_fixedCols = count;
            resizeAll();
            endResetModel();
        } else if (count > m_cols) {
            beginInsertColumns({}, m_cols - m_fixedCols, count - m_fixedCols - 1);
            resizeAll();
            endInsertColumns();
        } else {
            beginRemoveColumns({}, count - m_fixedCols, m_cols - m_fixedCols - 1);
            resizeAll();
            endRemoveColumns();
        }
    }

    void setFixedRows(int count) {
        count = std::clamp(count, 0, rows());
        if (count == m_fixedRows)
            return;
        beginResetModel();
        m_fixedRows = count;
        endResetModel();
    }

    void setFixedCols(int count) {
        count = std::clamp(count, 0, m_cols);
        if (count == m_fixedCols)
            return;
        beginResetModel();
        m_fixedCols = count;
        endResetModel();
    }

    void insertRow(int row) {
        GridRow fresh;
        fresh.texts.resize(size_t(m_cols));
        if (row < m_fixedRows) {
            // A new heading row: the headers change shape, show everything anew.
            beginResetModel();
            m_rows.insert(m_rows.begin() + row, std::move(fresh));
            ++m_fixedRows;
            endResetModel();
            return;
        }
        beginInsertRows({}, row - m_fixedRows, row - m_fixedRows);
        m_rows.insert(m_rows.begin() + row, std::move(fresh));
        endInsertRows();
    }

    void removeRow(int row) {
        if (row < m_fixedRows) {
            beginResetModel();
            m_rows.erase(m_rows.begin() + row);
            --m_fixedRows;
            endResetModel();
            return;
        }
        beginRemoveRows({}, row - m_fixedRows, row - m_fixedRows);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
    }

    void clearRows(int count) {
        count = std::max(count, m_fixedRows);
        beginResetModel();
        m_rows.resize(size_t(m_fixedRows));
        m_rows.resize(size_t(count));
        for (GridRow& row : m_rows)
            row.texts.resize(size_t(m_cols));
        endResetModel();
    }

    void bind(const data::Recordset& records) {
        const server::Result& result = records.result();
        const int fields = int(result.columns.size());
        beginResetModel();
        m_cols = fields + 1;
        m_fixedCols = std::min(m_fixedCols, m_cols);
        m_fixedRows = std::min(m_fixedRows, 1);
        m_alignments.assign(size_t(m_cols), Qt::AlignLeft | Qt::AlignVCenter);
        const int recordCount = records.isOpen() ? int(result.rows.size()) : 0;
        m_rows.clear();
        m_rows.resize(size_t(recordCount + 1));
        GridRow& names = m_rows.front();
        names.texts.resize(size_t(m_cols));
        for (int f = 0; f < fields; ++f)
            names.texts[size_t(f + 1)] = result.columns[f];
        for (int r = 0; r < recordCount; ++r) {
            const server::Row& values = result.rows[r];
            GridRow& row = m_rows[size_t(r + 1)];
            row.texts.resize(size_t(m_cols));
            for (int f = 0; f < fields && f < values.size(); ++f)
                row.texts[size_t(f + 1)] = data::valueText(values[f]);
        }
        if (m_fixedRows == 0 && !m_rows.empty())
            m_fixedRows = 1; // the field names are headings
        endResetModel();
    }

private:
    QVariant cellData(int row, int col, int role) const {
        if (!validCell(row, col))
            return {};
        const GridRow& r = m_rows[size_t(row)];
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return r.texts[size_t(col)];
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(m_alignments[size_t(col)]);
        case Qt::BackgroundRole:
            if (!r.styles.empty() && r.styles[size_t(col)].back.isValid())
                return r.styles[size_t(col)].back;
            return {};
        case Qt::ForegroundRole:
            if (!r.styles.empty() && r.styles[size_t(col)].fore.isValid())
                return r.styles[size_t(col)].fore;
            return {};
        case Qt::FontRole:
            if (!r.styles.empty() && r.styles[size_t(col)].bold) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        default:
            return {};
        }
    }

    std::vector<GridRow> m_rows;
    std::vector<Qt::Alignment> m_alignments;
    int m_cols = 2;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    bool m_quiet = false;
};

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new FlexGridModel(this)) {
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);

    QHeaderView* top = horizontalHeader();
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setMinimumSectionSize(0);
    top->setHighlightSections(false);
    top->setStretchLastSection(false);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QHeaderView* side = verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setMinimumSectionSize(0);
    side->setDefaultSectionSize(std::max(ui::twips(kRowHeightTwips), fontMetrics().height() + 4));
    side->setHighlightSections(false);

    m_widths.assign(2, kDefaultColWidthTwips);
    m_widths[0] = kDefaultColWidthTwips / 4;

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncing || !current.isValid())
                    return;
                moveCurrent(current.row() + fixedRows(), current.column() + fixedCols(), false);
            });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        emit cellClicked(i.row() + fixedRows(), i.column() + fixedCols());
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        emit cellDoubleClicked(i.row() + fixedRows(), i.column() + fixedCols());
    });
    connect(top, &QHeaderView::sectionClicked, this,
            [this](int section) { emit cellClicked(fixedRows() - 1, section + fixedCols()); });
    connect(side, &QHeaderView::sectionClicked, this,
            [this](int section) { emit cellClicked(section + fixedRows(), fixedCols() - 1); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &FlexGrid::scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &FlexGrid::scrolled);

    layoutFixedParts();
    syncCurrent();
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::rows() const {
    return m_model->rows();
}

void FlexGrid::setRows(int rows) {
    m_model->setRows(rows);
    afterShapeChange();
}

int FlexGrid::cols() const {
    return m_model->cols();
}

void FlexGrid::setCols(int cols) {
    m_model->setCols(cols);
    m_widths.resize(size_t(m_model->cols()), kDefaultColWidthTwips);
    afterShapeChange();
}

int FlexGrid::fixedRows() const {
    return m_model->fixedRows();
}

void FlexGrid::setFixedRows(int rows) {
    m_model->setFixedRows(rows);
    afterShapeChange();
}

int FlexGrid::fixedCols() const {
    return m_model->fixedCols();
}

void FlexGrid::setFixedCols(int cols) {
    m_model->setFixedCols(cols);
    afterShapeChange();
}

QString FlexGrid::textMatrix(int row, int col) const {
    if (!m_model->validCell(row, col)) {
        qWarning("FlexGrid::textMatrix: cell (%d, %d) is outside the grid", row, col);
        return {};
    }
    return m_model->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (!m_model->validCell(row, col)) {
        qWarning("FlexGrid::setTextMatrix: cell (%d, %d) is outside the grid", row, col);
        return;
    }
    m_model->setText(row, col, text);
}

int FlexGrid::row() const {
    return m_row;
}

void FlexGrid::setRow(int row) {
    if (row < 0 || row >= rows()) {
        qWarning("FlexGrid::setRow: row %d is outside the grid", row);
        return;
    }
    moveCurrent(row, m_col, true);
}

int FlexGrid::col() const {
    return m_col;
}

void FlexGrid::setCol(int col) {
    if (col < 0 || col >= cols()) {
        qWarning("FlexGrid::setCol: column %d is outside the grid", col);
        return;
    }
    moveCurrent(m_row, col, true);
}

int FlexGrid::colWidth(int col) const {
    if (col < 0 || col >= int(m_widths.size()))
        return 0;
    return m_widths[size_t(col)];
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols()) {
        qWarning("FlexGrid::setColWidth: column %d is outside the grid", col);
        return;
    }
    m_widths[size_t(col)] = std::max(twips, 0);
    layoutFixedParts();
}

void FlexGrid::setFormatString(const QString& format) {
    const QStringList parts = format.split('|');
    setCols(int(parts.size()));
    for (int c = 0; c < parts.size(); ++c) {
        QString heading = parts[c];
        Qt::Alignment align = Qt::AlignLeft;
        if (heading.startsWith('^')) {
            align = Qt::AlignHCenter;
            heading.remove(0, 1);
        } else if (heading.startsWith('>')) {
            align = Qt::AlignRight;
            heading.remove(0, 1);
        } else if (heading.startsWith('<')) {
            heading.remove(0, 1);
        }
        m_model->setAlignment(c, align | Qt::AlignVCenter);
        if (fixedRows() > 0)
            m_model->setText(0, c, heading);
        // Each heading sizes its column to fit; ColWidth set after it wins.
        if (!heading.isEmpty()) {
            const int pixels = fontMetrics().horizontalAdvance(heading) + 8;
            m_widths[size_t(c)] = int(std::lround(pixels * 1440.0 / std::max(1, ui::twips(1440))));
        }
    }
    layoutFixedParts();
    m_model->refresh();
}

void FlexGrid::addRow() {
    insertRow(rows());
}

void FlexGrid::insertRow(int row) {
    if (row < 0 || row > rows()) {
        qWarning("FlexGrid::insertRow: row %d is outside the grid", row);
        return;
    }
    m_model->insertRow(row);
    afterShapeChange();
}

void FlexGrid::removeRow(int row) {
    if (row < 0 || row >= rows()) {
        qWarning("FlexGrid::removeRow: row %d is outside the grid", row);
        return;
    }
    m_model->removeRow(row);
    afterShapeChange();
}

void FlexGrid::clearRows(int rows) {
    m_model->clearRows(rows);
    afterShapeChange();
}

void FlexGrid::bind(const data::Recordset& records) {
    const int oldCols = cols();
    m_model->bind(records);
    m_widths.resize(size_t(cols()), kDefaultColWidthTwips);
    if (oldCols != cols() && fixedCols() > 0)
        m_widths[0] = kDefaultColWidthTwips / 4;
    afterShapeChange();
}

void FlexGrid::setRedraw(bool on) {
    if (on == m_redraw)
        return;
    m_redraw = on;
    m_model->setQuiet(!on);
    if (on) {
        m_model->refresh();
        layoutFixedParts();
    }
    setUpdatesEnabled(on);
    viewport()->setUpdatesEnabled(on);
    if (on)
        viewport()->update();
}

void FlexGrid::setCellBackColor(int row, int col, const QColor& color) {
    if (!m_model->validCell(row, col))
        return;
    m_model->style(row, col).back = color;
    m_model->cellChanged(row, col);
}

void FlexGrid::setCellForeColor(int row, int col, const QColor& color) {
    if (!m_model->validCell(row, col))
        return;
    m_model->style(row, col).fore = color;
    m_model->cellChanged(row, col);
}

void FlexGrid::setCellBold(int row, int col, bool bold) {
    if (!m_model->validCell(row, col))
        return;
    m_model->style(row, col).bold = bold;
    m_model->cellChanged(row, col);
}

QRect FlexGrid::cellRect(int row, int col) const {
    if (!m_model->validCell(row, col))
        return {};
    const int fr = fixedRows();
    const int fc = fixedCols();
    const QHeaderView* top = horizontalHeader();
    const QHeaderView* side = verticalHeader();

    // Column span, in the coordinates of the part that shows the column.
    int x = 0;
    int w = 0;
    const QWidget* xPart = nullptr;
    if (col >= fc) {
        x = top->sectionViewportPosition(col - fc);
        w = top->sectionSize(col - fc);
        xPart = viewport();
    } else {
        for (int c = 0; c < col; ++c)
            x += ui::twips(m_widths[size_t(c)]);
        w = ui::twips(m_widths[size_t(col)]);
        xPart = side;
    }
    int y = 0;
    int h = 0;
    const QWidget* yPart = nullptr;
    if (row >= fr) {
        y = side->sectionViewportPosition(row - fr);
        h = side->sectionSize(row - fr);
        yPart = viewport();
    } else {
        const int lineHeight = fr > 0 ? top->height() / fr : 0;
        y = row * lineHeight;
        h = lineHeight;
        yPart = top;
    }
    const QRect inX(QPoint(x, 0), QSize(w, 1));
    const QRect inY(QPoint(0, y), QSize(1, h));
    if (xPart->isHidden() || yPart->isHidden())
        return {};
    if (!inX.intersects(QRect(0, 0, xPart->width(), 1)) ||
        !inY.intersects(QRect(0, 0, 1, yPart->height())))
        return {};
    const int left = xPart->mapTo(this, QPoint(x, 0)).x();
    const int topY = yPart->mapTo(this, QPoint(0, y)).y();
    return QRect(left, topY, w, h);
}

bool FlexGrid::rowIsVisible(int row) const {
    if (row < 0 || row >= rows())
        return false;
    if (row < fixedRows())
        return !horizontalHeader()->isHidden();
    const QHeaderView* side = verticalHeader();
    const int y = side->sectionViewportPosition(row - fixedRows());
    const int h = side->sectionSize(row - fixedRows());
    return y + h > 0 && y < viewport()->height();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void FlexGrid::layoutFixedParts() {
    const int fr = fixedRows();
    const int fc = fixedCols();
    QHeaderView* top = horizontalHeader();
    QHeaderView* side = verticalHeader();

    top->setHidden(fr == 0);
    if (fr > 0) {
        const int lineHeight = side->defaultSectionSize();
        top->setFixedHeight(lineHeight * fr);
    }
    int fixedWidth = 0;
    for (int c = 0; c < fc && c < int(m_widths.size()); ++c)
        fixedWidth += ui::twips(m_widths[size_t(c)]);
    side->setHidden(fc == 0 || fixedWidth == 0);
    if (fc > 0)
        side->setFixedWidth(fixedWidth);
    for (int c = fc; c < cols() && c < int(m_widths.size()); ++c)
        top->resizeSection(c - fc, ui::twips(m_widths[size_t(c)]));
}

void FlexGrid::afterShapeChange() {
    layoutFixedParts();
    syncCurrent();
}

void FlexGrid::syncCurrent() {
    // The current cell stays where it was when it still exists; otherwise it
    // moves to the nearest cell that does, preferring the first data cell.
    int row = m_row;
    int col = m_col;
    if (row < fixedRows() || row >= rows())
        row = std::clamp(row, std::min(fixedRows(), rows() - 1), rows() - 1);
    if (col < fixedCols() || col >= cols())
        col = std::clamp(col, std::min(fixedCols(), cols() - 1), cols() - 1);
    moveCurrent(std::max(row, 0), std::max(col, 0), true);
}

void FlexGrid::moveCurrent(int row, int col, bool updateView) {
    if (updateView) {
        m_syncing = true;
        const QModelIndex index = m_model->index(row - fixedRows(), col - fixedCols());
        if (index.isValid()) {
            if (index != currentIndex())
                selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
            else if (!selectionModel()->isRowSelected(index.row(), {}))
                selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
        } else {
            selectionModel()->clear();
        }
        m_syncing = false;
    }
    if (row == m_row && col == m_col)
        return;
    m_row = row;
    m_col = col;
    emit currentCellChanged(row, col);
}

void FlexGrid::widenToFit(int col, int leastTwips) {
    constexpr int kRowsMeasured = 300;
    constexpr int kCellPadding = 12; // pixels around the text of a cell
    const QFontMetrics metrics(font());
    int pixels = 0;
    for (int r = 0; r < std::min(rows(), kRowsMeasured); ++r)
        pixels = std::max(pixels, metrics.horizontalAdvance(textMatrix(r, col)));
    const int needed = int(std::ceil((pixels + kCellPadding) * 1440.0 / ui::twips(1440)));
    setColWidth(col, std::max(leastTwips, needed));
}

} // namespace controls
