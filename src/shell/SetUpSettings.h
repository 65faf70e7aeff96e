#pragma once

#include <QString>

namespace data {
class Recordset;
}

namespace shell {

// The section's settings as the set-up screen shows them. Options hold the
// index of the chosen button, -1 when none is chosen.
struct SetUpSettings {
    enum CashBasis { CashRate = 0, OpdRate = 1, SocializedRate = 2 };
    enum Pacs { PacsEnable = 0, PacsDisable = 1 };
    enum Company { CompanyEnabled = 0, CompanyDisabled = 1, CompanyRateH = 2 };
    enum FileNumbering { AllSection = 0, PerSection = 1 };

    int cashBasis = OpdRate;
    QString statMarkup = "0";
    QString portableMarkup = "0";
    QString markupOperator;
    int pacs = PacsDisable;
    int company = CompanyRateH;
    QString companyMarkup;
    int fileNumbering = AllSection;
    QString fileNumber;
    QString filePrefix;

    // The settings of a section without a row.
    static SetUpSettings defaults() { return {}; }
    // The settings of the section's row (the current row of the result).
    static SetUpSettings fromRow(const data::Recordset& row);

    // The save command, with its separators, for the acting user.
    QString saveCommand(const QString& employeeCode) const;
};

} // namespace shell
