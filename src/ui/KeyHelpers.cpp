#include "src/ui/KeyHelpers.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <functional>

namespace ui {

namespace {

class KeyFilter final : public QObject {
public:
    KeyFilter(QObject* parent, int key, std::function<void(QWidget*)> action)
        : QObject(parent)
        , m_key(key)
        , m_action(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool matches =
            key->key() == m_key || (m_key == Qt::Key_Return && key->key() == Qt::Key_Enter);
        if (!matches || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        m_action(static_cast<QWidget*>(watched));
        return true;
    }

private:
    int m_key;
    std::function<void(QWidget*)> m_action;
};

} // namespace

void enterMovesFocus(QWidget* field) {
    field->installEventFilter(new KeyFilter(field, Qt::Key_Return, [](QWidget* w) {
        if (QWidget* next = w->nextInFocusChain()) {
            while (next != w && !(next->focusPolicy() & Qt::TabFocus && next->isEnabled() &&
                                  next->isVisibleTo(w->window())))
                next = next->nextInFocusChain();
            next->setFocus(Qt::TabFocusReason);
        }
    }));
}

void upperCaseInput(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = field->cursorPosition();
            field->setText(upper);
            field->setCursorPosition(cursor);
        }
    });
}

void downMovesInto(QWidget* searchBox, QWidget* list) {
    searchBox->installEventFilter(
        new KeyFilter(searchBox, Qt::Key_Down, [list](QWidget*) { list->setFocus(); }));
}

} // namespace ui
