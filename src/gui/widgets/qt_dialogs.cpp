#include "gui/widgets/qt_dialogs.h"

#include "platform/help.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <utility>

namespace {

QWidget* owner() {
    return QApplication::activeWindow();
}

// "NIC DOS Drivers|*.DOS|All Files|*.*" -> "NIC DOS Drivers (*.DOS *.dos);;All Files (*)". DOS names
// know no letter case, Linux file names do: each pattern also matches its lower-case spelling.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed();
            for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        }
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return out.join(QStringLiteral(";;"));
}

QString startPath(const QString& initialDir, const QString& suggestedName) {
    if (suggestedName.isEmpty() || suggestedName.contains(QLatin1Char('*')))
        return initialDir;
    return QDir(initialDir.isEmpty() ? QDir::currentPath() : initialDir).filePath(suggestedName);
}

// A box with a short text is narrow, and the window manager elides the title to fit: "Pellacore
// Bo...". An empty item as wide as the title and the frame's buttons keeps it whole.
void keepTitleWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(box.font());
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

Dialogs::Button QtDialogs::message(const QString& text, Icon icon, Buttons buttons, int helpContext) {
    QMessageBox box(owner());
    // The program's name, as the boxes have always been titled; the windows carry their own captions.
    box.setWindowTitle(QStringLiteral("Pellacore Bootwright"));
    QString shown = text;
    box.setText(shown.replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    if (helpContext != 0) {
        QPushButton* help = box.addButton(QMessageBox::Help);
        // The help button must not close the box.
        help->disconnect();
        QObject::connect(help, &QPushButton::clicked, &box,
                         [this, helpContext] { m_help.showContext(helpContext); });
        // "Press F1 for help." says the box: F1 does what its Help button does.
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &box);
        QObject::connect(f1, &QShortcut::activated, help, &QPushButton::click);
    }
    if (m_offer) {
        QPushButton* offered = box.addButton(m_offerLabel, QMessageBox::ActionRole);
        offered->setObjectName(QStringLiteral("OfferedAction"));
        // Like Help, it must not close the box: the question is still to be answered.
        offered->disconnect();
        QObject::connect(offered, &QPushButton::clicked, &box, std::exchange(m_offer, {}));
    }
    keepTitleWhole(box);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Button::Yes;
    case QMessageBox::No:
        return Button::No;
    case QMessageBox::Cancel:
        return Button::Cancel;
    case QMessageBox::Ok:
        return Button::Ok;
    default:
        // Escape or the window frame: the box's "no" answer.
        return buttons == Buttons::Ok ? Button::Ok : buttons == Buttons::YesNo ? Button::No : Button::Cancel;
    }
}

QString QtDialogs::openFileName(const QString& title, const QString& filter, const QString& initialDir,
                                const QString& suggestedName) {
    return QFileDialog::getOpenFileName(owner(), title, startPath(initialDir, suggestedName),
                                        qtFilter(filter));
}

QString QtDialogs::saveFileName(const QString& title, const QString& filter, const QString& initialDir,
                                const QString& suggestedName) {
    return QFileDialog::getSaveFileName(owner(), title, startPath(initialDir, suggestedName),
                                        qtFilter(filter));
}

QString QtDialogs::disketteFileName(const QString& title, const QString& initialDir,
                                    const QString& suggestedName) {
    return QFileDialog::getSaveFileName(
        owner(), title, startPath(initialDir, suggestedName),
        qtFilter(QStringLiteral("Diskette images|*.img;*.ima;*.flp;*.vfd;*.dsk|"
                                "All Files|*.*")),
        nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::directoryName(const QString& title, const QString& initialDir) {
    return QFileDialog::getExistingDirectory(owner(), title, initialDir);
}

void QtDialogs::offerAction(const QString& label, std::function<void()> action) {
    m_offerLabel = label;
    m_offer = std::move(action);
}
