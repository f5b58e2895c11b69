#include "gui/pages/build_page.h"

#include "gui/pages/page_host.h"
#include "gui/widgets/diskette_trial.h"
#include "platform/delay.h"
#include "platform/dos_fs.h"
#include "rules/host_queue.h"
#include "rules/next_diskette.h"
#include "rules/show_steps.h"
#include "writers/build_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kStartDelayMs = 1000;
constexpr int kHideDelayMs = 200;
constexpr int kFirstTick = 2; // Image2

QPixmap tickPixmap() {
    QPixmap pixmap(15, 15);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF mark[] = {{2.5, 8.0}, {6.0, 11.5}, {12.5, 3.5}};
    painter.drawPolyline(mark, 3);
    return pixmap;
}

QLabel* boldLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

BuildPage::BuildPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::Build, parent), m_quit([] { QCoreApplication::quit(); }) {
    body()->addWidget(
        boldLabel(QStringLiteral("Label5"), QStringLiteral("Client Diskette is being created."), this));
    body()->addSpacing(16);

    const char* sections[] = {"Verify Floppy Diskette", "Creating Configuration Files",
                              "Copying Pellacore Client", "Copying Network Drivers"};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    const QPixmap tick = tickPixmap();
    for (int i = 0; i < 4; ++i) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(kFirstTick + i));
        image->setPixmap(tick);
        image->setFixedSize(15, 15);
        // A hidden tick keeps its place, so the section labels do not move when ticks appear.
        QSizePolicy policy = image->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        image->setSizePolicy(policy);
        image->setVisible(i == 0);
        m_ticks[i] = image;
        QLabel* label = boldLabel(QStringLiteral("Label%1").arg(i + 1), QLatin1String(sections[i]), this);
        grid->addWidget(image, i, 0);
        grid->addWidget(label, i, 1);
        if (i == 3)
            m_networkLabel = label;
    }
    body()->addLayout(grid);
    body()->addStretch(1);

    backButton()->setObjectName(QStringLiteral("Button1"));
    cancelButton()->setObjectName(QStringLiteral("Button3"));
    backButton()->setEnabled(false);
    nextButton()->hide(); // the build starts by itself

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    m_panelStatus = new QLabel(this);
    m_panelStatus->setObjectName(QStringLiteral("panel_Status"));
    m_panelStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panelStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("gauge_Progress"));
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
    m_gauge->setStyleSheet(
        QStringLiteral("QProgressBar { background-color: palette(button); border: 1px solid "
                       "palette(mid); text-align: center; }"
                       "QProgressBar::chunk { background-color: #008080; }"));
    statusBar->addWidget(m_panelStatus, 1);
    statusBar->addPermanentWidget(m_gauge);
    if (auto* outer = qobject_cast<QVBoxLayout*>(layout()))
        outer->addWidget(statusBar);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kStartDelayMs);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &BuildPage::tick);

    resize(420, 300);
}

BuildPage::~BuildPage() = default;

void BuildPage::showPage() {
    m_startedThisShowing = false;
    m_backPending = false;
    // A new run starts from nothing: the last run's full gauge must not greet it.
    m_gauge->setValue(0);
    // Each showing reads the drive table afresh (the user may have changed diskettes or PCBW.INI);
    // the previous run's outcome is carried over, since the network label depends on it.
    const bool lastCancelled = m_run && m_run->BuildCancelled();
    m_run.reset();
    m_fs = std::make_unique<DosFs>(host().drives());
    m_run = std::make_unique<BuildRun>(*m_fs, host().dialogs(), *this, host().clock());
    m_run->secondDiskette = [this] {
        askSecondDiskette();
    };
    if (lastCancelled)
        m_run->setCancelled();
    m_run->FormShow(host().collect(), host().programDir());
    // Activation re-arms it; arming here too keeps the build from waiting forever on a desktop
    // that never activates the window.
    m_timer->start();
}

bool BuildPage::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && isVisible() && !m_startedThisShowing)
        m_timer->start();
    return WizardPage::event(event);
}

void BuildPage::tick() {
    m_timer->stop();
    // Closing a box of the run activates the page again: one showing makes one diskette.
    if (m_startedThisShowing || !isVisible() || !m_run)
        return;
    m_startedThisShowing = true;

    bool asked = false;
    Dialogs::Button answer = Dialogs::Button::No;
    try {
        answer = m_run->MakeTheDisk();
        asked = true;
        // The host this diskette was built for has it now; the next showing takes the next host, or
        // advances the increments.
        if (!m_run->BuildCancelled()) {
            host().hosts().built(m_run->settings().buildMode());
            host().advanceDue().built(m_run->settings().buildMode());
        }
    } catch (const std::exception& e) {
        // The run ended without its question; the page stays up so the user can cancel and go back.
        host().dialogs().message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok,
                                 0);
    }

    if (asked && answer != Dialogs::Button::Yes) {
        m_quit();
        return;
    }
    if (m_backPending) {
        m_backPending = false;
        WizardPage::back();
        return;
    }
    if (asked)
        host().showMain(this);
}

void BuildPage::askSecondDiskette() {
    // A floppy drive takes the next diskette by hand; an image file or a folder has to be named.
    const QString& root = m_run->values().DiskRoot;
    if (root.isEmpty())
        return;
    const QChar letter = root.at(0);
    if (!NextDiskette::mustAsk(m_fs->drives(), letter))
        return;
    const QString second = NextDiskette::ask(host().dialogs(), m_fs->drives(), letter, tr("Second Diskette"),
                                             QStringLiteral("-2"));
    // Cancelled: there is no second diskette, and writing it through the same drive would put its
    // files onto the first one.
    if (second.isEmpty())
        m_run->cancel();
    else
        m_fs->mapDrive(letter, second);
}

void BuildPage::back() {
    if (!backButton()->isEnabled())
        return;
    if (m_run && m_run->running()) {
        // The cancelled run is still finishing its step; leaving now would strand its question.
        m_backPending = true;
        backButton()->setEnabled(false);
        return;
    }
    WizardPage::back();
}

void BuildPage::cancel() {
    if (!cancelButton()->isEnabled())
        return;
    backButton()->setEnabled(true);
    cancelButton()->setEnabled(false);
    if (m_run)
        m_run->cancel();
}

void BuildPage::hideEvent(QHideEvent* event) {
    WizardPage::hideEvent(event);
    if (event->spontaneous())
        return;
    m_timer->stop();
    m_backPending = false;
    backButton()->setEnabled(false);
    for (int i = 0; i < 4; ++i)
        m_ticks[i]->setVisible(i == 0);
    cancelButton()->setEnabled(true);
    Delay(kHideDelayMs);
}

void BuildPage::setStatus(const QString& text) {
    // "Done. " comes right before "Create Another?": a diskette built whole into an image can be
    // booted from that box before the next one is made. The table as the build began names the
    // first diskette, the one that boots, where a second was put into the drive later.
    if (text == QLatin1String("Done. ") && m_run && !m_run->BuildCancelled()) {
        const QString& root = m_run->values().DiskRoot;
        const DriveTable drives = host().drives();
        if (!root.isEmpty() && drives.kind(root.at(0)) == DriveTable::Kind::Image) {
            const QString image = drives.hostPath(root.at(0));
            host().dialogs().offerAction(tr("&Try in Virtual Machine"), [this, image] {
                DisketteTrial::start(host().dialogs(), image, this);
            });
        }
    }
    m_panelStatus->setText(text);
    m_panelStatus->repaint();
    Q_EMIT statusShown(text);
}

void BuildPage::setGauge(int percent) {
    m_gauge->setValue(percent);
}

void BuildPage::setTickVisible(int image, bool visible) {
    const int index = image - kFirstTick;
    if (index < 0 || index >= 4)
        return;
    m_ticks[index]->setVisible(visible);
    if (visible)
        m_ticks[index]->repaint();
}

void BuildPage::setNetworkLabelVisible(bool visible) {
    m_networkLabel->setVisible(visible);
}
