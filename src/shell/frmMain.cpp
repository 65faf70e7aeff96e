#include "src/shell/frmMain.h"

#include "src/data/Connection.h"
#include "src/data/SharedComponents.h"
#include "src/shell/MainMenu.h"
#include "src/shell/Monitors.h"
#include "src/shell/Routes.h"
#include "src/shell/WizardCharacter.h"
#include "src/shell/frmSetUp.h"
#include "src/ui/Guard.h"
#include "src/ui/MsgBox.h"
#include "src/ui/Units.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace shell {

namespace {

const quint32 kBackground = 0x00835936;
const char* const kCaption = "Visual Halcyra - Mammogram";

QString applicationFile(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

// The client area: the window's colour with its picture in the middle.
class BackgroundArea final : public QMdiArea {
public:
    explicit BackgroundArea(QWidget* parent)
        : QMdiArea(parent) {
        setObjectName("mdiArea");
        setBackground(ui::bgr(kBackground));
        m_picture = builtInPicture();
    }

    void setPicture(const QPixmap& picture) { m_picture = picture; }

protected:
    void paintEvent(QPaintEvent* event) override {
        QMdiArea::paintEvent(event);
        QPainter p(viewport());
        const QPixmap scaled =
            m_picture.width() > viewport()->width() || m_picture.height() > viewport()->height()
                ? m_picture.scaled(viewport()->size(), Qt::KeepAspectRatio,
                                   Qt::SmoothTransformation)
                : m_picture;
        p.drawPixmap((viewport()->width() - scaled.width()) / 2,
                     (viewport()->height() - scaled.height()) / 2, scaled);
    }

private:
    static QPixmap builtInPicture() {
        QPixmap picture(560, 300);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 28));
        p.drawRoundedRect(picture.rect().adjusted(4, 4, -4, -4), 24, 24);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawEllipse(QPointF(110, 150), 70, 70);
        p.setBrush(ui::bgr(kBackground));
        p.drawEllipse(QPointF(110, 150), 48, 48);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawRect(QRectF(102, 110, 16, 80));
        p.drawRect(QRectF(70, 142, 80, 16));
        p.setPen(QColor(255, 255, 255, 220));
        QFont title("DejaVu Sans", 26, QFont::Bold);
        p.setFont(title);
        p.drawText(QRectF(200, 95, 350, 50), Qt::AlignLeft | Qt::AlignVCenter, "Visual Halcyra");
        p.setFont(QFont("DejaVu Sans", 16));
        p.drawText(QRectF(200, 145, 350, 40), Qt::AlignLeft | Qt::AlignVCenter,
                   "Mammography Section");
        return picture;
    }

    QPixmap m_picture;
};

QAction* addItem(QWidget* menu, const MenuItem& item, frmMain& main) {
    auto* action = new QAction(item.caption, menu);
    action->setShortcut(QKeySequence(item.shortcut));
    action->setVisible(!item.hidden);
    action->setEnabled(!item.disabled);
    QObject::connect(action, &QAction::triggered, &main, [&main, item] { main.run(item); });
    menu->addAction(action);
    return action;
}

void addMenu(QWidget* parent, const MenuItem& item, frmMain& main) {
    auto* menu = new QMenu(item.caption, parent);
    for (const MenuItem& child : item.children) {
        if (child.separator)
            menu->addSeparator();
        else if (!child.children.isEmpty())
            addMenu(menu, child, main);
        else
            addItem(menu, child, main);
    }
    QAction* action = menu->menuAction();
    action->setVisible(!item.hidden);
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else
        static_cast<QMenu*>(parent)->addMenu(menu);
}

QColor yellow() {
    return QColor(255, 255, 0);
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
    , m_mdi(new BackgroundArea(this)) {
    setObjectName("frmMain");
    setWindowTitle(ui::appTitle());
    setCentralWidget(m_mdi);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    buildMenus();
    buildToolBar();
    statusBar()->setObjectName("sbrMain");
}

frmMain::~frmMain() {
    data::SessionValues& values = data::currentSession();
    if (values.sessionComponent == m_session.get()) {
        values.sessionComponent = nullptr;
        values.codeSearch = nullptr;
        values.patientSearch = nullptr;
        values.connection = nullptr;
        values.user = nullptr;
    }
}

void frmMain::buildMenus() {
    for (const MenuItem& item : mainMenu())
        addMenu(menuBar(), item, *this);
}

void frmMain::buildToolBar() {
    auto* bar = addToolBar("Main");
    bar->setObjectName("tbrMain");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Button {
        const char* caption;
        const char* key;
        QStyle::StandardPixmap icon;
    };
    for (const Button& b : {Button{"&Assessment", "assess", QStyle::SP_FileDialogDetailedView},
                            Button{"&Inpatient", "inpatient", QStyle::SP_DirHomeIcon},
                            Button{"&Outpatient", "outpatient", QStyle::SP_DirOpenIcon},
                            Button{"&Cash Link", "link", QStyle::SP_DialogApplyButton}}) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QString("tbr_") + b.key);
        button->setText(b.caption);
        button->setIcon(style()->standardIcon(b.icon));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setProperty("key", QString(b.key));
        connect(button, &QToolButton::clicked, this,
                [this, key = QString(b.key)] { toolbarKey(key); });
        bar->addWidget(button);
    }

    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);

    auto* requestForms = new QToolButton(bar);
    requestForms->setObjectName("cmdRequestForms");
    requestForms->setText("Request Forms");
    requestForms->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    requestForms->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(requestForms, &QToolButton::clicked, this, [this] { runCommand("requestForms"); });
    bar->addWidget(requestForms);

    m_opdRequests = new QLineEdit("OPD Requests", bar);
    m_opdRequests->setObjectName("txtOPDRequests");
    m_opdRequests->setReadOnly(true);
    m_opdRequests->setAlignment(Qt::AlignCenter);
    m_opdRequests->setCursor(Qt::ArrowCursor);
    m_opdRequests->setFocusPolicy(Qt::NoFocus);
    m_opdRequests->setFont(QFont("Courier New", 9.75));
    m_opdRequests->setFixedWidth(ui::twips(1800));
    QPalette palette = m_opdRequests->palette();
    palette.setColor(QPalette::Base, ui::bgr(0x00400000));
    palette.setColor(QPalette::Text, yellow());
    m_opdRequests->setPalette(palette);
    m_opdRequests->installEventFilter(this);
    m_opdRequestsAction = bar->addWidget(m_opdRequests);
    m_opdRequestsAction->setVisible(false);

    m_pendingPanel = new QWidget(bar);
    m_pendingPanel->setObjectName("fraPending");
    auto* panel = new QHBoxLayout(m_pendingPanel);
    panel->setContentsMargins(4, 0, 4, 0);
    m_pendingText = new QLineEdit("Inpatient Requests", m_pendingPanel);
    m_pendingText->setObjectName("txtPending");
    m_pendingText->setReadOnly(true);
    m_pendingText->setFocusPolicy(Qt::NoFocus);
    m_pendingText->setFixedWidth(ui::twips(3600));
    m_pendingIcon = new QToolButton(m_pendingPanel);
    m_pendingIcon->setObjectName("imgPending");
    m_pendingIcon->setToolTip("View Pending Request");
    m_pendingIcon->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    m_pendingIcon->setAutoRaise(true);
    m_pendingIcon->installEventFilter(this);
    auto* prepaid = new QToolButton(m_pendingPanel);
    prepaid->setObjectName("cmdPrepaid");
    prepaid->setToolTip("Prepaid Requests");
    prepaid->hide();
    panel->addWidget(m_pendingText);
    panel->addWidget(m_pendingIcon);
    panel->addWidget(prepaid);
    m_pendingPanelAction = bar->addWidget(m_pendingPanel);
    m_pendingPanelAction->setVisible(false);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_opdRequests && event->type() == QEvent::MouseButtonRelease) {
        runCommand("opdRequests");
        return true;
    }
    if (watched == m_pendingIcon && event->type() == QEvent::MouseButtonDblClick) {
        runCommand("nursingRequests");
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::toolbarKey(const QString& key) {
    const QString word = key.toUpper();
    if (word == "ASSESS")
        runCommand("assess");
    else if (word == "INPATIENT")
        runCommand("inpatient");
    else if (word == "OUTPATIENT")
        runCommand("charge");
    else if (word == "LINK")
        runCommand("cash");
}

void frmMain::runCommand(const QString& command) {
    MenuItem item;
    item.command = command;
    run(item);
}

void frmMain::run(const MenuItem& item) {
    if (item.command.isEmpty())
        return; // an entry without an action, such as "Build File"
    if (item.command == "exit") {
        close();
        return;
    }
    if (item.command == "fileNum") {
        ui::guard([this] {
            if (passwordAndRightsCheck(this)) {
                frmSetUp setUp(this);
                setUp.exec();
            }
        });
        return;
    }
    if (const Route* route = findRoute(item.command)) {
        ui::guard([&] { (*route)(*this, item); });
        return;
    }
    statusBar()->showMessage("This screen is not part of this version of the program yet.", 5000);
}

QWidget* frmMain::openOnce(const QString& name, const std::function<QWidget*()>& make, bool child) {
    QPointer<QWidget>& open = m_screens[name];
    if (open) {
        QWidget* frame = open->parentWidget() && qobject_cast<QMdiSubWindow*>(open->parentWidget())
                             ? open->parentWidget()
                             : open.data();
        frame->showNormal();
        frame->raise();
        frame->activateWindow();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
            m_mdi->setActiveSubWindow(sub);
        return open;
    }
    QWidget* screen = make();
    screen->setAttribute(Qt::WA_DeleteOnClose);
    open = screen;
    if (child) {
        addChild(screen);
    } else {
        screen->setParent(this, screen->windowFlags() | Qt::Window);
        screen->show();
    }
    return screen;
}

void frmMain::addChild(QWidget* screen) {
    screen->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_mdi->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
}

void frmMain::closeEvent(QCloseEvent* event) {
    m_mdi->closeAllSubWindows();
    for (const QPointer<QWidget>& screen : std::as_const(m_screens))
        if (screen && screen->isWindow())
            screen->close();
    if (m_announcer)
        m_announcer->Hide();
    if (auto* wizard = qobject_cast<WizardCharacter*>(m_announcer))
        wizard->window()->hide();
    event->accept();
}

void frmMain::loadBackground() {
    // The menu picture replaces the built-in one only where the marker picture
    // exists; a marker without the menu picture keeps the built-in one.
    m_menuPicture = false;
    if (!QFileInfo::exists(m_markerPicture))
        return;
    QPixmap picture(applicationFile("Main Menu1.jpg"));
    if (picture.isNull())
        return;
    static_cast<BackgroundArea*>(m_mdi)->setPicture(picture);
    m_menuPicture = true;
}

bool frmMain::startUp() {
    try {
        return startUpSteps();
    } catch (...) {
        // A database error while starting is shown, then the program ends cleanly.
        const QString description = ui::describeCurrentError();
        QApplication::restoreOverrideCursor();
        ui::MsgBox(description, ui::vbCritical);
        return false;
    }
}

bool frmMain::startUpSteps() {
    m_markerPicture = applicationFile("OPD.JPG");

    m_session = data::ComponentFactory::createAs<data::ICurrentUser>(data::kSessionClassId);
    m_codeSearch = data::ComponentFactory::createAs<data::ICodeSearch>(data::kCodeSearchClassId);
    m_patientSearch =
        data::ComponentFactory::createAs<data::IPatientSearch>(data::kPatientSearchClassId);
    if (!m_session || !m_codeSearch || !m_patientSearch)
        throw data::DbError("The hospital system's components could not be created.");

    m_session->setPasswordDeptCode("27");
    m_session->sethwndParentForm(this);
    m_session->ShowMain();
    if (!m_session->Connected())
        return false;

    auto* announcer = m_announcerOverride;
    if (!announcer)
        announcer = new WizardCharacter(applicationFile("merlin.svg"), true, this);
    m_monitors = new Monitors({m_opdRequests, m_pendingText,
                               [this](bool on) { m_opdRequestsAction->setVisible(on); },
                               [this](bool on) { m_pendingPanelAction->setVisible(on); }},
                              nullptr, this);
    m_monitors->holdNoticeTimers();

    data::Connection& connection = m_session->SQLConnection();
    connection.setDefaultDatabase("RADIOLOGY");

    m_codeSearch->setMTS_Server("");
    m_codeSearch->setSearchMode(true);
    m_codeSearch->Initialize_Classes();
    m_codeSearch->setConnection(&connection);

    if (!m_patientSearch->InitConnection(connection, "")) {
        ui::MsgBox("Cannot Load Patient Class", ui::vbCritical);
        return false;
    }

    data::SessionValues& values = data::currentSession();
    values.connection = &connection;
    values.user = m_session.get();
    values.sessionComponent = m_session.get();
    values.codeSearch = m_codeSearch.get();
    values.patientSearch = m_patientSearch.get();

    data::Recordset hospital = connection.open("select * from PATIENT_DATA..tbHospitalInfo",
                                               data::adOpenDynamic, data::adLockOptimistic);
    if (!hospital.eof()) {
        values.hospitalName = hospital.field("Company").text();
        values.hospitalAddress = hospital.field("Address1").text();
        values.clientCode = hospital.field("ClientName").text();
    }
    hospital.close();

    loadBackground();
    setWindowTitle(kCaption);

    m_monitors->opdRequestCheck();

    // The announcer is loaded only now, as the character is in the start-up order.
    m_announcer = announcer;
    m_monitors->setAnnouncer(m_announcer);
    m_monitors->startAll();
    return true;
}

} // namespace shell
