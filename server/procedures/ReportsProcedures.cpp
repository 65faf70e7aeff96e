#include "server/ProcedureRegistry.h"

namespace server {

namespace {

// A quantity or money value of a slip line as the windows send it: as typed
// in the grid, possibly with grouping commas; empty counts as 0.
double slipNumber(ProcedureContext& ctx, const Arguments& args, int i, const char* what) {
    QString text = args.trimmed(i);
    text.remove(',');
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        ctx.raise(QString("The ") + what + " '" + args.text(i) + "' of the charge slip line " +
                  args.trimmed(0) + " is not a number.");
    return value;
}

// One line of the acting user's charge slip: code, description, quantity,
// price, amount, user, and for an assessment a remark (sent empty). The lines
// keep the order they were dumped in.
Result spGlobal_DumpChargeSlip(ProcedureContext& ctx, const Arguments& args) {
    const QString user = args.trimmed(5);
    if (user.isEmpty())
        ctx.raise("A charge slip line needs the user it is dumped for.");
    // The assessment's remark is kept as the empty text it is sent as.
    QVariant remarks;
    if (args.size() > 6)
        remarks = args.text(6).isNull() ? QString("") : args.text(6);
    const QVariant last = ctx.scalar(
        "SELECT MAX(LineNo) FROM REPORTS.tbChargeSlip WHERE UserID = :user", {{"user", user}});
    ctx.exec("INSERT INTO REPORTS.tbChargeSlip "
             "(UserID, ItemID, Description, Quantity, Price, Amount, Remarks, LineNo) "
             "VALUES (:user, :item, :description, :quantity, :price, :amount, :remarks, :line)",
             {{"user", user},
              {"item", args.trimmed(0)},
              {"description", args.text(1)},
              {"quantity", slipNumber(ctx, args, 2, "quantity")},
              {"price", slipNumber(ctx, args, 3, "price")},
              {"amount", slipNumber(ctx, args, 4, "amount")},
              {"remarks", remarks},
              {"line", (last.isNull() ? 0 : last.toInt()) + 1}});
    return {};
}

} // namespace

void addReportsProcedures(ProcedureRegistry& registry) {
    registry.add({"REPORTS", "spGlobal_DumpChargeSlip", {6, 7}, spGlobal_DumpChargeSlip});
}

} // namespace server
