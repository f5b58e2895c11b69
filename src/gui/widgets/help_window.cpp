#include "gui/widgets/help_window.h"

#include "gui/widgets/app_resources.h"
#include "gui/widgets/help_topics.h"
#include "gui/widgets/window_fit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    initAppResources();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Pellacore Bootwright Help"));
    setWindowIcon(appIcon(QStringLiteral("app_icon")));

    auto makeButton = [this](const QString& name, const QString& text, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        return button;
    };
    m_back = makeButton(QStringLiteral("BackButton"), tr("&Back"), QStyle::SP_ArrowBack);
    m_forward = makeButton(QStringLiteral("ForwardButton"), tr("&Forward"), QStyle::SP_ArrowForward);
    m_contents = makeButton(QStringLiteral("ContentsButton"), tr("&Contents"), QStyle::SP_DirHomeIcon);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    m_topics = new QListWidget(this);
    m_topics->setObjectName(QStringLiteral("TopicList"));
    for (const HelpTopic& topic : HelpTopics::all()) {
        auto* item = new QListWidgetItem(topic.title, m_topics);
        item->setData(Qt::UserRole, topic.file);
    }
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("Browser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_topics);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 550});

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_contents);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    // Roomy where the screen has room, within it where it has not.
    resize(QSize(820, 580).boundedTo(roomOnScreen(this)));

    // Closed as other viewers are closed: Esc, Ctrl+W and the desktop's own close keys (two
    // shortcuts of the same keys would cancel each other out).
    QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Close)) {
        if (!closeKeys.contains(keys))
            closeKeys << keys;
    }
    for (const QKeySequence& keys : closeKeys) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QToolButton::clicked, this, [this] { open(HelpTopics::contents()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::syncTopicList);
    connect(m_topics, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + item->data(Qt::UserRole).toString()));
    });
    connect(m_topics, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item->data(Qt::UserRole).toString() != currentTopicFile())
            m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + item->data(Qt::UserRole).toString()));
    });
}

void HelpWindow::showContext(int helpContext) {
    open(HelpTopics::byContext(helpContext));
}

void HelpWindow::showTopic(const QString& name) {
    open(HelpTopics::byName(name));
}

void HelpWindow::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

QString HelpWindow::currentTopicFile() const {
    return m_browser->source().fileName();
}

void HelpWindow::open(const HelpTopic& topic) {
    m_browser->setSource(QUrl(HelpTopics::url(topic)));
    // A modal window blocks every window opened before it: asked for from one (the hints, the batch
    // page, a message box), the help comes up modal itself, above it and taking input.
    const Qt::WindowModality wanted =
        QApplication::activeModalWidget() && QApplication::activeModalWidget() != this ? Qt::ApplicationModal
                                                                                       : Qt::NonModal;
    if (windowModality() != wanted) {
        // The modality of a window on show cannot change; take it down and bring it back.
        hide();
        setWindowModality(wanted);
    }
    // Made before any window was up, it could not know the frame the window manager adds: the
    // first showing holds it within the screen with the frame the wizard's windows have.
    if (!isVisible())
        resize(size().boundedTo(roomOnScreen(this)));
    show();
    raise();
    activateWindow();
}

void HelpWindow::syncTopicList(const QUrl& source) {
    const QString file = source.fileName();
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Pellacore Bootwright Help")
                                   : tr("Pellacore Bootwright Help - %1").arg(title));
    for (int row = 0; row < m_topics->count(); ++row) {
        if (m_topics->item(row)->data(Qt::UserRole).toString() == file) {
            m_topics->setCurrentRow(row);
            return;
        }
    }
    m_topics->clearSelection();
}
