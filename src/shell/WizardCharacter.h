#pragma once

#include "src/shell/Announcer.h"

#include <QPointer>
#include <QQueue>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QSvgRenderer;
class QTimer;
class QTextToSpeech;

namespace shell {

// The section's announcer: a small frameless, always-on-top, translucent
// window with a wizard drawn from the application folder's merlin.svg (or a
// drawing of its own when the file is missing), a speech balloon, and speech
// when the machine has a voice.
class WizardCharacter final : public Announcer {
    Q_OBJECT

public:
    // `characterFile` is the SVG to draw; `speech` turns the voice on.
    WizardCharacter(const QString& characterFile, bool speech, QObject* parent = nullptr);
    ~WizardCharacter() override;

    void Show() override;
    void Hide() override;
    void setBalloonStyle(int style) override;
    void setBalloonVisible(bool visible) override;
    void MoveTo(int x, int y) override;
    void Play(const QString& animation) override;
    void Speak(const QString& text) override;

    QWidget* window() const;
    bool usesCharacterFile() const;
    QString balloonText() const;
    bool balloonShown() const;
    QString currentAnimation() const;
    // True while actions wait or play.
    bool busy() const;

private:
    using Action = std::function<void(std::function<void()> done)>;
    void enqueue(Action action);
    void playNext();
    void speakAloud(const QString& text, std::function<void()> done);

    class View;
    View* m_view;
    QQueue<Action> m_queue;
    bool m_playing = false;
    int m_balloonStyle = 0;
#ifdef MAMMO_HAVE_SPEECH
    QPointer<QTextToSpeech> m_voice;
#endif
};

} // namespace shell
