#include "reportengine/PageModel.h"

#include <algorithm>

namespace reportengine {

QStringList Page::texts() const {
    QList<const PageElement*> items;
    for (const PageElement& e : elements)
        if (e.kind == PageElement::Text)
            items << &e;
    std::stable_sort(items.begin(), items.end(), [](const PageElement* a, const PageElement* b) {
        if (qAbs(a->rect.top() - b->rect.top()) > 0.5)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    QStringList out;
    for (const PageElement* e : items)
        out << e->text;
    return out;
}

} // namespace reportengine
