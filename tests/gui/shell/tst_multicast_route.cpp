// The whole Multicast route as a user takes it: from the main window through every page to a
// finished diskette, twice, with the second diskette's name and address advanced.

#include "gui/pages/build_page.h"
#include "gui/pages/wizard_page.h"
#include "gui_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString kComplete = QStringLiteral("Client diskette build complete.  Create Another?");

QString systemFileWarning(const char* name) {
    return QLatin1String(name) +
           QStringLiteral(
               " could not be found on the floppy diskette.  Build will continue but you must copy "
               "this file to the diskette when the build is done.  Press F1 for help.");
}

// Double-click through the window, as the platform delivers it.
void doubleClick(QWidget* viewport, const QPoint& at) {
    QWidget* window = viewport->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, viewport->mapTo(window, at));
}

} // namespace

class TestMulticastRouteGui : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiFixture> fx;
    QString nics, client, image, dirB;
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
    // Replaces a field's text the way a user does: click in, select everything, type.
    void retype(QLineEdit* edit, const QString& text) {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(edit, text);
    }

    // From the main window to the build page; the Multicast client page is filled only the first time.
    void passWizard(bool firstTime, bool driveA) {
        expectShown(PageId::Main);
        QTest::mouseClick(fx->wizard->form(PageId::Main)->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
        QCOMPARE(fx->wizard->buildMode(), 1);

        expectShown(PageId::ClientLocation);
        if (firstTime)
            retype(control<QLineEdit>("TForm11", "Edit1"), client);
        next(PageId::ClientLocation);

        expectShown(PageId::NicSelection);
        if (firstTime) {
            auto* list = control<QListWidget>("TForm4", "ListBox1");
            const QList<QListWidgetItem*> found =
                list->findItems(QStringLiteral("NE2000 Compatible"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            doubleClick(list->viewport(), list->visualItemRect(found.first()).center());
            QCOMPARE(control<QLineEdit>("TForm4", "Edit1")->text(), QStringLiteral("NE2000 Compatible"));
        }
        next(PageId::NicSelection);

        expectShown(PageId::NicParameters);
        next(PageId::NicParameters);

        expectShown(PageId::MulticastClient);
        if (firstTime) {
            retype(control<QLineEdit>("TForm6", "Edit1"), QStringLiteral("192.168.1.10"));
            retype(control<QLineEdit>("TForm6", "Edit2"), QStringLiteral("255.255.255.0"));
            retype(control<QLineEdit>("TForm6", "Edit3"), QStringLiteral("lab-pc07"));
            QVERIFY(control<QCheckBox>("TForm6", "CheckBox1")->isChecked());
            QTest::mouseClick(control<QCheckBox>("TForm6", "CheckBox2"), Qt::LeftButton);
            QVERIFY(control<QCheckBox>("TForm6", "CheckBox2")->isChecked());
        }
        next(PageId::MulticastClient);

        expectShown(PageId::PostConfiguration);
        next(PageId::PostConfiguration);

        expectShown(PageId::Summary);
        next(PageId::Summary);

        expectShown(PageId::DisketteLocation);
        QTest::mouseClick(control<QRadioButton>("TForm2", driveA ? "RadioButton1" : "RadioButton2"),
                          Qt::LeftButton);
        next(PageId::DisketteLocation);
        expectShown(PageId::Build);
    }

    QStringList summaryRows() const {
        auto* grid = control<QTableWidget>("TForm8", "StringGrid1");
        QStringList rows;
        for (int row = 0; row < 5; ++row)
            rows << grid->item(row, 0)->text() + QLatin1Char('=') + grid->item(row, 1)->text();
        return rows;
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<GuiFixture>();
        nics = fx->path(QStringLiteral("nics/"));
        client = fx->path(QStringLiteral("icc/client.exe"));
        image = fx->path(QStringLiteral("A.img"));
        dirB = fx->path(QStringLiteral("diskb"));
        TestEnv::writeHostFile(
            fx->path(QStringLiteral("PCBW.INI")),
            "[CONFIG]\r\nShowHint1=0\r\nShowHint2=0\r\nShowHint3=0\r\nShowHint4=0\r\n"
            "ShowHint5=0\r\n[DRIVES]\r\nA=A.img\r\nB=diskb\r\n[LOCATIONS]\r\nNICDriverPath=" +
                nics.toUtf8() + "\r\n");
        TestEnv::writeHostFile(fx->path(QStringLiteral("PCBWNICM.INI")),
                               "[NICS]\r\n3Com EtherLink III=3c5x9.dos\r\nNE2000 Compatible=ne2000.dos\r\n");
        // Placeholders: the build only copies them.
        for (const char* name : {"ne2000.dos", "netbind.com", "dis_pkt9.dos", "protman.exe", "protman.dos"})
            TestEnv::writeHostFile(nics + QLatin1String(name), QByteArray("placeholder ") + name);
        TestEnv::writeHostFile(client, "Pellacore client program");
        // The directory diskette is formatted with system files; the image is blank.
        for (const char* name : {"himem.sys", "emm386.exe", "command.com"})
            TestEnv::writeHostFile(dirB + QLatin1Char('/') + QLatin1String(name), "system file");
        QVERIFY(TestEnv::makeBlankImage(image));

        quitCalls = 0;
        fx->wizard->form<TForm3>(PageId::Build)->setQuitHandler([this] { ++quitCalls; });
        fx->wizard->showMain();
    }
    void cleanup() { fx.reset(); }

    void twoDiskettesInARow() {
        // First diskette: drive A:, a blank image.
        passWizard(true, true);
        QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
        QCOMPARE(fx->dialogs.texts(),
                 (QStringList{systemFileWarning("HIMEM.SYS"), systemFileWarning("EMM386.EXE"),
                              systemFileWarning("COMMAND.COM"), kComplete}));
        QCOMPARE(fx->dialogs.shown().first().helpContext, 600);
        QVERIFY(!page(PageId::Build)->isVisible());

        QByteArray report;
        QVERIFY2(TestEnv::fsckClean(image, &report), report.constData());
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/WATTCP.CFG")),
                 QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=192.168.1.10\r\nHOSTNAME=LAB-PC07\r\n"
                            "NETMASK=255.255.255.0\r\n"));
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/client.exe")),
                 QByteArray("Pellacore client program"));

        // Second diskette: the same route again, drive B:, a directory; name and address advance.
        fx->dialogs.clear();
        fx->dialogs.answer(Dialogs::Button::No);
        passWizard(false, false);
        QCOMPARE(summaryRows(),
                 (QStringList{"MODE=Multicast", "CLIENT NAME=lab-pc8", "IP ADDRESS=192.168.  1.011",
                              "SUB NET MASK=255.255.255.  0", "HARDWARE=Plug and Play"}));
        QTRY_COMPARE_WITH_TIMEOUT(quitCalls, 1, 20000);
        QCOMPARE(fx->dialogs.texts(), QStringList{kComplete});

        QCOMPARE(TestEnv::readHostFile(dirB + QStringLiteral("/WATTCP.CFG")),
                 QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=192.168.1.011\r\nHOSTNAME=LAB-PC8\r\n"
                            "NETMASK=255.255.255.0\r\n"));
        QCOMPARE(QDir(dirB).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
                 (QStringList{"AUTOEXEC.BAT", "client.exe", "command.com", "CONFIG.SYS", "dis_pkt9.dos",
                              "emm386.exe", "himem.sys", "NE2000.DOS", "netbind.com", "protman.dos",
                              "protman.exe", "PROTOCOL.INI", "WATTCP.CFG"}));
        // The first diskette was left as it was.
        QCOMPARE(TestEnv::mtype(image, QStringLiteral("::/WATTCP.CFG")).contains("HOSTNAME=LAB-PC07"), true);
    }
};

QTEST_MAIN(TestMulticastRouteGui)
#include "tst_multicast_route.moc"
