#include "gui/pages/wizard_page.h"
#include "gui_fixture.h"
#include "hint_catcher.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString kOther = QStringLiteral("Other - Have Disk");
const QString kQuestion =
    QStringLiteral("You have specified a diskette drive. The NIC driver must reside on a fixed "
                   "disk.  Would you like to copy it now?");
const QByteArray kMulticast = "[NICS]\r\n3Com EtherLink III=elnk3.dos\r\nNovell NE2000=ne2000.dos\r\n";
const QByteArray kNetware = "[NICS]\r\nNE2000 ODI=ne2000.com\r\n";
// Every test but the hint's own switches the Ethernet hint off: its modal dialog would wait for a click.
const QByteArray kQuiet = "[CONFIG]\r\nShowHint5=0\r\n";

} // namespace

class TestNicSelectionPage : public QObject {
    Q_OBJECT
private:
    // A program directory with both catalogues and the driver directory C:\nics\ unless told.
    static void setUp(GuiFixture& f, const QByteArray& pcbw) {
        TestEnv::writeHostFile(f.path(QStringLiteral("PCBWNICM.INI")), kMulticast);
        TestEnv::writeHostFile(f.path(QStringLiteral("PCBWNICS.INI")), kNetware);
        TestEnv::writeHostFile(f.path(QStringLiteral("PCBW.INI")), pcbw);
    }
    static WizardPage* page(const GuiFixture& f) { return f.wizard->form<WizardPage>(PageId::NicSelection); }
    static QLineEdit* edit(const GuiFixture& f, const char* name) {
        return f.control<QLineEdit>(QStringLiteral("TForm4"), QString::fromLatin1(name));
    }
    static QListWidget* list(const GuiFixture& f) {
        return f.control<QListWidget>(QStringLiteral("TForm4"), QStringLiteral("ListBox1"));
    }
    static QStringList listed(const GuiFixture& f) {
        QStringList out;
        for (int i = 0; i < list(f)->count(); ++i)
            out << list(f)->item(i)->text();
        return out;
    }
    static QStringList fields(const GuiFixture& f) {
        return {edit(f, "Edit1")->text(), edit(f, "Edit2")->text(), edit(f, "Edit3")->text()};
    }
    static void show(GuiFixture& f, int mode) {
        f.wizard->setBuildMode(BuildMode(mode));
        f.wizard->go(nullptr, PageId::NicSelection);
    }
    // What the window system delivers for a double-click: press, release, press, double-click, release.
    static void doubleClickAt(const GuiFixture& f, QPoint pos) {
        QWidget* viewport = list(f)->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pos);
        QTest::mousePress(viewport, Qt::LeftButton, {}, pos);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pos);
    }
    static void doubleClickEntry(const GuiFixture& f, const QString& entry) {
        const QList<QListWidgetItem*> items = list(f)->findItems(entry, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        doubleClickAt(f, list(f)->visualItemRect(items.first()).center());
    }
    static void clickNext(const GuiFixture& f) { QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton); }

private Q_SLOTS:
    void startValues();
    void listByMode_data();
    void listByMode();
    void doubleClick_data();
    void doubleClick();
    void driverDirectoryReadAtEachDoubleClick();
    void doubleClickWithNothingSelected();
    void browse_data();
    void browse();
    void typedPathReachesDriverField();
    void nextChecks_data();
    void nextChecks();
    void disketteCopyOffer_data();
    void disketteCopyOffer();
    void ethernetHint_data();
    void ethernetHint();
    void routes_data();
    void routes();
};

void TestNicSelectionPage::startValues() {
    GuiFixture f(kQuiet);
    QCOMPARE(fields(f), (QStringList{QString(), QStringLiteral("NIC Driver Name"), QString()}));
    QVERIFY(edit(f, "Edit2")->isHidden());
    QVERIFY(edit(f, "Edit3")->isHidden());
    auto* load = f.control<QPushButton>(QStringLiteral("TForm4"), QStringLiteral("Button5"));
    QCOMPARE(load->text(), QStringLiteral("&Load List"));
    QVERIFY(load->isHidden());
    QCOMPARE(f.control<QPushButton>(QStringLiteral("TForm4"), QStringLiteral("Button4"))->text(),
             QStringLiteral("B&rowse"));
    QCOMPARE(page(f)->windowTitle(), QStringLiteral("Select NIC"));
    bool textFound = false;
    for (QLabel* label : page(f)->findChildren<QLabel*>())
        textFound |=
            label->text() ==
            QStringLiteral("Double-click on the Network Interface Card (NIC) that is in the destination "
                           "client machine. If you have the driver disk for your NIC we suggest utilizing "
                           "the Browse feature to select the proper driver.  If not, please select the NIC "
                           "from the list below.  ");
    QVERIFY(textFound);
}

void TestNicSelectionPage::listByMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("catalogues");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("multicast") << 1 << true << QStringList{"3Com EtherLink III", "Novell NE2000", kOther};
    QTest::newRow("netware") << 2 << true << QStringList{"NE2000 ODI", kOther};
    QTest::newRow("microsoft") << 3 << true << QStringList{"3Com EtherLink III", "Novell NE2000", kOther};
    QTest::newRow("no network") << 4 << true << QStringList{kOther};
    QTest::newRow("no catalogue") << 1 << false << QStringList{kOther};
}

void TestNicSelectionPage::listByMode() {
    QFETCH(int, mode);
    QFETCH(bool, catalogues);
    QFETCH(QStringList, expected);
    GuiFixture f(kQuiet);
    if (catalogues)
        setUp(f, kQuiet);
    edit(f, "Edit1")->setText(QStringLiteral("kept"));
    show(f, mode);
    QCOMPARE(listed(f), expected);
    page(f)->hide();
    show(f, mode);
    QCOMPARE(listed(f), expected);
    // Refilling the list leaves the choice alone.
    QCOMPARE(fields(f), (QStringList{QStringLiteral("kept"), QStringLiteral("NIC Driver Name"), QString()}));
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TestNicSelectionPage::doubleClick_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("browsed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("lower-case driver")
        << 1 << "Novell NE2000" << QString()
        << QStringList{"Novell NE2000", "C:\\NICS\\NE2000.DOS", "Novell NE2000"};
    QTest::newRow("netware catalogue")
        << 2 << "NE2000 ODI" << QString() << QStringList{"NE2000 ODI", "C:\\NICS\\NE2000.COM", "NE2000 ODI"};
    QTest::newRow("other, browsed") << 1 << kOther << "/drivers/my.dos"
                                    << QStringList{"/drivers/my.dos", "/drivers/my.dos", kOther};
    QTest::newRow("other, cancelled")
        << 3 << kOther << QString() << QStringList{kOther, "C:\\NICS\\ERROR", kOther};
}

void TestNicSelectionPage::doubleClick() {
    QFETCH(int, mode);
    QFETCH(QString, entry);
    QFETCH(QString, browsed);
    QFETCH(QStringList, expected);
    GuiFixture f;
    setUp(f, kQuiet + "[LOCATIONS]\r\nNicDriverPath=C:\\nics\\\r\n");
    f.dialogs.answerFile(browsed);
    show(f, mode);
    doubleClickEntry(f, entry);
    QCOMPARE(fields(f), expected);
    QCOMPARE(f.dialogs.fileRequests().size(), entry == kOther ? 1 : 0);
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TestNicSelectionPage::driverDirectoryReadAtEachDoubleClick() {
    GuiFixture f;
    setUp(f, kQuiet + "[LOCATIONS]\r\nNicDriverPath=C:\\nics\\\r\n");
    show(f, 1);
    doubleClickEntry(f, QStringLiteral("3Com EtherLink III"));
    QCOMPARE(edit(f, "Edit2")->text(), QStringLiteral("C:\\NICS\\ELNK3.DOS"));
    TestEnv::writeHostFile(f.path(QStringLiteral("PCBW.INI")),
                           kQuiet + "[LOCATIONS]\r\nNicDriverPath=D:\\drv\\\r\n");
    doubleClickEntry(f, QStringLiteral("3Com EtherLink III"));
    QCOMPARE(edit(f, "Edit2")->text(), QStringLiteral("D:\\DRV\\ELNK3.DOS"));
}

void TestNicSelectionPage::doubleClickWithNothingSelected() {
    GuiFixture f;
    setUp(f, kQuiet);
    show(f, 1);
    QVERIFY(list(f)->selectedItems().isEmpty());
    const QRect last = list(f)->visualItemRect(list(f)->item(list(f)->count() - 1));
    const QPoint below(last.center().x(), last.bottom() + 10);
    QVERIFY(list(f)->viewport()->rect().contains(below));
    doubleClickAt(f, below);
    QCOMPARE(fields(f), (QStringList{QString(), QStringLiteral("NIC Driver Name"), QString()}));
    QVERIFY(f.dialogs.fileRequests().isEmpty());
}

void TestNicSelectionPage::browse_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("browsed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected");
    const QString dos = QStringLiteral("NIC DOS Drivers|*.DOS|All Files|*.*|NIC NETWARE Drivers|*.COM");
    const QString netware = QStringLiteral("NIC NETWARE Drivers|*.COM|NIC DOS Drivers|*.DOS|All Files|*.*");
    QTest::newRow("multicast") << 1 << "/d/e100b.dos" << dos << "*.DOS"
                               << QStringList{"/d/e100b.dos", "/d/e100b.dos", kOther};
    QTest::newRow("netware") << 2 << "/d/ne2000.com" << netware << "*.COM"
                             << QStringList{"/d/ne2000.com", "/d/ne2000.com", kOther};
    QTest::newRow("microsoft") << 3 << "/d/x.dos" << dos << "*.DOS"
                               << QStringList{"/d/x.dos", "/d/x.dos", kOther};
    QTest::newRow("cancelled: nothing changes")
        << 1 << QString() << dos << "*.DOS" << QStringList{QString(), "NIC Driver Name", QString()};
}

void TestNicSelectionPage::browse() {
    QFETCH(int, mode);
    QFETCH(QString, browsed);
    QFETCH(QString, filter);
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    GuiFixture f(kQuiet);
    show(f, mode);
    f.dialogs.answerFile(browsed);
    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("TForm4"), QStringLiteral("Button4")),
                      Qt::LeftButton);
    QCOMPARE(fields(f), expected);
    QCOMPARE(f.dialogs.fileRequests().size(), 1);
    QVERIFY(!f.dialogs.fileRequests().first().save);
    QCOMPARE(f.dialogs.fileRequests().first().filter, filter);
    QCOMPARE(f.dialogs.fileRequests().first().suggestedName, name);
}

void TestNicSelectionPage::typedPathReachesDriverField() {
    GuiFixture f;
    setUp(f, kQuiet + "[LOCATIONS]\r\nNicDriverPath=C:\\nics\\\r\n");
    TestEnv::writeHostFile(f.path(QStringLiteral("mine/NE2000.DOS")), "driver");
    show(f, 1);
    QVERIFY(QTest::qWaitForWindowActive(page(f)));
    doubleClickEntry(f, QStringLiteral("Novell NE2000"));
    QCOMPARE(edit(f, "Edit3")->text(), QStringLiteral("Novell NE2000"));

    // Passing through the field with Tab changes nothing: the catalogue's driver stays.
    edit(f, "Edit1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit(f, "Edit1"), Qt::Key_Tab);
    QCOMPARE(fields(f), (QStringList{"Novell NE2000", "C:\\NICS\\NE2000.DOS", "Novell NE2000"}));
    // Typing into it makes the choice a driver of the user's own once the field is left.
    QTest::mouseClick(edit(f, "Edit1"), Qt::LeftButton);
    QCOMPARE(edit(f, "Edit3")->text(), QStringLiteral("Novell NE2000"));
    edit(f, "Edit1")->selectAll();
    QTest::keyClicks(edit(f, "Edit1"), f.path(QStringLiteral("mine/ne2000.dos")));
    QCOMPARE(edit(f, "Edit2")->text(), QStringLiteral("C:\\NICS\\NE2000.DOS"));
    // Leaving it (here for the Next button) hands the text to the build's field.
    clickNext(f);
    QCOMPARE(fields(f), (QStringList{f.path(QStringLiteral("mine/ne2000.dos")),
                                     f.path(QStringLiteral("mine/ne2000.dos")), kOther}));
    QVERIFY(f.dialogs.shown().isEmpty());
    QVERIFY(f.wizard->form(PageId::NicParameters)->isVisible());
}

void TestNicSelectionPage::nextChecks_data() {
    QTest::addColumn<QByteArray>("locations");
    QTest::addColumn<QString>("entry"); // double-clicked when not empty
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing chosen") << QByteArray() << QString() << QStringLiteral("You must specify a NIC.");
    QTest::newRow("driver missing") << QByteArray("NicDriverPath=C:\\nics\\\r\n") << "Novell NE2000"
                                    << QStringLiteral("NIC driver C:\\NICS\\NE2000.DOS not found.");
    QTest::newRow("browse cancelled") << QByteArray("NicDriverPath=@/drivers/\r\n") << kOther
                                      << QStringLiteral("NIC driver @/DRIVERS/ERROR not found.");
    // Found although the program upper-cased the name of a lower-case file.
    QTest::newRow("driver found") << QByteArray("NicDriverPath=@/drivers/\r\n") << "Novell NE2000"
                                  << QString();
    // A catalogue entry is no diskette path, even when its driver lies on one.
    QTest::newRow("driver on a diskette")
        << QByteArray("NicDriverPath=B:\\drivers\\\r\n") << "Novell NE2000" << QString();
}

void TestNicSelectionPage::nextChecks() {
    QFETCH(QByteArray, locations);
    QFETCH(QString, entry);
    QFETCH(QString, message);
    GuiFixture f;
    const QByteArray dir = f.dir.path().toUtf8();
    setUp(f, kQuiet + "[DRIVES]\r\nB=floppyB\r\n[LOCATIONS]\r\n" + locations.replace('@', dir));
    TestEnv::writeHostFile(f.path(QStringLiteral("drivers/ne2000.dos")), "driver");
    TestEnv::writeHostFile(f.path(QStringLiteral("floppyB/drivers/ne2000.dos")), "driver");
    show(f, 1);
    if (!entry.isEmpty())
        doubleClickEntry(f, entry);
    clickNext(f);
    message.replace(QLatin1Char('@'), f.dir.path().toUpper());
    QCOMPARE(f.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
        QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Warning);
        QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    }
    QCOMPARE(page(f)->isVisible(), !message.isEmpty());
    QCOMPARE(f.wizard->form(PageId::NicParameters)->isVisible(), message.isEmpty());
}

void TestNicSelectionPage::disketteCopyOffer_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // "@" stands for the test's directory; empty: cancelled
    QTest::addColumn<bool>("moves");
    QTest::addColumn<QString>("field"); // Edit1 and Edit2 afterwards; "B" for the diskette path
    QTest::newRow("yes, target") << int(Dialogs::Button::Yes) << "@/NE2000.DOS" << true << "@/NE2000.DOS";
    QTest::newRow("yes, dialog cancelled") << int(Dialogs::Button::Yes) << QString() << true << "B";
    QTest::newRow("no") << int(Dialogs::Button::No) << QString() << false << "B";
    QTest::newRow("cancel") << int(Dialogs::Button::Cancel) << QString() << false << "B";
}

void TestNicSelectionPage::disketteCopyOffer() {
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, moves);
    QFETCH(QString, field);
    GuiFixture f;
    setUp(f, kQuiet + "[DRIVES]\r\nB=floppyB\r\n");
    TestEnv::writeHostFile(f.path(QStringLiteral("floppyB/ne2000.dos")), "the driver");
    const QString diskettePath = QStringLiteral("B:\\NE2000.DOS");
    saveAs.replace(QLatin1Char('@'), f.dir.path());
    field = field == QLatin1String("B") ? diskettePath : field.replace(QLatin1Char('@'), f.dir.path());
    f.dialogs.answer(Dialogs::Button(answer));
    f.dialogs.answerFile(saveAs);

    show(f, 1);
    QVERIFY(QTest::qWaitForWindowActive(page(f)));
    QTest::mouseClick(edit(f, "Edit1"), Qt::LeftButton);
    QTest::keyClicks(edit(f, "Edit1"), diskettePath);
    clickNext(f);

    QCOMPARE(f.dialogs.texts(), QStringList{kQuestion});
    QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::YesNoCancel);
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Information);
    QCOMPARE(fields(f), (QStringList{field, field, kOther}));
    QCOMPARE(page(f)->isVisible(), !moves);
    QCOMPARE(f.wizard->form(PageId::NicParameters)->isVisible(), moves);
    if (answer == int(Dialogs::Button::Yes)) {
        const ScriptedDialogs::FileRequest request = f.dialogs.fileRequests().value(0);
        QVERIFY(request.save);
        QCOMPARE(request.filter, QStringLiteral("NIC DOS Drivers|*.dos"));
        QCOMPARE(request.initialDir, f.dir.path());
        QCOMPARE(request.suggestedName, QStringLiteral("NE2000.DOS"));
    }
    if (!saveAs.isEmpty())
        QCOMPARE(TestEnv::readHostFile(saveAs), QByteArray("the driver"));
}

void TestNicSelectionPage::ethernetHint_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("pcbw");
    QTest::addColumn<bool>("leaveAtOnce");
    QTest::addColumn<bool>("shown");
    QTest::newRow("multicast") << 1 << QByteArray() << false << true;
    QTest::newRow("multicast, switched on")
        << 1 << QByteArray("[config]\r\nshowhint5=1\r\n") << false << true;
    QTest::newRow("multicast, switched off")
        << 1 << QByteArray("[CONFIG]\r\nShowHint5=0\r\n") << false << false;
    // The hint belongs to this page: it does not come up over the page that follows.
    QTest::newRow("multicast, page left at once") << 1 << QByteArray() << true << false;
    QTest::newRow("netware") << 2 << QByteArray() << false << false;
    QTest::newRow("microsoft") << 3 << QByteArray() << false << false;
}

void TestNicSelectionPage::ethernetHint() {
    QFETCH(int, mode);
    QFETCH(QByteArray, pcbw);
    QFETCH(bool, leaveAtOnce);
    QFETCH(bool, shown);
    GuiFixture f(pcbw);
    HintCatcher watcher;
    show(f, mode);
    auto* timer = page(f)->findChild<QTimer*>(QStringLiteral("HintTimer"));
    QVERIFY(timer);
    QCOMPARE(timer->isActive(), mode == 1);
    QCOMPARE(timer->interval(), 200);
    if (leaveAtOnce)
        QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
    // Past the moment the hint would come up, with events running all along.
    bool past = false;
    QTimer::singleShot(timer->interval() + 100, this, [&past] { past = true; });
    QTRY_VERIFY(past);
    QVERIFY(!timer->isActive());
    QCOMPARE(watcher.seen.size(), shown ? 1 : 0);
    if (shown) {
        QCOMPARE(watcher.seen[0].key, QStringLiteral("ShowHint5"));
        QCOMPARE(watcher.seen[0].lines,
                 (QStringList{QStringLiteral("Multicast mode only works with Ethernet network cards."),
                              QStringLiteral(
                                  "Please note that Multicast will only work if your clients (workstations) "
                                  "are using Ethernet. If you are using another type of NIC (Arcnet, Token "
                                  "Ring, etc.) then you must use Standalone mode."),
                              QString()}));
    }
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TestNicSelectionPage::routes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("back");
    QTest::newRow("multicast") << 1 << int(PageId::ClientLocation);
    QTest::newRow("netware") << 2 << int(PageId::NetWare);
    QTest::newRow("microsoft") << 3 << int(PageId::MicrosoftStandalone);
    QTest::newRow("no network") << 4 << int(PageId::ClientLocation);
}

void TestNicSelectionPage::routes() {
    QFETCH(int, mode);
    QFETCH(int, back);
    GuiFixture f(kQuiet);
    show(f, mode);
    QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
    QVERIFY(!page(f)->isVisible());
    QVERIFY(f.wizard->form(PageId(back))->isVisible());
    f.wizard->form(PageId(back))->hide();

    show(f, mode);
    edit(f, "Edit1")->setText(QStringLiteral("kept"));
    f.cancelToMain(page(f));
    QCOMPARE(f.wizard->collect().text(QStringLiteral("TForm4.Edit1")), QStringLiteral("kept"));
}

QTEST_MAIN(TestNicSelectionPage)
#include "tst_nic_selection_page.moc"
