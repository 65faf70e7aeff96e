#include "his/frmSearchList.h"

#include "src/ui/Guard.h"
#include "src/ui/KeyHelpers.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace his {

frmSearchList::frmSearchList(QWidget* parent, const QString& caption, const QStringList& headers,
                             Search search)
    : QDialog(parent)
    , m_search(std::move(search))
    , m_text(new QLineEdit(this))
    , m_list(new QTreeWidget(this))
    , m_select(new QPushButton("&Select", this)) {
    setObjectName("frmSearchList");
    setWindowTitle(caption);
    setModal(true);

    m_text->setObjectName("txtSearch");
    m_text->setPlaceholderText("code or name, then Enter");
    ui::upperCaseInput(m_text);
    ui::downMovesInto(m_text, m_list);
    m_text->installEventFilter(this);

    m_list->setObjectName("grdList");
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels(headers);
    m_list->header()->setStretchLastSection(true);
    m_list->installEventFilter(this);

    m_select->setObjectName("cmdSelect");
    m_select->setAutoDefault(false);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("cmdClose");
    close->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_select, QDialogButtonBox::AcceptRole);
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* label = new QLabel("&Search:", this);
    label->setBuddy(m_text);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_text);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(640, 420);

    connect(m_select, &QPushButton::clicked, this, &frmSearchList::choose);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &frmSearchList::choose);
}

void frmSearchList::start(const QString& text) {
    m_text->setText(text.toUpper());
    runSearch();
    m_text->setFocus();
}

bool frmSearchList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_text)
                runSearch();
            else
                choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSearchList::runSearch() {
    QList<QStringList> rows;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = ui::guard([&] { rows = m_search(m_text->text().trimmed()); });
    QApplication::restoreOverrideCursor();
    if (!ok)
        return;
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& row : rows)
        items << new QTreeWidgetItem(row);
    m_list->addTopLevelItems(items);
    for (int c = 0; c + 1 < m_list->columnCount(); ++c)
        m_list->resizeColumnToContents(c);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.first());
}

void frmSearchList::choose() {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    m_valid = true;
    m_resultCode = item->text(0);
    accept();
}

} // namespace his
