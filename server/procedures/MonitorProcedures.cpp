#include "server/ProcedureRegistry.h"

namespace server {

namespace {

// Requests from the nursing stations still waiting for the section.
Result spRadio_CheckPending(ProcedureContext& ctx, const Arguments& args) {
    return ctx.query("SELECT COUNT(*) AS TotalPending FROM RADIOLOGY.tbNurseRequest "
                     "WHERE RevenueID = :section AND Status = 'P'",
                     {{"section", args.trimmed(0)}});
}

// Discharge notices the mammography section has not cleared.
Result spRadio_LoadDischargeNoticeCount(ProcedureContext& ctx, const Arguments&) {
    return ctx.query("SELECT COUNT(*) AS RecCount FROM PATIENT_DATA.tbDischargeNotice "
                     "WHERE MMClearDate IS NULL");
}

// Discharge notices the endoscopy section has not cleared.
Result sp_Endo_LoadDischargeNoticeCount(ProcedureContext& ctx, const Arguments&) {
    return ctx.query("SELECT COUNT(*) AS RecCount FROM PATIENT_DATA.tbDischargeNotice "
                     "WHERE ENDOClearDate IS NULL");
}

QVariant emptyAsNull(const Arguments& args, int i) {
    return args.text(i).isEmpty() ? QVariant(QMetaType::fromType<QString>()) : args.value(i);
}

// Mode '1' reads the section's settings, mode '2' stores them.
Result Sp_RadioSetup(ProcedureContext& ctx, const Arguments& args) {
    const QString mode = args.trimmed(0);
    const QString section = args.trimmed(1);
    if (mode == "1") {
        if (args.size() != 2)
            ctx.raise("Mode '1' takes the mode and the section code.");
        return ctx.query(
            "SELECT CashBasis, Markup, PMarkup, MarkupOperator AS \"operator\", "
            "CASE PAcs WHEN '1' THEN 'True' WHEN '0' THEN 'False' END AS PAcs, Company, "
            "CompanyMarkup, CASE FileNoSetup WHEN '1' THEN 'True' WHEN '0' THEN 'False' END "
            "AS FileNoSetup, FileNumber, FileNoPrefix FROM RADIOLOGY.tbRadioSetup "
            "WHERE SectionCode = :section",
            {{"section", section}});
    }
    if (mode != "2")
        ctx.raise("The mode '" + mode + "' is not known; it is '1' to read or '2' to save.");
    if (args.size() != 14)
        ctx.raise("Mode '2' takes fourteen values.");
    const QVariantMap values{{"section", section},
                             {"cash", emptyAsNull(args, 2)},
                             {"reserved", emptyAsNull(args, 3)},
                             {"user", args.value(4)},
                             {"markup", args.value(5)},
                             {"pmarkup", args.value(6)},
                             {"op", args.value(7)},
                             {"pacs", emptyAsNull(args, 8)},
                             {"company", emptyAsNull(args, 9)},
                             {"cmarkup", args.value(10)},
                             {"fileSetup", emptyAsNull(args, 11)},
                             {"fileNumber", args.value(12)},
                             {"prefix", args.value(13)},
                             {"now", ctx.now()}};
    const int updated = ctx.exec(
        "UPDATE RADIOLOGY.tbRadioSetup SET CashBasis = :cash, Reserved = :reserved, "
        "UserID = :user, Markup = :markup, PMarkup = :pmarkup, MarkupOperator = :op, "
        "PAcs = :pacs, Company = :company, CompanyMarkup = :cmarkup, FileNoSetup = :fileSetup, "
        "FileNumber = :fileNumber, FileNoPrefix = :prefix, UpdatedDate = :now "
        "WHERE SectionCode = :section",
        values);
    if (updated == 0)
        ctx.exec("INSERT INTO RADIOLOGY.tbRadioSetup (SectionCode, CashBasis, Reserved, UserID, "
                 "Markup, PMarkup, MarkupOperator, PAcs, Company, CompanyMarkup, FileNoSetup, "
                 "FileNumber, FileNoPrefix, UpdatedDate) VALUES (:section, :cash, :reserved, "
                 ":user, :markup, :pmarkup, :op, :pacs, :company, :cmarkup, :fileSetup, "
                 ":fileNumber, :prefix, :now)",
                 values);
    return {};
}

} // namespace

void addMonitorProcedures(ProcedureRegistry& registry) {
    registry.add({"RADIOLOGY", "spRadio_CheckPending", {1}, spRadio_CheckPending});
    registry.add(
        {"RADIOLOGY", "spRadio_LoadDischargeNoticeCount", {1}, spRadio_LoadDischargeNoticeCount});
    registry.add({"CLINICAL_AREA",
                  "sp_Endo_LoadDischargeNoticeCount",
                  {0},
                  sp_Endo_LoadDischargeNoticeCount});
    registry.add({"RADIOLOGY", "Sp_RadioSetup", {2, 14}, Sp_RadioSetup});
}

} // namespace server
