#include "src/shell/SetUpSettings.h"

#include "src/data/Quoting.h"
#include "src/data/Recordset.h"

namespace shell {

SetUpSettings SetUpSettings::fromRow(const data::Recordset& row) {
    auto text = [&](const char* name) { return row.field(name).text(); };
    SetUpSettings s;
    const QString cash = text("CashBasis");
    s.cashBasis = cash == "1"   ? CashRate
                  : cash == "2" ? OpdRate
                  : cash == "3" ? SocializedRate
                                : -1;
    s.statMarkup = text("Markup");
    s.portableMarkup = text("PMarkup");
    s.markupOperator = text("operator");
    const QString pacs = text("PAcs");
    s.pacs = pacs == "True" ? PacsEnable : pacs == "False" ? PacsDisable : -1;
    const QString company = text("Company");
    s.company = company == "1" ? CompanyEnabled : company == "2" ? CompanyDisabled : CompanyRateH;
    s.companyMarkup = text("CompanyMarkup");
    s.fileNumbering = text("FileNoSetup") == "True" ? PerSection : AllSection;
    s.fileNumber = text("FileNumber");
    s.filePrefix = text("FileNoPrefix");
    return s;
}

QString SetUpSettings::saveCommand(const QString& employeeCode) const {
    const QString cash = cashBasis == CashRate ? "1" : cashBasis == SocializedRate ? "3" : "2";
    const QString pacsValue = pacs == PacsEnable ? "1" : pacs == PacsDisable ? "0" : "";
    const QString companyValue = company == CompanyEnabled ? "1"
                                 : company == CompanyRateH ? "3"
                                                           : "2";
    const QString numbering = fileNumbering == PerSection   ? "1"
                              : fileNumbering == AllSection ? "0"
                                                            : "";
    using data::DoubleQuotes;
    return "RAdiology..Sp_RadioSetup '2', '" + QString("MM") + "' ,'" + cash + "','" + "" + "','" +
           DoubleQuotes(employeeCode) + "', '" + DoubleQuotes(statMarkup) + "', '" +
           DoubleQuotes(portableMarkup) + "', '" + DoubleQuotes(markupOperator) + "','" +
           pacsValue + "','" + companyValue + "','" + DoubleQuotes(companyMarkup) + "','" +
           numbering + "','" + DoubleQuotes(fileNumber) + "','" + DoubleQuotes(filePrefix) + "'";
}

} // namespace shell
