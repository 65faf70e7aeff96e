#include "src/shell/Monitors.h"

#include "src/data/Connection.h"
#include "src/data/SharedComponents.h"
#include "src/data/StoredProcs.h"
#include "src/shell/Announcer.h"
#include "src/ui/Guard.h"
#include "src/ui/Units.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>

namespace shell {

namespace {

data::ICurrentUser* sessionComponent() {
    return data::currentSession().sessionComponent;
}

void setBackground(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

} // namespace

Monitors::Monitors(Indicators indicators, Announcer* announcer, QObject* parent)
    : QObject(parent)
    , m_view(indicators)
    , m_character(announcer) {
    m_requestBlink.setInterval(2000);
    m_marquee.setInterval(50);
    // The pending timer has no interval: it never fires, its check runs once.
    m_pending.setInterval(0);
    m_notice.setInterval(60000);
    m_announcer.setInterval(10000);
    connect(&m_requestBlink, &QTimer::timeout, this, &Monitors::requestBlinkTick);
    connect(&m_marquee, &QTimer::timeout, this, &Monitors::marqueeTick);
    connect(&m_notice, &QTimer::timeout, this, [this] { ui::guard([this] { noticeCheck(); }); });
    connect(&m_announcer, &QTimer::timeout, this,
            [this] { ui::guard([this] { announcerCheck(); }); });
    setAnnouncer(announcer);
}

void Monitors::setAnnouncer(Announcer* announcer) {
    m_character = announcer;
    if (m_character)
        connect(m_character, &Announcer::doubleClicked, this, &Monitors::characterDoubleClicked,
                Qt::UniqueConnection);
}

QColor Monitors::blinkColour(int phase) {
    return ui::bgr(phase % 2 == 0 ? 0x808000 : 0x400000);
}

void Monitors::holdNoticeTimers() {
    m_announcer.stop();
    m_notice.stop();
    m_notice.setInterval(10000);
}

void Monitors::startAll() {
    m_requestBlink.start();
    m_marquee.start();
    m_announcer.start();
    m_notice.start();
    noticeCheck();
    pendingCheck();
    // The pending timer is enabled without an interval, so it never fires.
}

int Monitors::countOf(const QString& command, const QString& field) {
    data::Recordset rs = sessionComponent()->SQLConnection().open(command);
    const int count = rs.eof() ? 0 : int(rs.field(field).number());
    rs.close();
    return count;
}

void Monitors::opdRequestCheck() {
    data::Recordset rs = sessionComponent()->SQLConnection().open(
        "SELECT * from PATIENT_DATA..tbOPDCommunicationFile where RevenueID = '" + QString("MM") +
            "'",
        data::adOpenDynamic, data::adLockOptimistic);
    m_view.showOpdRequests(!rs.eof());
    rs.close();
    QApplication::restoreOverrideCursor();
}

void Monitors::requestBlinkTick() {
    m_blinkPhase = (m_blinkPhase + 1) % 4;
    m_requestBlink.setInterval(500);
    setBackground(m_view.opdRequests, blinkColour(m_blinkPhase));
}

void Monitors::pendingCheck() {
    data::ICurrentUser* session = sessionComponent();
    if (!session || !session->Connected())
        return;
    const int pending = countOf(data::StoredProcs::spCheckPending(), "TotalPending");
    if (pending > 0) {
        m_marquee.start();
        m_view.showPendingPanel(true);
    } else {
        m_marquee.stop();
        m_view.showPendingPanel(false);
    }
    opdRequestCheck();
}

void Monitors::marqueeTick() {
    const QString message = kPendingMessage;
    if (m_marqueePosition > message.size()) {
        m_marqueePosition = 1;
        return;
    }
    m_view.pendingText->setText(message.left(m_marqueePosition));
    ++m_marqueePosition;
}

void Monitors::afterNoticeCount(int count) {
    if (count > 0) {
        m_announcer.stop();
        if (m_character)
            announceDischargeNotice(*m_character);
        m_announcer.start();
    } else {
        m_announcer.stop();
        if (m_character)
            m_character->Hide();
    }
}

void Monitors::noticeCheck() {
    m_notice.stop();
    // The timer comes back on even when the count could not be read.
    const auto resume = qScopeGuard([this] { m_notice.start(); });
    afterNoticeCount(
        countOf("Radiology..spRadio_LoadDischargeNoticeCount '" + QString("MM") + "'", "RecCount"));
}

void Monitors::announcerCheck() {
    m_notice.stop();
    const auto resume = qScopeGuard([this] { m_notice.start(); });
    afterNoticeCount(countOf("Clinical_ARea..sp_Endo_LoadDischargeNoticeCount ", "RecCount"));
}

void Monitors::characterDoubleClicked() {
    m_notice.stop();
    ui::guard([this] {
        if (m_dischargeFlow)
            m_dischargeFlow();
    });
    ui::guard([this] { noticeCheck(); });
}

} // namespace shell
