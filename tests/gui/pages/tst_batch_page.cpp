#include "gui/pages/batch_page.h"
#include "gui/shell/main_window.h"
#include "gui/widgets/address_edit.h"
#include "gui_fixture.h"
#include "modal_watcher.h"
#include "platform/dos_fs.h"
#include "platform/drive_table.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QByteArray kIni = kAllHintsOff + "[DRIVES]\r\nA=driveA\r\nB=driveB.img\r\n";

// A copied master diskette's file, with a post-configuration line the update must keep.
QByteArray wattcp(const QByteArray& ip, const QByteArray& host) {
    return "[CLIENT DISKETTE OPERATION]\r\nMY_IP=" + ip + "\r\nHOSTNAME=" + host +
           "\r\nNETMASK=255.255.0.0\r\nPOSTCONFIG=0\r\n";
}

QString firstPrompt(const QString& drive) {
    return QStringLiteral("Insert the first floppy diskette in drive %1.  Press OK when ready.").arg(drive);
}
QString nextPrompt(const QString& address, const QString& name, const QString& drive) {
    return QStringLiteral("Update Successful.\rDisk IP Address is: %1\rDisk Client Name is: %2\r\r"
                          "Insert the next floppy diskette in drive %3.  Press OK when ready.")
        .arg(address, name, drive);
}

} // namespace

class TestBatchDialog : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiFixture> fx;
    std::unique_ptr<BatchPage> dialog;

    template <class T = QWidget> T* control(const char* name) const {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    // Diskette directories, each with the master's file unless its content is empty.
    QStringList diskettes(const QList<QByteArray>& contents) const {
        QStringList dirs;
        for (int i = 0; i < contents.size(); ++i) {
            const QString dir = fx->path(QStringLiteral("disk%1").arg(i + 1));
            QDir().mkpath(dir);
            if (!contents[i].isEmpty())
                TestEnv::writeHostFile(dir + QStringLiteral("/WATTCP.CFG"), contents[i]);
            dirs << dir;
        }
        return dirs;
    }
    // The first diskette is behind the drive; each next one the user names when the page asks,
    // since a folder or an image cannot be swapped by hand.
    void placeInTurn(const QStringList& dirs, QChar drive = QLatin1Char('A')) {
        DriveTable::save(fx->path(QString()), drive, dirs.first());
        for (qsizetype i = 1; i < dirs.size(); ++i)
            fx->dialogs.answerFile(dirs[i]);
    }
    void typeStart(const QString& digits, const QString& name) {
        auto* edit1 = control<AddressEdit>("Edit1");
        QTest::keyClick(edit1, Qt::Key_Home);
        QTest::keyClicks(edit1, digits);
        auto* edit3 = control<QLineEdit>("Edit3");
        QTest::keyClick(edit3, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit3, name);
    }
    // Where a user clicks a check box or radio button: on its indicator, at the left.
    static void clickBox(QAbstractButton* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void go() { QTest::mouseClick(control<QPushButton>("Button2"), Qt::LeftButton); }
    static QByteArray file(const QString& dir) {
        return TestEnv::readHostFile(dir + QStringLiteral("/WATTCP.CFG"));
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<GuiFixture>(kIni);
        QDir().mkpath(fx->path(QStringLiteral("driveA")));
        dialog = std::make_unique<BatchPage>(*fx->wizard);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void cleanup() {
        dialog.reset();
        fx.reset();
    }

    void looks() {
        QCOMPARE(dialog->objectName(), QStringLiteral("TForm26"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Batch Diskette Update"));
        QCOMPARE(control<QCheckBox>("CheckBox1")->text(), QStringLiteral("Update Client IP Address"));
        QCOMPARE(control<QCheckBox>("CheckBox2")->text(), QStringLiteral("Update Client Name"));
        QVERIFY(control<QCheckBox>("CheckBox1")->isChecked() && control<QCheckBox>("CheckBox2")->isChecked());
        QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("Starting Client IP Address:"));
        QCOMPARE(control<QLabel>("Label2")->text(), QStringLiteral("Starting Client Name:"));
        QCOMPARE(control<AddressEdit>("Edit1")->value(), QStringLiteral("  0.  0.  0.  0"));
        QCOMPARE(control<QLineEdit>("Edit3")->text(), QStringLiteral("Not Specified"));
        QCOMPARE(control<QRadioButton>("RadioButton1")->text(), QStringLiteral("Diskette is in drive A:"));
        QCOMPARE(control<QRadioButton>("RadioButton2")->text(), QStringLiteral("Diskette is in drive B:"));
        QVERIFY(control<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(!control<QLineEdit>("Edit2")->isVisible());
        QVERIFY(!control<QListWidget>("ListBox1")->isVisible());
        QCOMPARE(control<QPushButton>("Button2")->text(), QStringLiteral("&GO >"));
        QCOMPARE(control<QPushButton>("Button3")->text(), QStringLiteral("&Cancel"));
        QCOMPARE(control<QLabel>("DriveALabel")->text(),
                 "A: is the folder " + fx->path(QStringLiteral("driveA")));
        QCOMPARE(control<QLabel>("DriveBLabel")->text(), fx->wizard->drives().describe(u'B'));

        QTest::keyClick(dialog.get(), Qt::Key_F1);
        QCOMPARE(fx->help.calls, QStringList{"context:602"});
    }

    void checkBoxesDisableTheirFields() {
        clickBox(control<QCheckBox>("CheckBox1"));
        QVERIFY(!control<QWidget>("Edit1")->isEnabled() && !control<QWidget>("Label1")->isEnabled());
        QVERIFY(control<QWidget>("Edit3")->isEnabled() && control<QWidget>("Label2")->isEnabled());
        clickBox(control<QCheckBox>("CheckBox2"));
        QVERIFY(!control<QWidget>("Edit3")->isEnabled() && !control<QWidget>("Label2")->isEnabled());
        clickBox(control<QCheckBox>("CheckBox1"));
        QVERIFY(control<QWidget>("Edit1")->isEnabled() && control<QWidget>("Label1")->isEnabled());

        // Neither box checked: nothing is asked for.
        clickBox(control<QCheckBox>("CheckBox1"));
        go();
        QCOMPARE(fx->dialogs.texts(), QStringList{"Nothing to do!"});
        QCOMPARE(fx->dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    }

    void leavingTheNameCopiesIt() {
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        auto* edit3 = control<QLineEdit>("Edit3");
        edit3->setFocus();
        QTest::keyClick(edit3, Qt::Key_End);
        QTest::keyClicks(edit3, QStringLiteral("7"));
        QCOMPARE(control<QLineEdit>("Edit2")->text(), QString());
        QTest::keyClick(edit3, Qt::Key_Tab);
        QCOMPARE(control<QLineEdit>("Edit2")->text(), QStringLiteral("Not Specified7"));
    }

    void threeDiskettes_data() {
        QTest::addColumn<bool>("keepAddress");
        QTest::addColumn<bool>("keepName");
        QTest::addColumn<bool>("driveB");
        QTest::addColumn<QByteArrayList>("ips");
        QTest::addColumn<QByteArrayList>("hosts");
        const QByteArrayList advanced{"192.168.001.254", "192.168.001.255", "192.168.001.001"};
        const QByteArrayList own{"10.9.9.1", "10.9.9.2", "10.9.9.3"};
        const QByteArrayList named{"LAB9", "LAB10", "LAB11"};
        const QByteArrayList master{"OLD1", "OLD2", "OLD3"};
        QTest::newRow("both, drive A:") << false << false << false << advanced << named;
        QTest::newRow("name only, drive B:") << true << false << true << own << named;
        QTest::newRow("address only") << false << true << false << advanced << master;
    }

    // Each diskette gets the values the prompt before the next one reports; Cancel there ends the
    // run with every diskette updated.
    void threeDiskettes() {
        QFETCH(bool, keepAddress);
        QFETCH(bool, keepName);
        QFETCH(bool, driveB);
        QFETCH(QByteArrayList, ips);
        QFETCH(QByteArrayList, hosts);
        const QStringList dirs =
            diskettes({wattcp("10.9.9.1", "OLD1"), wattcp("10.9.9.2", "OLD2"), wattcp("10.9.9.3", "OLD3")});
        const QString drive = driveB ? QStringLiteral("B:") : QStringLiteral("A:");
        placeInTurn(dirs, drive.at(0));
        typeStart(QStringLiteral("192168001254"), QStringLiteral("LAB9"));
        QCOMPARE(control<AddressEdit>("Edit1")->value(), QStringLiteral("192.168.001.254"));
        if (keepAddress)
            clickBox(control<QCheckBox>("CheckBox1"));
        if (keepName)
            clickBox(control<QCheckBox>("CheckBox2"));
        if (driveB)
            clickBox(control<QRadioButton>("RadioButton2"));
        for (int i = 0; i < 3; ++i)
            fx->dialogs.answer(Dialogs::Button::Ok);
        fx->dialogs.answer(Dialogs::Button::Cancel);
        go();

        // The prompts report the fields, which advance whether or not they are written.
        QCOMPARE(
            fx->dialogs.texts(),
            (QStringList{firstPrompt(drive), nextPrompt(QStringLiteral("192.168.001.254"), "LAB9", drive),
                         nextPrompt(QStringLiteral("192.168.001.255"), "LAB10", drive),
                         nextPrompt(QStringLiteral("192.168.001.001"), "LAB11", drive)}));
        for (const ScriptedDialogs::Shown& s : fx->dialogs.shown()) {
            QCOMPARE(s.buttons, Dialogs::Buttons::OkCancel);
            QCOMPARE(s.icon, Dialogs::Icon::Information);
        }
        for (int i = 0; i < 3; ++i)
            QCOMPARE(file(dirs[i]), wattcp(ips[i], hosts[i]));
        // A folder cannot be swapped by hand: each next diskette's folder was asked for.
        QCOMPARE(fx->dialogs.fileRequests().size(), 2);
        for (const ScriptedDialogs::FileRequest& request : fx->dialogs.fileRequests())
            QCOMPARE(request.kind, ScriptedDialogs::FileRequest::Kind::Folder);
        QCOMPARE(control<AddressEdit>("Edit1")->value(), QStringLiteral("192.168.001.001"));
        QCOMPARE(control<QLineEdit>("Edit3")->text(), QStringLiteral("LAB11"));
        QVERIFY(dialog->isVisible());
    }

    void cancelAtFirstPromptChangesNothing() {
        const QStringList dirs = diskettes({wattcp("10.9.9.1", "OLD1")});
        placeInTurn(dirs);
        typeStart(QStringLiteral("010000000005"), QStringLiteral("PC1"));
        fx->dialogs.answer(Dialogs::Button::Cancel);
        go();
        QCOMPARE(fx->dialogs.texts(), QStringList{firstPrompt(QStringLiteral("A:"))});
        QCOMPARE(file(dirs[0]), wattcp("10.9.9.1", "OLD1"));
        QCOMPARE(control<AddressEdit>("Edit1")->value(), QStringLiteral("010.000.000.005"));
        QCOMPARE(control<QLineEdit>("Edit3")->text(), QStringLiteral("PC1"));
    }

    // The diskette without the file is reported and keeps the values meant for it; the next GO
    // writes exactly those to the diskette put in instead.
    void disketteWithoutFileThenRetry() {
        QStringList dirs = diskettes({wattcp("10.9.9.1", "OLD1"), QByteArray()});
        placeInTurn(dirs);
        typeStart(QStringLiteral("010000000254"), QStringLiteral("LAB9"));
        go();
        QCOMPARE(fx->dialogs.texts(),
                 (QStringList{firstPrompt(QStringLiteral("A:")),
                              nextPrompt(QStringLiteral("010.000.000.254"), "LAB9", QStringLiteral("A:")),
                              "Could not find WATTCP.CFG file on the diskette!"}));
        QCOMPARE(fx->dialogs.shown().last().buttons, Dialogs::Buttons::Ok);
        QCOMPARE(file(dirs[0]), wattcp("010.000.000.254", "LAB9"));
        QVERIFY(!QFile::exists(dirs[1] + QStringLiteral("/WATTCP.CFG")));
        QCOMPARE(control<AddressEdit>("Edit1")->value(), QStringLiteral("010.000.000.255"));
        QCOMPARE(control<QLineEdit>("Edit3")->text(), QStringLiteral("LAB10"));
        QVERIFY(dialog->isVisible());

        TestEnv::writeHostFile(dirs[1] + QStringLiteral("/WATTCP.CFG"), wattcp("10.9.9.2", "OLD2"));
        placeInTurn({dirs[1]});
        fx->dialogs.clear();
        fx->dialogs.answer(Dialogs::Button::Ok);
        fx->dialogs.answer(Dialogs::Button::Cancel);
        go();
        QCOMPARE(fx->dialogs.texts(),
                 (QStringList{firstPrompt(QStringLiteral("A:")),
                              nextPrompt(QStringLiteral("010.000.000.255"), "LAB10", QStringLiteral("A:"))}));
        QCOMPARE(file(dirs[1]), wattcp("010.000.000.255", "LAB10"));
    }

    void writeFailureIsShownAndPageStays() {
        const QStringList dirs = diskettes({wattcp("10.9.9.1", "OLD1")});
        const QString path = dirs[0] + QStringLiteral("/WATTCP.CFG");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        placeInTurn(dirs);
        fx->dialogs.answer(Dialogs::Button::Ok);
        go();
        QCOMPARE(fx->dialogs.shown().size(), 2);
        const ScriptedDialogs::Shown error = fx->dialogs.shown().last();
        QCOMPARE(error.icon, Dialogs::Icon::Error);
        QCOMPARE(error.buttons, Dialogs::Buttons::Ok);
        QVERIFY2(error.text.contains(QStringLiteral("WATTCP.CFG")) &&
                     error.text.contains(QStringLiteral("read-only")),
                 qPrintable(error.text));
        QCOMPARE(file(dirs[0]), wattcp("10.9.9.1", "OLD1"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(control<QLineEdit>("Edit3")->text(), QStringLiteral("Not Specified"));
    }

    // Diskette images in drive A: come out as sound file systems.
    void imageDiskettes() {
        QStringList images;
        for (int i = 1; i <= 2; ++i) {
            const QString image = fx->path(QStringLiteral("copy%1.img").arg(i));
            QVERIFY(TestEnv::makeBlankImage(image));
            const QString local = fx->path(QStringLiteral("master.cfg"));
            TestEnv::writeHostFile(local, wattcp("10.9.9.9", "MASTER"));
            QCOMPARE(TestEnv::run(QStringLiteral("mcopy"), {"-D", "o", "-i", image, local, "::/WATTCP.CFG"}),
                     0);
            images << image;
        }
        placeInTurn(images);
        typeStart(QStringLiteral("010001001009"), QStringLiteral("ROOM"));
        fx->dialogs.answer(Dialogs::Button::Ok);
        fx->dialogs.answer(Dialogs::Button::Ok);
        fx->dialogs.answer(Dialogs::Button::Cancel);
        go();
        QCOMPARE(fx->dialogs.shown().size(), 3);
        QCOMPARE(fx->dialogs.fileRequests().size(), 1);
        QCOMPARE(fx->dialogs.fileRequests().first().kind, ScriptedDialogs::FileRequest::Kind::Diskette);
        QCOMPARE(TestEnv::mtype(images[0], QStringLiteral("::/WATTCP.CFG")),
                 wattcp("010.001.001.009", "ROOM"));
        QCOMPARE(TestEnv::mtype(images[1], QStringLiteral("::/WATTCP.CFG")),
                 wattcp("010.001.001.010", "ROOM1"));
        for (const QString& image : images)
            QVERIFY(TestEnv::fsckClean(image));
    }

    // Cancel in the dialog that asks for the next image ends the batch; the first diskette is done,
    // and the prompt reports the address as the diskette carries it, without blanks.
    void cancelAtTheNextImage() {
        const QStringList dirs = diskettes({wattcp("10.9.9.1", "OLD1"), wattcp("10.9.9.2", "OLD2")});
        DriveTable::save(fx->path(QString()), 'A', dirs[0]);
        typeStart(QStringLiteral("10.0.0.254"), QStringLiteral("LAB9"));
        go();
        QCOMPARE(fx->dialogs.texts(),
                 (QStringList{firstPrompt(QStringLiteral("A:")),
                              nextPrompt(QStringLiteral("10.0.0.254"), "LAB9", QStringLiteral("A:"))}));
        QCOMPARE(fx->dialogs.fileRequests().size(), 1);
        QCOMPARE(file(dirs[0]), wattcp("10.0.0.254", "LAB9"));
        QCOMPARE(file(dirs[1]), wattcp("10.9.9.2", "OLD2"));
    }

    // The main window opens a fresh page each time, hidden behind it meanwhile, and comes back.
    void opensFreshFromMainWindow() {
        dialog.reset();
        auto* main = fx->wizard->form<MainWindow>(PageId::Main);
        fx->wizard->showMain();
        QStringList namesSeen;
        bool mainHidden = true;
        QPointer<BatchPage> current;
        ModalWatcher watcher;
        watcher.otherwise([&](QWidget* w) {
            auto* open = qobject_cast<BatchPage*>(w);
            QVERIFY(open);
            current = open;
            mainHidden = mainHidden && !main->isVisible();
            auto* edit3 = open->findChild<QLineEdit*>(QStringLiteral("Edit3"));
            namesSeen << edit3->text();
            edit3->setText(QStringLiteral("CHANGED"));
            QTest::mouseClick(open->findChild<QPushButton*>(QStringLiteral("Button3")), Qt::LeftButton);
        });
        QAction* batch = main->findChild<QAction*>(QStringLiteral("BatchDisketteUpdate1"));
        batch->trigger();
        batch->trigger();
        QCOMPARE(namesSeen, (QStringList{"Not Specified", "Not Specified"}));
        QVERIFY(mainHidden);
        QVERIFY(main->isVisible());
        QVERIFY(current.isNull());
        QVERIFY(fx->dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(TestBatchDialog)
#include "tst_batch_page.moc"
