#pragma once

#include "src/shell/Announcer.h"

#include <QStringList>

namespace testsupport {

// An announcer that records what it is asked to do, one line per action.
class RecordingAnnouncer final : public shell::Announcer {
public:
    QStringList actions;
    void Show() override { actions << "Show"; }
    void Hide() override { actions << "Hide"; }
    void setBalloonStyle(int s) override { actions << QString("BalloonStyle %1").arg(s); }
    void setBalloonVisible(bool v) override { actions << QString("BalloonVisible %1").arg(v); }
    void MoveTo(int x, int y) override { actions << QString("MoveTo %1 %2").arg(x).arg(y); }
    void Play(const QString& a) override { actions << "Play " + a; }
    void Speak(const QString& t) override { actions << "Speak " + t; }
};

} // namespace testsupport
