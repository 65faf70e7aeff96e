#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QLineEdit;
class QMdiArea;
class QToolButton;

namespace data {
class ICodeSearch;
class ICurrentUser;
class IPatientSearch;
} // namespace data

namespace shell {

class Announcer;
class Monitors;
struct MenuItem;

// The section's main window: a multiple-document window holding the child
// screens, with the menus, the toolbar and the indicators of waiting work.
class frmMain final : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence. False means the program ends (log-in cancelled or
    // failed, a refused patient component, or a database error, which has
    // been shown).
    bool startUp();

    // Runs a menu command, as the menu entry or toolbar button does.
    void run(const MenuItem& item);
    void runCommand(const QString& command);
    // A toolbar button's key, compared in capitals.
    void toolbarKey(const QString& key);

    // Opens a screen that exists once: a second opening raises it.
    // `child` screens open inside the main window.
    QWidget* openOnce(const QString& name, const std::function<QWidget*()>& make, bool child);
    // Adds a new child window (screens created anew each time).
    void addChild(QWidget* screen);

    QMdiArea* mdiArea() const { return m_mdi; }
    Monitors* monitors() const { return m_monitors; }
    Announcer* announcer() const { return m_announcer; }
    void setAnnouncer(Announcer* announcer) { m_announcerOverride = announcer; }
    bool usesMenuPicture() const { return m_menuPicture; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void loadBackground();
    bool startUpSteps();

    std::unique_ptr<data::ICurrentUser> m_session;
    std::unique_ptr<data::ICodeSearch> m_codeSearch;
    std::unique_ptr<data::IPatientSearch> m_patientSearch;
    QMdiArea* m_mdi;
    QLineEdit* m_opdRequests = nullptr;
    QAction* m_opdRequestsAction = nullptr;
    QAction* m_pendingPanelAction = nullptr;
    QWidget* m_pendingPanel = nullptr;
    QLineEdit* m_pendingText = nullptr;
    QToolButton* m_pendingIcon = nullptr;
    Monitors* m_monitors = nullptr;
    Announcer* m_announcer = nullptr;
    Announcer* m_announcerOverride = nullptr;
    QHash<QString, QPointer<QWidget>> m_screens;
    QString m_markerPicture;
    bool m_menuPicture = false;
};

} // namespace shell
