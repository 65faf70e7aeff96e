#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace his {

// The search window of the search components: a search box in capitals, the
// rows found, Select and Close. Enter in the box searches, Down moves into
// the list, Enter or a double click on a row chooses it, Esc closes.
class frmSearchList final : public QDialog {
    Q_OBJECT

public:
    // The rows for a search text; the first cell of a row is its key.
    using Search = std::function<QList<QStringList>(const QString& text)>;

    frmSearchList(QWidget* parent, const QString& caption, const QStringList& headers,
                  Search search);

    // Fills the box and searches at once.
    void start(const QString& text);

    bool Valid() const { return m_valid; }
    QString ResultCode() const { return m_resultCode; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runSearch();
    void choose();

    Search m_search;
    QLineEdit* m_text;
    QTreeWidget* m_list;
    QPushButton* m_select;
    bool m_valid = false;
    QString m_resultCode;
};

} // namespace his
