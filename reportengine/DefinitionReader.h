#pragma once

#include "reportengine/ReportDefinition.h"

#include <QByteArray>
#include <QString>

namespace reportengine {

// Reads a report definition file (docs/report-format.md) and checks it whole:
// a malformed file, an unknown element or attribute, a field naming a column
// its query does not have, an unknown parameter, table, formula or total are
// refused with a ReportError that names the file, the line and the problem.
class DefinitionReader {
public:
    // `folder` is where images named by the file are looked for.
    static ReportDefinition read(const QByteArray& content, const QString& fileName,
                                 const QString& folder);
};

} // namespace reportengine
