#include "app/help_window.h"

#include <QDesktopServices>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Pellacore Bootwright Help"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    resize(640, 520);
}

void HelpWindow::showContext(int helpContext) { showTopic(QStringLiteral("context %1").arg(helpContext)); }

void HelpWindow::showTopic(const QString& name) {
    m_browser->setHtml(QStringLiteral("<h2>%1</h2>").arg(name.toHtmlEscaped()));
    show();
    raise();
}

void HelpWindow::openUrl(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }
