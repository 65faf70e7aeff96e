#pragma once

#include "src/shell/SetUpSettings.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace shell {

// The section's set-up: cash basis, mark-ups, PACS, company mark-up and the
// result file numbering. It loads the section's row when it opens and saves
// or is cancelled by itself.
class frmSetUp final : public QDialog {
    Q_OBJECT

public:
    explicit frmSetUp(QWidget* parent = nullptr);

    // Reads the section's settings into the controls; done when it opens.
    void load();
    SetUpSettings shownSettings() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void show(const SetUpSettings& settings);
    void save();

    QButtonGroup* m_cashBasis;
    QButtonGroup* m_pacs;
    QButtonGroup* m_company;
    QButtonGroup* m_fileNumbering;
    QLineEdit* m_statMarkup;
    QLineEdit* m_portableMarkup;
    QLineEdit* m_operator;
    QLineEdit* m_companyMarkup;
    QLineEdit* m_fileNumber;
    QLineEdit* m_prefix;
    bool m_loaded = false;
};

} // namespace shell
