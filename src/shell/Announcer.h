#pragma once

#include <QObject>
#include <QString>

namespace shell {

// The character that announces discharge notices. Its actions are queued
// and played one after the other; a double click on it is reported.
class Announcer : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void setBalloonStyle(int style) = 0;
    virtual void setBalloonVisible(bool visible) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void Play(const QString& animation) = 0;
    virtual void Speak(const QString& text) = 0;

signals:
    void doubleClicked();
};

// The announcement of a waiting discharge notice, in its order.
void announceDischargeNotice(Announcer& character);

} // namespace shell
