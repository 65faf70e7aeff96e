#pragma once

#include "server/Result.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace testsupport {

// Report definition files written for one test into a folder of their own.
class ReportFolder {
public:
    QString write(const QString& name, const QString& definition) const {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(definition.toUtf8());
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// A report around a few parts, with the usual page set-up.
inline QString reportXml(const QString& body, const QString& page = "<page size=\"Letter\"/>") {
    return "<?xml version=\"1.0\"?>\n<report title=\"Test\">\n" + page + "\n" + body +
           "\n</report>\n";
}

// Rows of a result built in the test.
inline server::Result rows(const QStringList& columns, const QList<QVariantList>& values) {
    server::Result r;
    r.columns = columns;
    for (const QVariantList& v : values)
        r.rows << server::Row(v.begin(), v.end());
    return r;
}

} // namespace testsupport
