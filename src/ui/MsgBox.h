#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ui {

// Styles and answers of a message box, numbered as the hospital system numbers them.
enum MsgStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgResult {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// The application's title, and the title with its version.
QString appTitle();        // "Mammo"
QString appTitleVersion(); // "Mammo 1.0"

// The one way the program shows a message or asks a question. Returns the
// button chosen (MsgResult). An empty title means the application's title.
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());

// What a message box would have shown, for tests.
struct ShownMessage {
    QString text;
    int style;
    QString title;
    int icon() const { return style & 0x70; }
    int buttons() const { return style & 0x7; }
};

// While one exists, message boxes are not shown: each is recorded and
// answered from the script (in order), or with the default button when the
// script has run out.
class MsgBoxRecorder {
public:
    MsgBoxRecorder();
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    void answer(int result) { m_script << result; }
    const QList<ShownMessage>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

    int record(const ShownMessage& message);

private:
    QList<ShownMessage> m_shown;
    QList<int> m_script;
};

} // namespace ui
