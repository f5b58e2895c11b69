#include "gui/shell/main_window.h"

#include "gui/pages/batch_page.h"
#include "gui/pages/host_list_window.h"
#include "gui/shell/wizard.h"
#include "gui/widgets/about_dialog.h"
#include "gui/widgets/app_resources.h"
#include "gui/widgets/bit_button.h"
#include "gui/widgets/diskette_trial.h"
#include "gui/widgets/hint_dialog.h"
#include "gui/widgets/user_prefs_dialog.h"
#include "platform/io_error.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

const char* const MainWindow::kHomepageUrl = "https://www.larkmoor.example/";
const char* const MainWindow::kPellacoreUrl = "https://www.larkmoor.example/pellacore/";
const char* const MainWindow::kFaqUrl = "https://www.larkmoor.example/support/faq/";
const char* const MainWindow::kStoreUrl = "https://store.larkmoor.example/";

namespace {

constexpr int kHelpContext = 500;

const QString kWelcome =
    QStringLiteral("Welcome to the Pellacore Bootwright.\rYou can press F1 for help at any time.");
const QString kWindowHint = QStringLiteral("|\rYou can press F1 for help at any time.");

const QString kFloppyHint1 = QStringLiteral("Before running the Bootwright it is necessary to prepare the "
                                            "number of 1.44MB floppies you wish to build "
                                            "Client diskettes for.");
const QString kFloppyHint2 = QStringLiteral("Preparation includes formatting with system files (format a: /s "
                                            "or formatting from Win 95/98 with the Copy "
                                            "System Files box checked) and copying that same operating "
                                            "system's EMM386.EXE and HIMEM.SYS files to the "
                                            "floppy.");
const QString kFloppyHint3 = QStringLiteral(
    "We recommend always using Windows 95/98 for formatting and system files which will give Pellacore more "
    "memory and fewer errors.");
const QString kBatchHint1 = QStringLiteral(
    "Batch Diskette Update is designed to update Multicast Client Disks that have already been created.");
const QString kBatchHint2 = QStringLiteral("Create a \"master\" Multicast diskette with the most common "
                                           "parameters. Make the number of copies you need for "
                                           "all similar workstations (with a disk copy program) and then use "
                                           "Batch Diskette Update to give them each a "
                                           "unique IP Address and Client Name.");

struct Command {
    const char* name;
    const char* icon;
    const char* hint;
    const char* helpTopic;
};

const Command kCommands[] = {
    {"BitBtn1", "multicast",
     "Create Multicast Diskettes|Multicast mode can be used anywhere that either: \r1) an NT 4.0 server or "
     "greater "
     "is being used or 2) there is a Windows 95 or Windows NT workstation on the network where the "
     "Controller "
     "software can be installed and used.",
     "IDH_Multimode"},
    {"BitBtn2", "standalone",
     "Create Standalone Diskettes|Standalone mode can be used when you will not be running the Controller or "
     "you "
     "want to pull from a CD-ROM.  Multicast mode is the recommended mode of operation.",
     "IDH_Standalone"},
    {"BitBtn3", "batch",
     "Batch Diskette Update|\rBatch update is used to increment IP Address and client name on already "
     "existing "
     "client diskettes.",
     "IDH_Batch"},
};

// A "\r" in a hint is a line break in the label.
QString lineBreaks(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// A hint is "short|long": the short part is the tool-tip, the long part goes to the bottom line.
void setHint(QWidget* widget, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(lineBreaks(bar < 0 ? hint : hint.mid(bar + 1)));
}

QAction* addItem(QMenu* menu, const QString& text, const char* name) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

MainWindow::MainWindow(Wizard& wizard, QWidget* parent) : QMainWindow(parent), m_wizard(wizard) {
    initAppResources();
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Pellacore Bootwright"));
    setWindowIcon(appIcon(QStringLiteral("app_icon")));
    m_wizard.setBuildMode(BuildMode::Multicast);

    createMenus();
    setCentralWidget(createClientArea());
    setHint(this, kWindowHint);
    // The window's size is the client area's plus the menu bar; the layout is fixed.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    connect(addItem(file, tr("&Load Previous Configuration"), "LoadPreviousConfiguration1"),
            &QAction::triggered, this, &MainWindow::loadPreviousConfiguration);
    connect(addItem(file, tr("Load &Host List..."), "LoadHostList1"), &QAction::triggered, this,
            &MainWindow::loadHostList);
    QAction* closeHosts = addItem(file, tr("&Close Host List"), "CloseHostList1");
    closeHosts->setEnabled(false);
    connect(closeHosts, &QAction::triggered, this, &MainWindow::closeHostList);
    connect(file, &QMenu::aboutToShow, this,
            [this, closeHosts] { closeHosts->setEnabled(m_wizard.hosts().active()); });
    connect(addItem(file, tr("&Try a Diskette..."), "TryDiskette1"), &QAction::triggered, this,
            &MainWindow::tryDiskette);
    file->addSeparator();
    connect(addItem(file, tr("&Exit                     Alt-F4"), "Exit1"), &QAction::triggered, this,
            &MainWindow::exitProgram);

    QMenu* create = menuBar()->addMenu(tr("&Create"));
    create->setObjectName(QStringLiteral("Create1"));
    connect(addItem(create, tr("&Multicast Diskettes"), "MulticastDiskettes1"), &QAction::triggered, this,
            &MainWindow::buildMulticastDiskettes);
    connect(addItem(create, tr("&Standalone Diskettes"), "StandaloneDiskettes1"), &QAction::triggered, this,
            &MainWindow::buildStandaloneDiskettes);
    create->addSeparator();
    connect(addItem(create, tr("&Batch Diskette Update"), "BatchDisketteUpdate1"), &QAction::triggered, this,
            &MainWindow::updateDisketteBatch);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    auto topic = [this](const char* name) {
        return [this, name] {
            m_wizard.help().showTopic(QString::fromLatin1(name));
        };
    };
    connect(addItem(help, tr("&Contents                 F1"), "Contents1"), &QAction::triggered, this,
            topic("IDH_Welcome"));
    connect(addItem(help, tr("&What's New"), "WhatsNew1"), &QAction::triggered, this, topic("IDH_WhatsNew"));
    connect(addItem(help, tr("&Getting Started"), "GettingStarted1"), &QAction::triggered, this,
            topic("IDH_GetStarted"));
    help->addSeparator();
    QMenu* web = help->addMenu(tr("&Larkmoor on the Web..."));
    web->setObjectName(QStringLiteral("LarkmooronWeb1"));
    web->menuAction()->setObjectName(QStringLiteral("LarkmooronWeb1Item"));
    auto page = [this](const char* url) {
        return [this, url] {
            m_wizard.help().openUrl(QString::fromLatin1(url));
        };
    };
    connect(addItem(web, tr("Homepage"), "Homepage1"), &QAction::triggered, this, page(kHomepageUrl));
    connect(addItem(web, tr("Pellacore Home"), "PellacoreHome1"), &QAction::triggered, this,
            page(kPellacoreUrl));
    connect(addItem(web, tr("Frequently Asked Questions"), "FrequentlyAskedQuestions1"), &QAction::triggered,
            this, page(kFaqUrl));
    connect(addItem(web, tr("The Larkmoor Store"), "TheLarkmoorStore1"), &QAction::triggered, this,
            page(kStoreUrl));
    help->addSeparator();
    connect(addItem(help, tr("&Hints"), "Hints1"), &QAction::triggered, this, &MainWindow::chooseHints);
    help->addSeparator();
    connect(addItem(help, tr("&About"), "About1"), &QAction::triggered, this, &MainWindow::showAbout);
}

QWidget* MainWindow::createClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(509, 361);

    auto* panel1 = new QFrame(client);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* image1 = new QLabel(panel1);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setFixedSize(330, 298);
    image1->setPixmap(appPicture(QStringLiteral("main_picture"), image1->size()));
    setHint(image1, kWindowHint);
    auto* panel1Layout = new QVBoxLayout(panel1);
    panel1Layout->setContentsMargins(1, 1, 1, 1);
    panel1Layout->addWidget(image1);

    auto* buttons = new QVBoxLayout;
    for (const Command& command : kCommands) {
        const QString hint = QString::fromLatin1(command.hint);
        auto* button = new BitButton(appIcon(QString::fromLatin1(command.icon)),
                                     hint.left(hint.indexOf(QLatin1Char('|'))), client);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setFixedSize(145, 81);
        setHint(button, hint);

        const QString number = button->objectName().right(1);
        auto* popup = new QMenu(button);
        popup->setObjectName(QStringLiteral("PopupMenu") + number);
        QAction* whatsThis = addItem(popup, tr("&What's this?"), "WhatsThis");
        whatsThis->setObjectName(QStringLiteral("WhatsThis") + number);
        const QString topic = QString::fromLatin1(command.helpTopic);
        connect(whatsThis, &QAction::triggered, this, [this, topic] { m_wizard.help().showTopic(topic); });
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, popup,
                [button, popup](const QPoint& pos) { popup->popup(button->mapToGlobal(pos)); });

        if (!buttons->isEmpty())
            buttons->addStretch(1);
        buttons->addWidget(button);
    }
    connect(client->findChild<QPushButton*>(QStringLiteral("BitBtn1")), &QPushButton::clicked, this,
            &MainWindow::buildMulticastDiskettes);
    connect(client->findChild<QPushButton*>(QStringLiteral("BitBtn2")), &QPushButton::clicked, this,
            &MainWindow::buildStandaloneDiskettes);
    connect(client->findChild<QPushButton*>(QStringLiteral("BitBtn3")), &QPushButton::clicked, this,
            &MainWindow::updateDisketteBatch);

    auto* panel2 = new QFrame(client);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel2->setFixedHeight(45);
    m_hintLine = new QLabel(lineBreaks(kWelcome), panel2);
    m_hintLine->setObjectName(QStringLiteral("Label1"));
    m_hintLine->setAlignment(Qt::AlignCenter);
    m_hintLine->setWordWrap(true);
    m_hintLine->setTextFormat(Qt::PlainText);
    QFont small = m_hintLine->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_hintLine->setFont(small);
    auto* panel2Layout = new QVBoxLayout(panel2);
    panel2Layout->setContentsMargins(4, 1, 4, 1);
    panel2Layout->addWidget(m_hintLine);

    auto* top = new QHBoxLayout;
    top->setSpacing(20);
    top->addWidget(panel1, 0, Qt::AlignTop);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(panel2);
    return client;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::DisplayHint(const QString& longHint) {
    // Leaving a control sends an empty tip: the mouse is then over the window, whose hint applies.
    m_hintLine->setText(longHint.isEmpty() ? statusTip() : longHint);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_wizard.help().showContext(kHelpContext);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT closed();
}

void MainWindow::loadPreviousConfiguration() {
    m_wizard.go(this, PageId::LoadConfiguration);
}

void MainWindow::tryDiskette() {
    const QString image = m_wizard.dialogs().openFileName(
        tr("Try a Diskette"), QStringLiteral("Diskette images|*.img;*.ima;*.flp;*.vfd;*.dsk|All Files|*.*"),
        m_wizard.programDir(), QString());
    if (!image.isEmpty())
        DisketteTrial::start(m_wizard.dialogs(), image, this);
}

void MainWindow::loadHostList() {
    Dialogs& dialogs = m_wizard.dialogs();
    const QString path =
        dialogs.openFileName(tr("Load Host List"), QStringLiteral("Host lists|*.csv|All Files|*.*"),
                             m_hostListFolder.isEmpty() ? QDir::homePath() : m_hostListFolder, QString());
    if (path.isEmpty())
        return;
    m_hostListFolder = QFileInfo(path).absolutePath();
    HostList list;
    try {
        list = HostList::read(path);
    } catch (const IoError& e) {
        dialogs.message(e.message(), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        return;
    }
    HostListWindow window(list, this);
    if (window.exec() == QDialog::Accepted)
        m_wizard.hosts().load(list);
    findChild<QAction*>(QStringLiteral("CloseHostList1"))->setEnabled(m_wizard.hosts().active());
}

void MainWindow::closeHostList() {
    m_wizard.hosts().close();
    findChild<QAction*>(QStringLiteral("CloseHostList1"))->setEnabled(false);
}

void MainWindow::exitProgram() {
    close();
}

void MainWindow::buildMulticastDiskettes() {
    startDiskettes(BuildMode::Multicast);
}

void MainWindow::buildStandaloneDiskettes() {
    startDiskettes(BuildMode::NetWare);
}

void MainWindow::startDiskettes(BuildMode buildMode) {
    // The command decides the kind of the next build, whatever a loaded configuration said.
    m_wizard.setBuildMode(buildMode);
    showHint(m_wizard.dialogs(), m_wizard.programDir(), 1, kFloppyHint1, kFloppyHint2, kFloppyHint3, this);
    m_wizard.go(this, PageId::ClientLocation);
}

void MainWindow::updateDisketteBatch() {
    showHint(m_wizard.dialogs(), m_wizard.programDir(), 3, kBatchHint1, kBatchHint2, QString(), this);
    hide();
    {
        BatchPage batch(m_wizard);
        batch.exec();
    }
    m_wizard.showMain();
}

void MainWindow::chooseHints() {
    UserPrefsDialog prefs(m_wizard.programDir(), m_wizard.dialogs(), m_wizard.help(), this);
    prefs.exec();
}

void MainWindow::showAbout() {
    AboutDialog about(m_wizard.help(), this);
    about.exec();
}
