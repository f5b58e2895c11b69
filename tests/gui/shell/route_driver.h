#pragma once

// Drives the program's pages as a user does, for the route tests: the fixture (a program directory
// with PCBW.INI, the NIC catalogues, placeholder driver files and a diskette image formatted with
// system files) and the clicks and keys that fill the pages.

#include "build_messages.h"
#include "diskette_contents.h"
#include "expected_files.h"
#include "gui/pages/build_page.h"
#include "gui/pages/wizard_page.h"
#include "gui/widgets/address_edit.h"
#include "gui_fixture.h"
#include "modal_watcher.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

inline const QString kNetWare = QStringLiteral("Novell Netware 3.12 or higher");
inline const QString kOnServer = QStringLiteral("Microsoft TCP/IP - Pellacore Client on Server");
inline const QString kOnFloppy = QStringLiteral("Microsoft TCP/IP - Pellacore Client on Floppy");
inline const QString kNoNetwork = QStringLiteral("No Network (local media pull)");

// Double-click through the window, as the platform delivers it.
inline void doubleClick(QWidget* viewport, const QPoint& at) {
    QWidget* window = viewport->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, viewport->mapTo(window, at));
}

// What a Microsoft build puts on its (first) diskette.
inline QStringList microsoftFirstDiskette() {
    QStringList out = kSystemFiles;
    out << "AUTOEXEC.BAT"
        << "CONFIG.SYS"
        << "NET/"
        << "NET/NE2000.DOS"
        << "NET/PROTOCOL.INI"
        << "NET/SYSTEM.INI";
    for (const QString& name : kMicrosoftFiles)
        out << QStringLiteral("NET/") + name;
    return sorted(out);
}

// Base of the route tests: no slots of its own.
class RouteDriver : public QObject {
protected:
    std::unique_ptr<GuiFixture> fx;
    std::unique_ptr<ModalWatcher> watcher;
    QString client, image;
    int quitCalls = 0;

    WizardPage* page(PageId id) const { return fx->wizard->form<WizardPage>(id); }
    template <class T> T* control(const char* form, const char* name) const {
        T* c = fx->control<T>(QLatin1String(form), QLatin1String(name));
        if (!c)
            qFatal("no control %s.%s", form, name);
        return c;
    }
    void expectShown(PageId id) {
        QVERIFY2(fx->wizard->form(id)->isVisible(), qPrintable(WizardFlow::className(id)));
    }
    void next(PageId from) { QTest::mouseClick(page(from)->nextButton(), Qt::LeftButton); }
    // Enter in the field that has the keys, as a person leaves a page without the mouse.
    void enter(PageId from) {
        QWidget* field = page(from)->focusWidget();
        QVERIFY2(qobject_cast<QLineEdit*>(field), "Enter is pressed in a field");
        QTest::keyClick(field, Qt::Key_Return);
    }
    // Replaces a field's text the way a user does: click in, select everything, type.
    void retype(QLineEdit* edit, const QString& text) {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_Home);
        // An address is typed over the old one as people do it: Home, then the digits and dots.
        if (!qobject_cast<AddressEdit*>(edit))
            QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(edit, text);
    }
    // Picks an item of a drop-down list with the arrow keys.
    void choose(QComboBox* combo, const QString& item) {
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < combo->count() && combo->currentText() != item; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), item);
    }
    void showTab(const char* form, const QString& caption) {
        auto* tabs = control<QTabWidget>(form, "PageControl1");
        QTabBar* bar = tabs->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == caption)
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        QCOMPARE(tabs->tabText(tabs->currentIndex()), caption);
    }
    void pickNic(const QString& entry) {
        auto* list = control<QListWidget>("TForm4", "ListBox1");
        const QList<QListWidgetItem*> found = list->findItems(entry, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        doubleClick(list->viewport(), list->visualItemRect(found.first()).center());
        QCOMPARE(control<QLineEdit>("TForm4", "Edit1")->text(), entry);
    }
    // The summary's row for the driver a catalogue entry names (NicDriverPath upper-cased with it).
    QString nicDriverRow(const QString& file) const {
        return QStringLiteral("NIC DRIVER=") + (fx->path(QStringLiteral("nics/")) + file).toUpper();
    }
    QStringList summaryRows() const {
        auto* grid = control<QTableWidget>("TForm8", "StringGrid1");
        QStringList rows;
        for (int row = 0; row < grid->rowCount() && grid->item(row, 0)->text() != QLatin1String(" "); ++row)
            rows << grid->item(row, 0)->text() + QLatin1Char('=') + grid->item(row, 1)->text();
        return rows;
    }

    // Main window, client location, NIC selection (the catalogue's NE2000) and NIC parameters, up to
    // the Multicast client page; the client and the card are chosen only the first time.
    void startMulticastRoute(bool firstTime) {
        expectShown(PageId::Main);
        QTest::mouseClick(fx->wizard->form(PageId::Main)->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
        QCOMPARE(fx->wizard->buildMode(), BuildMode::Multicast);

        expectShown(PageId::ClientLocation);
        if (firstTime)
            retype(control<QLineEdit>("TForm11", "Edit1"), client);
        next(PageId::ClientLocation);

        expectShown(PageId::NicSelection);
        if (firstTime)
            pickNic(QStringLiteral("NE2000 Compatible"));
        next(PageId::NicSelection);

        expectShown(PageId::NicParameters);
        next(PageId::NicParameters);
        expectShown(PageId::MulticastClient);
    }

    // Next from the Multicast client page to the end of the build ("Create Another?" answered Yes).
    void buildFromMulticastPage() {
        for (PageId id :
             {PageId::MulticastClient, PageId::PostConfiguration, PageId::Summary, PageId::DisketteLocation})
            next(id);
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
    }

    // Main window, client location, Standalone Parameters with the NOS chosen.
    void startRoute(const QString& nos, PageId then) {
        expectShown(PageId::Main);
        QTest::mouseClick(fx->wizard->form(PageId::Main)->findChild<QPushButton*>(QStringLiteral("BitBtn2")),
                          Qt::LeftButton);
        QCOMPARE(fx->wizard->buildMode(), BuildMode::NetWare);

        expectShown(PageId::ClientLocation);
        retype(control<QLineEdit>("TForm11", "Edit1"), client);
        next(PageId::ClientLocation);

        expectShown(PageId::StandaloneParameters);
        choose(control<QComboBox>("TForm9", "ComboBox1"), nos);
        QCOMPARE(control<QLabel>("TForm9", "Label6")->isVisible(), nos == kOnFloppy);
        next(PageId::StandaloneParameters);
        expectShown(then);
    }

    // Summary, diskette location A:, and the build up to its last question.
    void finishRoute(const QStringList& summary) {
        expectShown(PageId::Summary);
        QCOMPARE(summaryRows(), summary);
        next(PageId::Summary);

        expectShown(PageId::DisketteLocation);
        QVERIFY(control<QRadioButton>("TForm2", "RadioButton1")->isChecked());
        next(PageId::DisketteLocation);
        expectShown(PageId::Build);
    }

    void expectCleanImage(const QString& path) {
        QByteArray report;
        QVERIFY2(TestEnv::fsckClean(path, &report), report.constData());
    }

    // PCBW.INI with every hint off but the one numbered keptOn, the drives (A: the image), and the
    // driver directories.
    void writeIni(int keptOn = 0, const QByteArray& drives = "A=A.img\r\n") {
        TestEnv::writeHostFile(
            fx->path(QStringLiteral("PCBW.INI")),
            hintSwitches(keptOn) + "[DRIVES]\r\n" + drives +
                "[LOCATIONS]\r\nNICDriverPath=" + fx->path(QStringLiteral("nics/")).toUtf8() +
                "\r\nNovellDriverPath=" + fx->path(QStringLiteral("novell/")).toUtf8() +
                "\r\nMicrosoftDriverPath=" + fx->path(QStringLiteral("msclient/")).toUtf8() + "\r\n");
    }

    // A fresh diskette formatted with system files.
    bool formatWithSystemFiles(const QString& path) {
        if (!TestEnv::makeBlankImage(path))
            return false;
        for (const QString& name : kSystemFiles) {
            const QString source = fx->path(QStringLiteral("dos/")) + name;
            TestEnv::writeHostFile(source, "system file");
            if (TestEnv::run(QStringLiteral("mcopy"), {"-i", path, source, QStringLiteral("::/") + name}) !=
                0)
                return false;
        }
        return true;
    }

    void setUp() {
        fx = std::make_unique<GuiFixture>();
        client = fx->path(QStringLiteral("icc/client.exe"));
        image = fx->path(QStringLiteral("A.img"));
        writeIni();
        TestEnv::writeHostFile(fx->path(QStringLiteral("PCBWNICM.INI")),
                               "[NICS]\r\n3Com EtherLink III=3c5x9.dos\r\nNE2000 Compatible=ne2000.dos\r\n");
        TestEnv::writeHostFile(fx->path(QStringLiteral("PCBWNICS.INI")),
                               "[NICS]\r\nNE2000 ODI=ne2000.com\r\nSMC EtherCard ODI=smc8000.com\r\n");
        // Placeholders: the build only copies them.
        for (const QString& name : QStringList{"ne2000.dos", "ne2000.com"} + kMulticastStackFiles)
            TestEnv::writeHostFile(fx->path(QStringLiteral("nics/")) + name, "driver " + name.toLatin1());
        for (const QString& name : kNetWareFiles)
            TestEnv::writeHostFile(fx->path(QStringLiteral("novell/")) + name, "netware " + name.toLatin1());
        for (const QString& name : kMicrosoftFiles)
            TestEnv::writeHostFile(fx->path(QStringLiteral("msclient/")) + name,
                                   "microsoft " + name.toLatin1());
        TestEnv::writeHostFile(client, "Pellacore client program");
        QVERIFY(formatWithSystemFiles(image));

        watcher = std::make_unique<ModalWatcher>();
        quitCalls = 0;
        fx->wizard->form<BuildPage>(PageId::Build)->setQuitHandler([this] { ++quitCalls; });
        fx->wizard->showMain();
    }
    void tearDown() {
        watcher.reset();
        fx.reset();
    }
};
