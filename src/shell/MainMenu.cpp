#include "src/shell/MainMenu.h"

namespace shell {

namespace {

MenuItem entry(const QString& caption, const QString& shortcut, const QString& command) {
    MenuItem m;
    m.caption = caption;
    m.shortcut = shortcut;
    m.command = command;
    return m;
}

MenuItem separator() {
    MenuItem m;
    m.separator = true;
    return m;
}

MenuItem report(const QString& caption, int type, bool passCaption, const QString& patient = {}) {
    MenuItem m = entry(caption, {}, "report");
    m.reportType = type;
    m.passCaption = passCaption;
    m.patientType = patient;
    return m;
}

MenuItem menu(const QString& caption, QList<MenuItem> children, bool hidden = false) {
    MenuItem m;
    m.caption = caption;
    m.children = std::move(children);
    m.hidden = hidden;
    return m;
}

MenuItem disabled(MenuItem m) {
    m.disabled = true;
    return m;
}

} // namespace

const QList<MenuItem>& mainMenu() {
    static const QList<MenuItem> menus{
        menu("Re&quest", {entry("&Assessment", "Ctrl+A", "assess"), separator(),
                          entry("&Inpatient Request", "Ctrl+I", "inpatient"),
                          menu("&Outpatient Request", {entry("Cash", "Ctrl+L", "cash"),
                                                       entry("Charge", "Ctrl+O", "charge")}),
                          separator(), entry("Receivable Entry", {}, "receivable"), separator(),
                          entry("E&xit", "Ctrl+X", "exit")}),
        menu("&Results", {entry("Result &Entry", "F1", "resultEntry"),
                          entry("Result &Inquiry", "F2", "resultInquiry")}),
        menu("Re&ports",
             {report("&Audit Report", 1, true), report("&Transactions Report", 2, true),
              report("Statistical Report", 5, true), report("Monthly Report", 12, true),
              report("Film Consumption", 13, true),
              menu("Monthly Report",
                   {report("Sorted by Transaction Date", 6, false),
                    report("Grouped per Exam", 7, false)},
                   true),
              menu("Doctor's Commision Report",
                   {report("Based on the Transaction Date", 9, false),
                    report("Based on the Payment Date", 10, false)},
                   true),
              report("Census Report", 14, true), report("Census Report per Section", 15, true),
              separator(), entry("Assessment &Status", {}, "assessStatus"),
              menu("Logbook",
                   {report("InPatient", 11, false, "I"), report("OutPatient", 11, false, "O")})}),
        menu("Maintenance",
             {entry("Charges Slip Reprinting", "F8", "reprint"),
              disabled(entry("Walk-in Masterfile Update", {}, {})),
              entry("Cancel Request", {}, "cancel"),
              entry("Cost Center Slip Duplicate", {}, "reprint"),
              disabled(entry("Verification", {}, {})), entry("FileNum", {}, "fileNum"),
              entry("Patient's Ledger", {}, "ledger"), entry("Build File", {}, {}),
              disabled(entry("List of Rates", {}, {})), separator(),
              entry("Discharge Notice", {}, "dischargeNotice"),
              entry("Build Interpretation", {}, "buildInterpretation")}),
    };
    return menus;
}

} // namespace shell
