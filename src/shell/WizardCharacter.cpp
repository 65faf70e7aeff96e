#include "src/shell/WizardCharacter.h"

#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>

#ifdef MAMMO_HAVE_SPEECH
#include <QTextToSpeech>
#endif

namespace shell {

namespace {

const int kFrameMs = 40;

int animationLength(const QString& name) {
    return name == "announce" ? 1600 : name == "idle1_1" ? 1200 : 800;
}

// How long a text stays in the balloon when nothing is heard.
int readingTime(const QString& text) {
    return std::max(1500, int(text.size()) * 70);
}

} // namespace

// The character's window: the wizard and the balloon above it.
class WizardCharacter::View final : public QWidget {
public:
    View(const QString& file, WizardCharacter& owner)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
        , m_owner(owner) {
        setObjectName("merlin");
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setToolTip("Double Click on the wizard.");
        if (QFileInfo::exists(file)) {
            m_svg = std::make_unique<QSvgRenderer>(file);
            if (!m_svg->isValid())
                m_svg.reset();
        }
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        m_balloon = new QLabel(this);
        m_balloon->setObjectName("balloon");
        m_balloon->setWordWrap(true);
        m_balloon->setAlignment(Qt::AlignCenter);
        m_balloon->setStyleSheet("QLabel { background: #fffbe6; color: #202020; border: 1px "
                                 "solid #7a6a3a; border-radius: 8px; padding: 6px; "
                                 "font: 9pt 'DejaVu Sans'; }");
        m_balloon->setFixedWidth(180);
        m_balloon->setMinimumHeight(64);
        m_balloon->hide();
        layout->addWidget(m_balloon, 0, Qt::AlignHCenter);
        layout->addStretch();
        setFixedSize(200, 260);
        m_frames.setInterval(kFrameMs);
        connect(&m_frames, &QTimer::timeout, this, [this] {
            m_elapsed += kFrameMs;
            update();
            if (m_elapsed >= animationLength(m_animation)) {
                m_frames.stop();
                if (m_animationDone) {
                    auto done = std::move(m_animationDone);
                    m_animationDone = nullptr;
                    done();
                }
            }
        });
    }

    void play(const QString& name, std::function<void()> done) {
        m_animation = name;
        m_elapsed = 0;
        m_animationDone = std::move(done);
        m_frames.start();
    }

    QLabel* balloon() const { return m_balloon; }
    bool usesFile() const { return m_svg != nullptr; }
    QString animation() const { return m_animation; }

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { emit m_owner.doubleClicked(); }

    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF figure(20, height() - 170, 160, 170);
        const double progress = std::min(1.0, m_elapsed / double(animationLength(m_animation)));
        // The wand rises and falls during "announce"; the wizard breathes when idle.
        const double wave = m_animation == "announce" && m_frames.isActive()
                                ? std::sin(progress * M_PI) * -55.0
                                : 0.0;
        const double bob = m_animation == "idle1_1" && m_frames.isActive()
                               ? std::sin(progress * 2 * M_PI) * 3.0
                               : 0.0;
        p.translate(0, bob);
        if (m_svg)
            paintFromFile(p, figure, wave);
        else
            paintBuiltIn(p, figure, wave);
    }

private:
    // The file's elements: "body", then "arm" turned about its shoulder,
    // and "sparkles" while the wand is raised.
    void paintFromFile(QPainter& p, const QRectF& figure, double wave) {
        const QRectF box = m_svg->viewBoxF();
        const double scale = std::min(figure.width() / box.width(), figure.height() / box.height());
        auto place = [&](const QString& id) {
            const QRectF b = m_svg->boundsOnElement(id);
            return QRectF(figure.left() + (b.left() - box.left()) * scale,
                          figure.top() + (b.top() - box.top()) * scale, b.width() * scale,
                          b.height() * scale);
        };
        if (!m_svg->elementExists("body") || !m_svg->elementExists("arm")) {
            m_svg->render(&p, figure);
            return;
        }
        m_svg->render(&p, "body", place("body"));
        const QRectF arm = place("arm");
        p.save();
        p.translate(arm.bottomLeft());
        p.rotate(wave);
        p.translate(-arm.bottomLeft());
        m_svg->render(&p, "arm", arm);
        p.restore();
        if (wave < -20 && m_svg->elementExists("sparkles"))
            m_svg->render(&p, "sparkles", place("sparkles"));
    }

    void paintBuiltIn(QPainter& p, const QRectF& f, double wave) {
        const QPointF base(f.center().x(), f.bottom());
        QPainterPath robe;
        robe.moveTo(base + QPointF(-55, 0));
        robe.lineTo(base + QPointF(-25, -95));
        robe.lineTo(base + QPointF(25, -95));
        robe.lineTo(base + QPointF(55, 0));
        robe.closeSubpath();
        p.setPen(QPen(QColor(30, 30, 80), 2));
        p.setBrush(QColor(60, 70, 170));
        p.drawPath(robe);
        p.setBrush(QColor(240, 205, 170));
        p.drawEllipse(base + QPointF(0, -110), 18, 18);
        p.setBrush(QColor(235, 235, 235));
        QPainterPath beard;
        beard.moveTo(base + QPointF(-14, -102));
        beard.quadTo(base + QPointF(0, -60), base + QPointF(14, -102));
        beard.closeSubpath();
        p.drawPath(beard);
        QPainterPath hat;
        hat.moveTo(base + QPointF(-26, -122));
        hat.lineTo(base + QPointF(4, -168));
        hat.lineTo(base + QPointF(26, -122));
        hat.closeSubpath();
        p.setBrush(QColor(60, 70, 170));
        p.drawPath(hat);
        p.save();
        p.translate(base + QPointF(25, -80));
        p.rotate(wave);
        p.setPen(QPen(QColor(110, 70, 30), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, 0), QPointF(40, -30));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 60));
        p.drawEllipse(QPointF(42, -32), 5, 5);
        p.restore();
    }

    WizardCharacter& m_owner;
    std::unique_ptr<QSvgRenderer> m_svg;
    QLabel* m_balloon;
    QTimer m_frames;
    QString m_animation;
    int m_elapsed = 0;
    std::function<void()> m_animationDone;
};

WizardCharacter::WizardCharacter(const QString& characterFile, bool speech, QObject* parent)
    : Announcer(parent)
    , m_view(new View(characterFile, *this)) {
#ifdef MAMMO_HAVE_SPEECH
    if (speech) {
        m_voice = new QTextToSpeech(this);
        if (m_voice->state() == QTextToSpeech::Error || m_voice->availableVoices().isEmpty())
            delete m_voice;
    }
#else
    Q_UNUSED(speech);
#endif
}

WizardCharacter::~WizardCharacter() {
    delete m_view;
}

QWidget* WizardCharacter::window() const {
    return m_view;
}

bool WizardCharacter::usesCharacterFile() const {
    return m_view->usesFile();
}

QString WizardCharacter::balloonText() const {
    return m_view->balloon()->text();
}

bool WizardCharacter::balloonShown() const {
    return !m_view->balloon()->isHidden();
}

QString WizardCharacter::currentAnimation() const {
    return m_view->animation();
}

bool WizardCharacter::busy() const {
    return m_playing || !m_queue.isEmpty();
}

void WizardCharacter::enqueue(Action action) {
    m_queue.enqueue(std::move(action));
    if (!m_playing)
        playNext();
}

void WizardCharacter::playNext() {
    if (m_queue.isEmpty()) {
        m_playing = false;
        return;
    }
    m_playing = true;
    Action action = m_queue.dequeue();
    // Each action says when it is done; the next one starts from the event loop.
    action([this] { QTimer::singleShot(0, this, &WizardCharacter::playNext); });
}

void WizardCharacter::Show() {
    enqueue([this](auto done) {
        m_view->show();
        m_view->raise();
        done();
    });
}

void WizardCharacter::Hide() {
    enqueue([this](auto done) {
        m_view->balloon()->hide();
        m_view->hide();
        done();
    });
}

void WizardCharacter::setBalloonStyle(int style) {
    enqueue([this, style](auto done) {
        m_balloonStyle = style;
        done();
    });
}

void WizardCharacter::setBalloonVisible(bool visible) {
    enqueue([this, visible](auto done) {
        m_view->balloon()->setVisible(visible && m_balloonStyle != 0);
        done();
    });
}

void WizardCharacter::MoveTo(int x, int y) {
    enqueue([this, x, y](auto done) {
        m_view->move(x, y);
        done();
    });
}

void WizardCharacter::Play(const QString& animation) {
    enqueue([this, animation](auto done) { m_view->play(animation, std::move(done)); });
}

void WizardCharacter::Speak(const QString& text) {
    enqueue([this, text](auto done) {
        if (m_balloonStyle != 0) {
            m_view->balloon()->setText(text);
            m_view->balloon()->show();
        }
        speakAloud(text, std::move(done));
    });
}

void WizardCharacter::speakAloud(const QString& text, std::function<void()> done) {
    auto finished = std::make_shared<bool>(false);
    auto finish = [finished, done] {
        if (!*finished) {
            *finished = true;
            done();
        }
    };
#ifdef MAMMO_HAVE_SPEECH
    if (m_voice) {
        auto* connection = new QMetaObject::Connection;
        *connection =
            connect(m_voice, &QTextToSpeech::stateChanged, this,
                    [finish, connection](QTextToSpeech::State state) {
                        if (state == QTextToSpeech::Ready || state == QTextToSpeech::Error) {
                            QObject::disconnect(*connection);
                            delete connection;
                            finish();
                        }
                    });
        m_voice->say(text);
        // A voice that never reports back must not stop the character.
        QTimer::singleShot(readingTime(text) + 8000, this, finish);
        return;
    }
#endif
    QTimer::singleShot(readingTime(text), this, finish);
}

} // namespace shell
