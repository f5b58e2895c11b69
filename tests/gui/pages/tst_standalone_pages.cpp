#include "gui/pages/wizard_page.h"
#include "gui_fixture.h"
#include "hint_catcher.h"
#include "platform/profile_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString kNosItems[] = {QStringLiteral("Novell Netware 3.12 or higher"),
                             QStringLiteral("Microsoft TCP/IP - Pellacore Client on Server"),
                             QStringLiteral("Microsoft TCP/IP - Pellacore Client on Floppy"),
                             QStringLiteral("No Network (local media pull)")};
const QString kFloppyNote =
    QStringLiteral("Note: Microsoft standalone mode with Pellacore Client on floppy requires two diskettes.");
const QString kLoose = QStringLiteral("You will loose all selections! ");

} // namespace

class TestStandalonePages : public QObject {
    Q_OBJECT
private:
    template <class T = QWidget> static T* nos(GuiFixture& f, const char* name) {
        return f.control<T>(QStringLiteral("TForm9"), QLatin1String(name));
    }
    template <class T = QWidget> static T* nw(GuiFixture& f, const char* name) {
        return f.control<T>(QStringLiteral("TForm21"), QLatin1String(name));
    }
    static WizardPage* page(GuiFixture& f, PageId id) { return f.wizard->form<WizardPage>(id); }
    // Chooses an item the way a user does with the keyboard: Home, then Down as often as needed.
    static void chooseByKeys(QComboBox* combo, int index) {
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
    }
    static QStringList items(QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    static PageId visiblePage(GuiFixture& f) {
        for (PageId id : {PageId::Main, PageId::ClientLocation, PageId::StandaloneParameters, PageId::NetWare,
                          PageId::MicrosoftStandalone, PageId::NicSelection, PageId::Summary})
            if (f.wizard->form(id)->isVisible())
                return id;
        return PageId::Build;
    }

private Q_SLOTS:
    void startState();
    void floppyNote_data();
    void floppyNote();
    void nosNext_data();
    void nosNext();
    void emptyNos();
    void netwareShowSetsBuildMode();
    void netwareVisibility_data();
    void netwareVisibility();
    void frameTypeCheck();
    void loginHint_data();
    void loginHint();
    void hintSwitchedOff();
    void backAndCancel_data();
    void backAndCancel();
    void valuesReachCollect();
    void helpContexts();
};

void TestStandalonePages::startState() {
    GuiFixture f;
    auto* combo = nos<QComboBox>(f, "ComboBox1");
    QVERIFY(combo && !combo->isEditable());
    QCOMPARE(items(combo), QStringList(std::begin(kNosItems), std::end(kNosItems)));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(nos<QLabel>(f, "Label6")->text(), kFloppyNote);
    QVERIFY(nos(f, "Label6")->isHidden());
    QCOMPARE(page(f, PageId::StandaloneParameters)->windowTitle(), QStringLiteral("Standalone Parameters"));
    QStringList texts;
    for (QLabel* l : page(f, PageId::StandaloneParameters)->findChildren<QLabel*>())
        texts << l->text();
    QVERIFY(
        texts.contains(QStringLiteral("When using Client Standalone mode, the network type and protocol on "
                                      "the Client diskette must match that of the server.")));
    QVERIFY(texts.contains(QStringLiteral("Select the server NOS (Network Operating System):")));

    QCOMPARE(page(f, PageId::NetWare)->windowTitle(), QStringLiteral("Novell NetWare Pull Mode Parameters"));
    QCOMPARE(items(nw<QComboBox>(f, "ComboBox1")),
             QStringList({"Ethernet_802.2", "Ethernet_802.3", "Ethernet_II", "Ethernet_SNAP"}));
    QCOMPARE(nw<QComboBox>(f, "ComboBox1")->currentIndex(), 0);
    QCOMPARE(nw<QComboBox>(f, "ComboBox2")->count(), 26);
    QCOMPARE(nw<QComboBox>(f, "ComboBox2")->currentText(), QStringLiteral("F:"));
    QCOMPARE(nw<QComboBox>(f, "ComboBox3")->itemText(25), QStringLiteral("Z:"));
    QCOMPARE(nw<QComboBox>(f, "ComboBox3")->currentText(), QStringLiteral("I:"));
    QCOMPARE(nw<QLineEdit>(f, "Edit1")->text(), QStringLiteral("PELLA"));
    QCOMPARE(nw<QLineEdit>(f, "Edit1")->maxLength(), 15);
    QVERIFY(nw<QLineEdit>(f, "Edit2")->text().endsWith(QStringLiteral("\\Sys\\Images")));
    QVERIFY(nw<QLineEdit>(f, "Edit2")->text().startsWith(QStringLiteral("\\\\")));
    const QList<QPair<const char*, QString>> radios{{"RadioButton1", "Do not login to network"},
                                                    {"RadioButton2", "Login to network."},
                                                    {"RadioButton3", "Do not map network drive"},
                                                    {"RadioButton4", "Map network drive"}};
    for (const auto& [name, caption] : radios)
        QCOMPARE(nw<QRadioButton>(f, name)->text(), caption);
    QVERIFY(nw<QRadioButton>(f, "RadioButton1")->isChecked());
    QVERIFY(nw<QRadioButton>(f, "RadioButton3")->isChecked());
    const QList<QPair<const char*, QString>> labels{
        {"Label6", "Network Login Drive"}, {"Label3", "Login Name"}, {"Label7", "Map"}, {"Label8", "="}};
    for (const auto& [name, text] : labels)
        QCOMPARE(nw<QLabel>(f, name)->text(), text);
    texts.clear();
    for (QLabel* l : page(f, PageId::NetWare)->findChildren<QLabel*>())
        texts << l->text();
    QVERIFY(texts.contains(QStringLiteral("Select the Ethernet Frame Type")));
    QVERIFY(texts.contains(
        QStringLiteral("You can optionally have the client login to the network when it boots.")));
    QVERIFY(
        texts.contains(QStringLiteral("You can optionally have the client map to a network drive where the "
                                      "Pellacore images are stored. ")));
}

void TestStandalonePages::floppyNote_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("note");
    QTest::newRow("Novell") << 0 << false;
    QTest::newRow("Microsoft on server") << 1 << false;
    QTest::newRow("Microsoft on floppy") << 2 << true;
    QTest::newRow("No Network") << 3 << false;
}

void TestStandalonePages::floppyNote() {
    QFETCH(int, index);
    QFETCH(bool, note);
    GuiFixture f;
    f.wizard->setBuildMode(BuildMode::NetWare);
    f.wizard->go(nullptr, PageId::StandaloneParameters);
    // Start from the floppy variant so that hiding the note is tested too.
    chooseByKeys(nos<QComboBox>(f, "ComboBox1"), 2);
    QVERIFY(nos(f, "Label6")->isVisible());
    chooseByKeys(nos<QComboBox>(f, "ComboBox1"), index);
    QCOMPARE(nos(f, "Label6")->isVisible(), note);

    // The rule holds at the next showing, too.
    f.wizard->go(page(f, PageId::StandaloneParameters), PageId::Main);
    f.wizard->go(f.wizard->form(PageId::Main), PageId::StandaloneParameters);
    QCOMPARE(nos(f, "Label6")->isVisible(), note);
}

void TestStandalonePages::nosNext_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("mode");
    QTest::addColumn<PageId>("target");
    QTest::newRow("Novell") << 0 << 2 << PageId::NetWare;
    QTest::newRow("Microsoft on server") << 1 << 3 << PageId::MicrosoftStandalone;
    QTest::newRow("Microsoft on floppy") << 2 << 3 << PageId::MicrosoftStandalone;
    QTest::newRow("No Network") << 3 << 4 << PageId::Summary;
}

void TestStandalonePages::nosNext() {
    QFETCH(int, index);
    QFETCH(int, mode);
    QFETCH(PageId, target);
    GuiFixture f;
    f.wizard->setBuildMode(BuildMode::NetWare);
    f.wizard->go(nullptr, PageId::StandaloneParameters);
    chooseByKeys(nos<QComboBox>(f, "ComboBox1"), index);
    QTest::mouseClick(page(f, PageId::StandaloneParameters)->nextButton(), Qt::LeftButton);
    QCOMPARE(visiblePage(f), target);
    QCOMPARE(BuildModes::number(f.wizard->buildMode()), mode);
    QCOMPARE(f.wizard->chosenNos(), kNosItems[index]);
    QVERIFY(f.dialogs.shown().isEmpty());
}

void TestStandalonePages::emptyNos() {
    GuiFixture f;
    f.wizard->setBuildMode(BuildMode::NetWare);
    nos<QComboBox>(f, "ComboBox1")->setCurrentIndex(-1); // as a configuration saved with no choice loads
    f.wizard->go(nullptr, PageId::StandaloneParameters);
    QTest::mouseClick(page(f, PageId::StandaloneParameters)->nextButton(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("You must specify a NOS.")});
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Warning);
    QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    QCOMPARE(visiblePage(f), PageId::StandaloneParameters);
    QCOMPARE(f.wizard->buildMode(), BuildMode::NetWare);
}

void TestStandalonePages::netwareShowSetsBuildMode() {
    GuiFixture f;
    // A jump from the summary, or a configuration loaded after the Microsoft route, brings it in
    // with another mode.
    for (int mode : {1, 3, 4}) {
        f.wizard->setBuildMode(BuildMode(mode));
        f.wizard->go(nullptr, PageId::NetWare);
        QCOMPARE(f.wizard->buildMode(), BuildMode::NetWare);
        page(f, PageId::NetWare)->hide();
    }
}

void TestStandalonePages::netwareVisibility_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("login");
    QTest::addColumn<bool>("map");
    QTest::newRow("neither") << QStringList() << false << false;
    QTest::newRow("login") << QStringList{"RadioButton2"} << true << false;
    QTest::newRow("map only") << QStringList{"RadioButton4"} << false << true;
    QTest::newRow("both") << QStringList{"RadioButton4", "RadioButton2"} << true << true;
    QTest::newRow("login undone") << QStringList{"RadioButton2", "RadioButton4", "RadioButton1"} << false
                                  << true;
    QTest::newRow("map undone") << QStringList{"RadioButton4", "RadioButton2", "RadioButton3"} << true
                                << false;
}

void TestStandalonePages::netwareVisibility() {
    QFETCH(QStringList, clicks);
    QFETCH(bool, login);
    QFETCH(bool, map);
    GuiFixture f;
    f.wizard->go(nullptr, PageId::NetWare);
    for (const QString& name : clicks)
        clickChoice(nw(f, name.toLatin1().constData()));
    for (const char* name : {"Label6", "Label3", "ComboBox2", "Edit1"})
        QVERIFY2(nw(f, name)->isVisible() == login, name);
    for (const char* name : {"Label7", "ComboBox3", "Label8", "Edit2"})
        QVERIFY2(nw(f, name)->isVisible() == map, name);
    // The two pairs do not exclude each other.
    QCOMPARE(nw<QRadioButton>(f, "RadioButton2")->isChecked(), login);
    QCOMPARE(nw<QRadioButton>(f, "RadioButton4")->isChecked(), map);
    QCOMPARE(nw<QRadioButton>(f, "RadioButton1")->isChecked(), !login);
    QCOMPARE(nw<QRadioButton>(f, "RadioButton3")->isChecked(), !map);
}

void TestStandalonePages::frameTypeCheck() {
    GuiFixture f;
    f.wizard->go(nullptr, PageId::NetWare);
    clickChoice(nw(f, "RadioButton2"));
    nw<QComboBox>(f, "ComboBox1")->setCurrentIndex(-1);
    HintCatcher hints;
    QTest::mouseClick(page(f, PageId::NetWare)->nextButton(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("You must specify a Frame Type.")});
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Warning);
    QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    QVERIFY(hints.seen.isEmpty());
    QCOMPARE(visiblePage(f), PageId::NetWare);
}

void TestStandalonePages::loginHint_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("typed"); // replaces the login name when not null
    QTest::addColumn<QString>("quoted");
    QTest::newRow("neither") << QStringList() << QString() << QString();
    QTest::newRow("login") << QStringList{"RadioButton2"} << QString() << QStringLiteral("PELLA");
    // Mapping needs the login, so the hint comes even though the login controls stay hidden.
    QTest::newRow("map only") << QStringList{"RadioButton4"} << QString() << QStringLiteral("PELLA");
    QTest::newRow("trailing blanks") << QStringList{"RadioButton2", "RadioButton4"}
                                     << QStringLiteral(" IMG USER  ") << QStringLiteral(" IMG USER");
}

void TestStandalonePages::loginHint() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, typed);
    QFETCH(QString, quoted);
    GuiFixture f;
    f.wizard->setBuildMode(BuildMode::NetWare);
    f.wizard->go(nullptr, PageId::NetWare);
    for (const QString& name : clicks)
        clickChoice(nw(f, name.toLatin1().constData()));
    if (!typed.isNull()) {
        auto* edit = nw<QLineEdit>(f, "Edit1");
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
    }
    HintCatcher hints;
    QTest::mouseClick(page(f, PageId::NetWare)->nextButton(), Qt::LeftButton);
    if (quoted.isNull()) {
        QVERIFY(hints.seen.isEmpty());
    } else {
        QCOMPARE(hints.seen.size(), 1);
        QCOMPARE(hints.seen[0].key, QStringLiteral("ShowHint2"));
        QCOMPARE(
            hints.seen[0].lines,
            QStringList({QStringLiteral("On your network, create a login under \"") + quoted +
                             QStringLiteral("\" with rights to the directory where Pellacore images will "
                                            "be stored.  Do not specify a password for this login."),
                         QString(), QString()}));
    }
    QVERIFY(f.dialogs.shown().isEmpty());
    QCOMPARE(visiblePage(f), PageId::NicSelection);
    QCOMPARE(f.wizard->buildMode(), BuildMode::NetWare);
}

void TestStandalonePages::hintSwitchedOff() {
    {
        GuiFixture f(QByteArray("[CONFIG]\r\nShowHint2=0\r\n"));
        f.wizard->go(nullptr, PageId::NetWare);
        clickChoice(nw(f, "RadioButton2"));
        HintCatcher hints;
        QTest::mouseClick(page(f, PageId::NetWare)->nextButton(), Qt::LeftButton);
        QVERIFY(hints.seen.isEmpty());
        QCOMPARE(visiblePage(f), PageId::NicSelection);
    }

    // Ticking "Don't show this message again." on a shown hint switches it off for the next pass.
    GuiFixture g;
    g.wizard->go(nullptr, PageId::NetWare);
    clickChoice(g.control(QStringLiteral("TForm21"), QStringLiteral("RadioButton4")));
    {
        HintCatcher ticking(true);
        QTest::mouseClick(page(g, PageId::NetWare)->nextButton(), Qt::LeftButton);
        QCOMPARE(ticking.seen.size(), 1);
    }
    QCOMPARE(ProfileFile(g.path(QStringLiteral("PCBW.INI")))
                 .readString(QStringLiteral("CONFIG"), QStringLiteral("ShowHint2"), QString()),
             QStringLiteral("0"));
    g.wizard->go(g.wizard->form(PageId::NicSelection), PageId::NetWare);
    HintCatcher again;
    QTest::mouseClick(page(g, PageId::NetWare)->nextButton(), Qt::LeftButton);
    QVERIFY(again.seen.isEmpty());
    QCOMPARE(visiblePage(g), PageId::NicSelection);
}

void TestStandalonePages::backAndCancel_data() {
    QTest::addColumn<PageId>("from");
    QTest::newRow("Standalone Parameters") << PageId::StandaloneParameters;
    QTest::newRow("NetWare") << PageId::NetWare;
}

void TestStandalonePages::backAndCancel() {
    QFETCH(PageId, from);
    GuiFixture f;
    f.wizard->setBuildMode(BuildMode::NetWare);
    f.wizard->go(nullptr, from);
    nw<QLineEdit>(f, "Edit1")->setText(QStringLiteral("KEPT"));
    chooseByKeys(nos<QComboBox>(f, "ComboBox1"), 3);

    f.dialogs.answer(Dialogs::Button::Cancel);
    QTest::mouseClick(page(f, from)->cancelButton(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList{kLoose});
    QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Information);
    QCOMPARE(visiblePage(f), from);

    QTest::mouseClick(page(f, from)->cancelButton(), Qt::LeftButton);
    QCOMPARE(f.dialogs.texts(), QStringList({kLoose, kLoose}));
    QCOMPARE(visiblePage(f), PageId::Main);
    // Nothing is reset, whatever the question says.
    QCOMPARE(nw<QLineEdit>(f, "Edit1")->text(), QStringLiteral("KEPT"));
    QCOMPARE(nos<QComboBox>(f, "ComboBox1")->currentIndex(), 3);

    f.wizard->go(f.wizard->form(PageId::Main), from);
    QTest::mouseClick(page(f, from)->backButton(), Qt::LeftButton);
    QCOMPARE(visiblePage(f), from == PageId::NetWare ? PageId::StandaloneParameters : PageId::ClientLocation);
}

void TestStandalonePages::valuesReachCollect() {
    GuiFixture f;
    f.wizard->setBuildMode(BuildMode::NetWare);
    f.wizard->go(nullptr, PageId::StandaloneParameters);
    chooseByKeys(nos<QComboBox>(f, "ComboBox1"), 0);
    QTest::mouseClick(page(f, PageId::StandaloneParameters)->nextButton(), Qt::LeftButton);
    QCOMPARE(visiblePage(f), PageId::NetWare);

    chooseByKeys(nw<QComboBox>(f, "ComboBox1"), 2);
    clickChoice(nw(f, "RadioButton2"));
    clickChoice(nw(f, "RadioButton4"));
    chooseByKeys(nw<QComboBox>(f, "ComboBox2"), 6);
    chooseByKeys(nw<QComboBox>(f, "ComboBox3"), 9);
    auto* login = nw<QLineEdit>(f, "Edit1");
    login->selectAll();
    QTest::keyClicks(login, QStringLiteral("ABCDEFGHIJKLMNOPQRST")); // longer than the field takes
    auto* path = nw<QLineEdit>(f, "Edit2");
    path->selectAll();
    QTest::keyClicks(path, QStringLiteral("\\\\NW1\\VOL1\\IMG"));
    HintCatcher hints;
    QTest::mouseClick(page(f, PageId::NetWare)->nextButton(), Qt::LeftButton);
    QCOMPARE(visiblePage(f), PageId::NicSelection);

    const BuildSettings s = f.wizard->collect();
    QCOMPARE(s.buildMode(), BuildMode::NetWare);
    QCOMPARE(s.index(QStringLiteral("TForm9.ComboBox1")), 0);
    QCOMPARE(s.itemText(QStringLiteral("TForm21.ComboBox1")), QStringLiteral("Ethernet_II"));
    QVERIFY(s.isChecked(QStringLiteral("TForm21.RadioButton2")));
    QVERIFY(!s.isChecked(QStringLiteral("TForm21.RadioButton1")));
    QVERIFY(s.isChecked(QStringLiteral("TForm21.RadioButton4")));
    QVERIFY(!s.isChecked(QStringLiteral("TForm21.RadioButton3")));
    QCOMPARE(s.itemText(QStringLiteral("TForm21.ComboBox2")), QStringLiteral("G:"));
    QCOMPARE(s.itemText(QStringLiteral("TForm21.ComboBox3")), QStringLiteral("J:"));
    QCOMPARE(s.text(QStringLiteral("TForm21.Edit1")), QStringLiteral("ABCDEFGHIJKLMNO"));
    QCOMPARE(s.text(QStringLiteral("TForm21.Edit2")), QStringLiteral("\\\\NW1\\VOL1\\IMG"));

    // A loaded configuration sets the controls, and the visibility follows at the next showing.
    BuildSettings loaded;
    loaded.setBuildMode(BuildMode::NetWare);
    f.wizard->apply(loaded);
    f.wizard->go(f.wizard->form(PageId::NicSelection), PageId::NetWare);
    QVERIFY(!nw(f, "Edit1")->isVisible());
    QVERIFY(!nw(f, "Edit2")->isVisible());
    QCOMPARE(f.wizard->collect().value(QStringLiteral("TForm21.Edit1")), QStringLiteral("PELLA"));
}

void TestStandalonePages::helpContexts() {
    GuiFixture f;
    for (PageId id : {PageId::StandaloneParameters, PageId::NetWare}) {
        f.wizard->go(nullptr, id);
        QTest::keyClick(page(f, id), Qt::Key_F1);
        page(f, id)->hide();
    }
    QCOMPARE(f.help.calls, QStringList({QStringLiteral("context:611"), QStringLiteral("context:612")}));
}

QTEST_MAIN(TestStandalonePages)
#include "tst_standalone_pages.moc"
