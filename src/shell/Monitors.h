#pragma once

#include <QColor>
#include <QObject>
#include <QTimer>

#include <functional>

class QLineEdit;
class QWidget;

namespace shell {

class Announcer;

// The main window's watch on waiting work: the blinking "OPD Requests"
// indicator, the typed-out pending message, and the character that
// announces discharge notices. Each check reads its count through the
// session component's connection.
class Monitors final : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kPendingMessage = "There are pending requests issued.";

    // The indicators, and how to show or hide them (a toolbar shows its
    // widgets through their actions).
    struct Indicators {
        QLineEdit* opdRequests = nullptr; // "OPD Requests"
        QLineEdit* pendingText = nullptr; // the pending panel's text box
        std::function<void(bool)> showOpdRequests;
        std::function<void(bool)> showPendingPanel;
    };

    Monitors(Indicators indicators, Announcer* announcer, QObject* parent = nullptr);

    // Start-up step 5: the two notice timers off, the notice interval 10 s.
    void holdNoticeTimers();
    // Start-up step 15: the notice timers on, a notice check at once, the
    // pending check, and the pending timer on.
    void startAll();

    // The checks and the timer ticks, callable directly by tests.
    void opdRequestCheck();
    void pendingCheck();
    void noticeCheck();
    void announcerCheck();
    void requestBlinkTick();
    void marqueeTick();

    // Double click on the character: the discharge notice flow, then a notice check.
    void characterDoubleClicked();
    void setAnnouncer(Announcer* announcer);
    void setDischargeNoticeFlow(std::function<void()> flow) { m_dischargeFlow = std::move(flow); }

    int blinkPhase() const { return m_blinkPhase; }
    int marqueePosition() const { return m_marqueePosition; }

    // Colours of the indicator in its two blink phases.
    static QColor blinkColour(int phase);

    QTimer& requestBlinkTimer() { return m_requestBlink; }
    QTimer& marqueeTimer() { return m_marquee; }
    QTimer& pendingTimer() { return m_pending; }
    QTimer& noticeTimer() { return m_notice; }
    QTimer& announcerTimer() { return m_announcer; }

private:
    int countOf(const QString& command, const QString& field);
    void afterNoticeCount(int count);

    Indicators m_view;
    Announcer* m_character;
    std::function<void()> m_dischargeFlow;
    QTimer m_requestBlink;
    QTimer m_marquee;
    QTimer m_pending;
    QTimer m_notice;
    QTimer m_announcer;
    int m_blinkPhase = 0;
    quint16 m_marqueePosition = 0;
};

} // namespace shell
