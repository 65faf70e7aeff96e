#pragma once

#include "reportengine/PageModel.h"
#include "reportengine/ReportDefinition.h"

#include "server/Result.h"

#include <QDateTime>
#include <QHash>

namespace reportengine {

// What one rendering of a report works from: its definition, the current
// values of its parameters (by upper-cased name), its title, and the rows of
// its queries (by upper-cased query name).
struct RenderInput {
    const ReportDefinition* definition = nullptr;
    QString fileName;
    QHash<QString, QVariant> parameters;
    QString title;
    QHash<QString, server::Result> results;
    QDateTime printedAt = QDateTime::currentDateTime();
};

// Lays the bands out on pages: report header, then on every page the page
// header and the page footer; group headers and footers where the group's
// value changes; one detail band per row of the first query; a band that does
// not fit below the rows already on a page starts the next page.
class Renderer {
public:
    static PageModel render(const RenderInput& input);
};

} // namespace reportengine
