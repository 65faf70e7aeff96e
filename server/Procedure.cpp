#include "server/Procedure.h"

#include "server/Backend.h"
#include "server/Error.h"

#include <QDateTime>

namespace server {

double Arguments::number(int i) const {
    const QString t = trimmed(i);
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const double n = t.toDouble(&ok);
    if (!ok)
        throw Error("The value '" + t + "' is not a number.");
    return n;
}

Result ProcedureContext::query(const QString& sql, const QVariantMap& params) {
    return m_backend.query(sql, params);
}

int ProcedureContext::exec(const QString& sql, const QVariantMap& params) {
    return m_backend.exec(sql, params);
}

QVariant ProcedureContext::scalar(const QString& sql, const QVariantMap& params) {
    return m_backend.scalar(sql, params);
}

QString ProcedureContext::now() const {
    return Backend::timestampText(QDateTime::currentDateTime());
}

void ProcedureContext::raise(const QString& message) const {
    throw Error(message);
}

} // namespace server
