#include "gui/pages/wizard_page.h"
#include "gui_fixture.h"
#include "platform/profile_file.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kQuestion =
    QStringLiteral("You have specified a diskette drive. The Pellacore Client must reside on a "
                   "fixed disk.  Would you like to copy it now?");
// The next page's hint would wait for a click.
const QByteArray kQuiet = "[CONFIG]\r\nShowHint5=0\r\n";
const QByteArray kClientBytes = QByteArray("MZ client program ") + QByteArray(50000, 'x');

QString storedClient(const GuiFixture& f) {
    return ProfileFile(f.path(QStringLiteral("PCBW.INI")))
        .readString(QStringLiteral("Locations"), QStringLiteral("Client"), QStringLiteral("<none>"));
}

} // namespace

class TestClientLocationPage : public QObject {
    Q_OBJECT
private:
    static QWidget* page(const GuiFixture& f) { return f.wizard->form(PageId::ClientLocation); }
    static QLineEdit* edit1(const GuiFixture& f) {
        return f.control<QLineEdit>(QStringLiteral("TForm11"), QStringLiteral("Edit1"));
    }
    static void show(GuiFixture& f, int mode = 1) {
        f.wizard->setBuildMode(BuildMode(mode));
        f.wizard->go(nullptr, PageId::ClientLocation);
    }
    static void clickNext(GuiFixture& f) {
        QTest::mouseClick(f.wizard->form<WizardPage>(PageId::ClientLocation)->nextButton(), Qt::LeftButton);
    }

private Q_SLOTS:
    void showTakesStoredLocation_data();
    void showTakesStoredLocation();
    void browse();
    void nextChecks_data();
    void nextChecks();
    void disketteCopyOffer_data();
    void disketteCopyOffer();
    void shortWriteIsReportedAndLocationKept();
    void refusedPreferencesWriteIsReported();
    void backAndCancel();
};

void TestClientLocationPage::showTakesStoredLocation_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no file") << QByteArray() << QString() << QString();
    QTest::newRow("XXX means none") << QByteArray("[LOCATIONS]\r\nClient=XXX\r\n") << QString() << QString();
    // A location whose file is gone is still offered; Next reports it.
    QTest::newRow("stored") << QByteArray("[Locations]\r\nclient=/gone/CLIENT.EXE\r\n") << QString()
                            << QStringLiteral("/gone/CLIENT.EXE");
    QTest::newRow("field kept") << QByteArray("[Locations]\r\nClient=/x/CLIENT.EXE\r\n")
                                << QStringLiteral("mine") << QStringLiteral("mine");
}

void TestClientLocationPage::showTakesStoredLocation() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    GuiFixture f(ini);
    edit1(f)->setText(typed);
    show(f);
    QCOMPARE(edit1(f)->text(), expected);
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TestClientLocationPage::browse() {
    GuiFixture f;
    show(f);
    f.dialogs.answerFile(QStringLiteral("/opt/pella/client.exe"));
    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("TForm11"), QStringLiteral("Button4")),
                      Qt::LeftButton);
    QCOMPARE(edit1(f)->text(), QStringLiteral("/opt/pella/client.exe"));
    QCOMPARE(f.dialogs.fileRequests().size(), 1);
    const ScriptedDialogs::FileRequest request = f.dialogs.fileRequests().first();
    QVERIFY(!request.save);
    QCOMPARE(request.filter, QStringLiteral("Pellacore Client|Client.EXE|All Files|*.*"));
    QCOMPARE(request.suggestedName, QStringLiteral("CLIENT.EXE"));

    // Cancelled: the field keeps the location it had.
    QTest::mouseClick(f.control<QPushButton>(QStringLiteral("TForm11"), QStringLiteral("Button4")),
                      Qt::LeftButton);
    QCOMPARE(edit1(f)->text(), QStringLiteral("/opt/pella/client.exe"));
}

void TestClientLocationPage::nextChecks_data() {
    QTest::addColumn<QString>("location"); // "@" stands for the test's directory
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("target");
    QTest::newRow("empty") << QString() << 1
                           << QStringLiteral("You must specify the Pellacore Client location.")
                           << QStringLiteral("TForm11");
    QTest::newRow("missing") << QStringLiteral("@/nothere/CLIENT.EXE") << 1
                             << QStringLiteral(
                                    "The Pellacore Client could not be found in the specified location.")
                             << QStringLiteral("TForm11");
    QTest::newRow("directory is no file")
        << QStringLiteral("@/prog") << 1
        << QStringLiteral("The Pellacore Client could not be found in the specified location.")
        << QStringLiteral("TForm11");
    QTest::newRow("unmapped drive")
        << QStringLiteral("Q:\\CLIENT.EXE") << 1
        << QStringLiteral("The Pellacore Client could not be found in the specified location.")
        << QStringLiteral("TForm11");
    // Names match without regard to case, as on the diskette's own system.
    QTest::newRow("multicast") << QStringLiteral("@/PROG/CLIENT.EXE") << 1 << QString()
                               << QStringLiteral("TForm4");
    QTest::newRow("standalone") << QStringLiteral("@/prog/client.exe") << 2 << QString()
                                << QStringLiteral("TForm9");
}

void TestClientLocationPage::nextChecks() {
    QFETCH(QString, location);
    QFETCH(int, mode);
    QFETCH(QString, message);
    QFETCH(QString, target);
    GuiFixture f(kQuiet);
    TestEnv::writeHostFile(f.path(QStringLiteral("prog/client.exe")), kClientBytes);
    location.replace(QLatin1Char('@'), f.dir.path());
    show(f, mode);
    edit1(f)->setText(location);
    clickNext(f);

    if (message.isEmpty()) {
        QVERIFY(f.dialogs.shown().isEmpty());
        QCOMPARE(storedClient(f), location);
    } else {
        QCOMPARE(f.dialogs.texts(), QStringList{message});
        QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Warning);
        QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
        QCOMPARE(storedClient(f), QStringLiteral("<none>"));
    }
    QCOMPARE(edit1(f)->text(), location);
    for (PageId id : {PageId::ClientLocation, PageId::NicSelection, PageId::StandaloneParameters}) {
        QWidget* form = f.wizard->form(id);
        QCOMPARE(form->isVisible(), form->objectName() == target);
    }
}

void TestClientLocationPage::disketteCopyOffer_data() {
    QTest::addColumn<QList<int>>("answers"); // Dialogs::Button values
    QTest::addColumn<QString>("saveAs");     // "@" stands for the test's directory; empty: cancelled
    QTest::addColumn<bool>("moves");
    QTest::addColumn<QString>("field"); // Edit1 afterwards ("B" for the diskette path)
    QTest::addColumn<bool>("copied");
    QTest::newRow("yes, target") << QList<int>{int(Dialogs::Button::Yes)}
                                 << QStringLiteral("@/fixed/CLIENT.EXE") << true
                                 << QStringLiteral("@/fixed/CLIENT.EXE") << true;
    QTest::newRow("yes, name without type")
        << QList<int>{int(Dialogs::Button::Yes)} << QStringLiteral("@/fixed/pella") << true
        << QStringLiteral("@/fixed/pella.EXE") << true;
    QTest::newRow("yes, dialog cancelled")
        << QList<int>{int(Dialogs::Button::Yes)} << QString() << true << QStringLiteral("B") << false;
    // A target that cannot be created is not reported; the field names it all the same.
    QTest::newRow("yes, target not creatable")
        << QList<int>{int(Dialogs::Button::Yes)} << QStringLiteral("@/no/such/dir/CLIENT.EXE") << true
        << QStringLiteral("@/no/such/dir/CLIENT.EXE") << false;
    QTest::newRow("no") << QList<int>{int(Dialogs::Button::No)} << QString() << false << QStringLiteral("B")
                        << false;
    QTest::newRow("cancel") << QList<int>{int(Dialogs::Button::Cancel)} << QString() << false
                            << QStringLiteral("B") << false;
}

void TestClientLocationPage::disketteCopyOffer() {
    QFETCH(QList<int>, answers);
    QFETCH(QString, saveAs);
    QFETCH(bool, moves);
    QFETCH(QString, field);
    QFETCH(bool, copied);
    GuiFixture f(kQuiet + "[DRIVES]\r\nB=floppyB\r\n");
    TestEnv::writeHostFile(f.path(QStringLiteral("floppyB/client.exe")), kClientBytes);
    QDir(f.dir.path()).mkdir(QStringLiteral("fixed"));
    const QString diskettePath = QStringLiteral("b:\\CLIENT.EXE");
    saveAs.replace(QLatin1Char('@'), f.dir.path());
    field = field == QLatin1String("B") ? diskettePath : field.replace(QLatin1Char('@'), f.dir.path());
    for (int a : answers)
        f.dialogs.answer(Dialogs::Button(a));
    f.dialogs.answerFile(saveAs);

    show(f);
    edit1(f)->setText(diskettePath);
    clickNext(f);

    QCOMPARE(f.dialogs.texts(), QStringList{kQuestion});
    QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::YesNoCancel);
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Information);
    QCOMPARE(edit1(f)->text(), field);
    QCOMPARE(page(f)->isVisible(), !moves);
    QCOMPARE(f.wizard->form(PageId::NicSelection)->isVisible(), moves);
    QCOMPARE(storedClient(f), moves ? field : QStringLiteral("<none>"));
    if (answers.first() == int(Dialogs::Button::Yes)) {
        const ScriptedDialogs::FileRequest request = f.dialogs.fileRequests().value(0);
        QVERIFY(request.save);
        QCOMPARE(request.filter, QStringLiteral("Program Files|*.EXE"));
        QCOMPARE(request.initialDir, f.dir.path());
        QCOMPARE(request.suggestedName, QStringLiteral("CLIENT.EXE"));
    } else {
        QVERIFY(f.dialogs.fileRequests().isEmpty());
    }
    if (copied)
        QCOMPARE(TestEnv::readHostFile(field), kClientBytes);
}

void TestClientLocationPage::shortWriteIsReportedAndLocationKept() {
    // A: is a fresh diskette image with too little room for the client program.
    GuiFixture f(kQuiet + "[DRIVES]\r\nB=floppyB\r\n");
    QVERIFY(TestEnv::makeBlankImage(f.path(QStringLiteral("A.img"))));
    TestEnv::writeHostFile(f.path(QStringLiteral("floppyB/CLIENT.EXE")),
                           QByteArray(qsizetype(1600) * 1024, 'c'));
    f.dialogs.answerFile(QStringLiteral("A:\\CLIENT.EXE"));
    show(f);
    edit1(f)->setText(QStringLiteral("B:\\CLIENT.EXE"));
    clickNext(f);

    QCOMPARE(f.dialogs.texts(),
             (QStringList{kQuestion, QStringLiteral("A:\\CLIENT.EXE File write error! ")}));
    QCOMPARE(f.dialogs.shown().at(1).buttons, Dialogs::Buttons::Ok);
    QCOMPARE(edit1(f)->text(), QStringLiteral("B:\\CLIENT.EXE"));
    QCOMPARE(storedClient(f), QStringLiteral("B:\\CLIENT.EXE"));
    QVERIFY(f.wizard->form(PageId::NicSelection)->isVisible());
    QVERIFY(TestEnv::fsckClean(f.path(QStringLiteral("A.img"))));
}

void TestClientLocationPage::refusedPreferencesWriteIsReported() {
    GuiFixture f;
    TestEnv::writeHostFile(f.path(QStringLiteral("client.exe")), kClientBytes);
    show(f);
    edit1(f)->setText(f.path(QStringLiteral("client.exe")));
    // Every write of PCBW.INI is refused at the last moment.
    ProfileFile::setCommitHookForTesting([](const QString&) { throw std::runtime_error("disk full"); });
    clickNext(f);
    ProfileFile::setCommitHookForTesting(nullptr);
    QCOMPARE(f.dialogs.texts(),
             QStringList{QStringLiteral("Unable to write to ") + f.path(QStringLiteral("PCBW.INI")) +
                         "\nCannot write " + f.path(QStringLiteral("PCBW.INI")) + ": disk full"});
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Error);
    // The stored location only saves typing: the wizard goes on.
    QVERIFY(f.wizard->form(PageId::NicSelection)->isVisible());
}

void TestClientLocationPage::backAndCancel() {
    GuiFixture f;
    auto* form = f.wizard->form<WizardPage>(PageId::ClientLocation);
    show(f);
    edit1(f)->setText(QStringLiteral("kept"));
    QTest::mouseClick(form->backButton(), Qt::LeftButton);
    QVERIFY(f.wizard->form(PageId::Main)->isVisible());
    QVERIFY(!form->isVisible());

    show(f);
    f.cancelToMain(form);
    QCOMPARE(edit1(f)->text(), QStringLiteral("kept"));
    QCOMPARE(f.wizard->collect().text(QStringLiteral("TForm11.Edit1")), QStringLiteral("kept"));
}

QTEST_MAIN(TestClientLocationPage)
#include "tst_client_location_page.moc"
