#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

namespace ui {

// Enter (or Return) in the watched field moves the focus to the next field,
// as a Tab would.
void enterMovesFocus(QWidget* field);

// Letters typed into the field become capitals.
void upperCaseInput(QLineEdit* field);

// Down arrow in a search box moves the focus into its list.
void downMovesInto(QWidget* searchBox, QWidget* list);

} // namespace ui
