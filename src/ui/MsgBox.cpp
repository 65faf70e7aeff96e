#include "src/ui/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

MsgBoxRecorder* g_recorder = nullptr;

// The answers a style offers, in button order.
const QList<int>& buttonSet(int style) {
    static const QList<QList<int>> sets{
        {vbOK},        {vbOK, vbCancel},   {vbAbort, vbRetry, vbIgnore}, {vbYes, vbNo, vbCancel},
        {vbYes, vbNo}, {vbRetry, vbCancel}};
    const int index = style & 0x7;
    return index < sets.size() ? sets[index] : sets[0];
}

int defaultAnswer(int style) {
    const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    const QList<int>& set = buttonSet(style);
    return set.value(defaultIndex, set.first());
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton standardButton(int result) {
    switch (result) {
    case vbOK:
        return QMessageBox::Ok;
    case vbCancel:
        return QMessageBox::Cancel;
    case vbAbort:
        return QMessageBox::Abort;
    case vbRetry:
        return QMessageBox::Retry;
    case vbIgnore:
        return QMessageBox::Ignore;
    case vbYes:
        return QMessageBox::Yes;
    default:
        return QMessageBox::No;
    }
}

} // namespace

QString appTitle() {
    return "Mammo";
}

QString appTitleVersion() {
    return "Mammo 1.0";
}

MsgBoxRecorder::MsgBoxRecorder() {
    g_recorder = this;
}

MsgBoxRecorder::~MsgBoxRecorder() {
    if (g_recorder == this)
        g_recorder = nullptr;
}

QStringList MsgBoxRecorder::texts() const {
    QStringList out;
    for (const ShownMessage& m : m_shown)
        out << m.text;
    return out;
}

int MsgBoxRecorder::record(const ShownMessage& message) {
    m_shown << message;
    return m_script.isEmpty() ? defaultAnswer(message.style) : m_script.takeFirst();
}

int MsgBox(const QString& text, int style, const QString& title) {
    const QString shownTitle = title.isEmpty() ? appTitle() : title;
    if (g_recorder)
        return g_recorder->record({text, style, shownTitle});

    QMessageBox box(iconOf(style), shownTitle, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    const QList<int>& results = buttonSet(style);
    for (int r : results)
        box.addButton(standardButton(r));
    box.setDefaultButton(standardButton(defaultAnswer(style)));
    if (results.contains(vbCancel))
        box.setEscapeButton(standardButton(vbCancel));
    const auto chosen = QMessageBox::StandardButton(box.exec());
    for (int r : results)
        if (standardButton(r) == chosen)
            return r;
    return results.contains(vbCancel) ? int(vbCancel) : results.first();
}

} // namespace ui
