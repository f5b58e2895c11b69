#include "gui/widgets/about_dialog.h"

#include "gui/widgets/app_resources.h"
#include "platform/help.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 601;
}

AboutDialog::AboutDialog(Help& help, QWidget* parent) : QDialog(parent), m_help(help) {
    setObjectName(QStringLiteral("TAbout"));
    setWindowTitle(tr("About"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(appPicture(QStringLiteral("about"), QSize(96, 96)));
    picture->setFixedSize(96, 96);
    auto* product = new QLabel(tr("Pellacore Bootwright"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    product->setFont(bold);
    auto* comments =
        new QLabel(tr("This program builds bootable client diskettes for use with Pellacore."), this);
    comments->setObjectName(QStringLiteral("Comments"));
    comments->setWordWrap(true);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Version"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(m_version);
    texts->addSpacing(8);
    texts->addWidget(comments);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setFixedSize(440, 200);
}

void AboutDialog::showEvent(QShowEvent* event) {
    m_version->setText(versionText());
    QDialog::showEvent(event);
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_help.showContext(kHelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}
