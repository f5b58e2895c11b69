#include "gui/pages/wizard_page.h"
#include "gui_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
// The Multicast client page's hint would wait for a click.
const QByteArray kQuiet = "[CONFIG]\r\nShowHint4=0\r\n";
} // namespace

class TestNicParametersPage : public QObject {
    Q_OBJECT
private:
    static WizardPage* page(const GuiFixture& f) { return f.wizard->form<WizardPage>(PageId::NicParameters); }
    template <class T> static T* control(const GuiFixture& f, const char* name) {
        return f.control<T>(QStringLiteral("TForm7"), QString::fromLatin1(name));
    }
    static void show(GuiFixture& f, int mode = 1) {
        f.wizard->setBuildMode(BuildMode(mode));
        f.wizard->go(nullptr, PageId::NicParameters);
    }
    // Which of the hardware controls the user can see.
    static QList<bool> hardwareShown(const GuiFixture& f) {
        QList<bool> out;
        for (const char* name : {"Label1", "Label2", "Label3", "ComboBox1", "ComboBox2"})
            out << control<QWidget>(f, name)->isVisible();
        return out;
    }

private Q_SLOTS:
    void startValues();
    void hardwareVisibleOnlyWhenNotPlugAndPlay();
    void nextCheck_data();
    void nextCheck();
    void routes();
};

void TestNicParametersPage::startValues() {
    GuiFixture f;
    QCOMPARE(page(f)->windowTitle(), QStringLiteral("NIC Parameters"));
    QCOMPARE(control<QRadioButton>(f, "RadioButton1")->text(),
             QStringLiteral("Client NIC and System are Plug-N-Play"));
    QCOMPARE(control<QRadioButton>(f, "RadioButton2")->text(),
             QStringLiteral("Client NIC or System are not Plug-N-Play"));
    QCOMPARE(control<QLabel>(f, "Label1")->text(),
             QStringLiteral(
                 "If the Client NIC or System are not Plug-N-Play then you will need to select the IRQ and "
                 "Base I/O Address of the destination client NIC."));
    QCOMPARE(control<QLabel>(f, "Label2")->text(), QStringLiteral("Client NIC IRQ:"));
    QCOMPARE(control<QLabel>(f, "Label3")->text(), QStringLiteral("Client NIC Base I/O Address:"));
    auto* irq = control<QComboBox>(f, "ComboBox1");
    QVERIFY(!irq->isEditable());
    QCOMPARE(irq->count(), 16);
    QCOMPARE(irq->itemText(0), QStringLiteral("0"));
    QCOMPARE(irq->itemText(15), QStringLiteral("15"));
    QCOMPARE(irq->currentText(), QStringLiteral("5"));
    auto* port = control<QComboBox>(f, "ComboBox2");
    QVERIFY(port->isEditable());
    QStringList items;
    for (int i = 0; i < port->count(); ++i)
        items << port->itemText(i);
    QCOMPARE(items, (QStringList{"220", "240", "260", "300", "320", "340", "360"}));
    QCOMPARE(port->currentText(), QStringLiteral("300"));
    const BuildSettings s = f.wizard->collect();
    QCOMPARE(s.value(QStringLiteral("TForm7.RadioButton1")), QStringLiteral("1"));
    QCOMPARE(s.value(QStringLiteral("TForm7.RadioButton2")), QStringLiteral("0"));
    QCOMPARE(s.value(QStringLiteral("TForm7.ComboBox1")), QStringLiteral("5"));
    QCOMPARE(s.value(QStringLiteral("TForm7.ComboBox2")), QStringLiteral("300"));
}

void TestNicParametersPage::hardwareVisibleOnlyWhenNotPlugAndPlay() {
    GuiFixture f;
    const QList<bool> none(5, false);
    const QList<bool> all(5, true);
    show(f);
    QCOMPARE(hardwareShown(f), none);
    clickChoice(control<QRadioButton>(f, "RadioButton2"));
    QCOMPARE(hardwareShown(f), all);
    clickChoice(control<QRadioButton>(f, "RadioButton1"));
    QCOMPARE(hardwareShown(f), none);
    QVERIFY(control<QRadioButton>(f, "RadioButton1")->isChecked());

    // A loaded configuration counts from the next showing.
    page(f)->hide();
    BuildSettings loaded = f.wizard->collect();
    loaded.setChecked(QStringLiteral("TForm7.RadioButton2"), true);
    f.wizard->apply(loaded);
    show(f);
    QCOMPARE(hardwareShown(f), all);
    QVERIFY(!control<QRadioButton>(f, "RadioButton1")->isChecked());
}

void TestNicParametersPage::nextCheck_data() {
    QTest::addColumn<bool>("plugAndPlay");
    QTest::addColumn<int>("irq");
    QTest::addColumn<bool>("clearPort");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("target");
    QTest::newRow("plug and play, port cleared") << true << 5 << true << 1 << int(PageId::NicParameters);
    QTest::newRow("not plug and play, port cleared") << false << 5 << true << 1 << int(PageId::NicParameters);
    QTest::newRow("no IRQ chosen") << false << -1 << false << 1 << int(PageId::NicParameters);
    QTest::newRow("multicast") << false << 10 << false << 1 << int(PageId::MulticastClient);
    QTest::newRow("netware") << true << 5 << false << 2 << int(PageId::Summary);
    QTest::newRow("microsoft") << true << 5 << false << 3 << int(PageId::Summary);
}

void TestNicParametersPage::nextCheck() {
    QFETCH(bool, plugAndPlay);
    QFETCH(int, irq);
    QFETCH(bool, clearPort);
    QFETCH(int, mode);
    QFETCH(int, target);
    GuiFixture f(kQuiet);
    show(f, mode);
    clickChoice(control<QRadioButton>(f, plugAndPlay ? "RadioButton1" : "RadioButton2"));
    control<QComboBox>(f, "ComboBox1")->setCurrentIndex(irq);
    if (clearPort) {
        QVERIFY(QTest::qWaitForWindowActive(page(f)));
        QLineEdit* portText = control<QComboBox>(f, "ComboBox2")->lineEdit();
        portText->setFocus();
        portText->selectAll();
        QTest::keyClick(portText, Qt::Key_Backspace);
        QCOMPARE(control<QComboBox>(f, "ComboBox2")->currentText(), QString());
    }
    QTest::mouseClick(page(f)->nextButton(), Qt::LeftButton);

    const bool stays = PageId(target) == PageId::NicParameters;
    if (stays) {
        QCOMPARE(f.dialogs.texts(),
                 QStringList{QStringLiteral("You must specify a valid IRQ and Port Address.")});
        QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Error);
        QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    } else {
        QVERIFY(f.dialogs.shown().isEmpty());
    }
    QCOMPARE(page(f)->isVisible(), stays);
    QVERIFY(f.wizard->form(PageId(target))->isVisible());
}

void TestNicParametersPage::routes() {
    GuiFixture f;
    show(f);
    QTest::mouseClick(page(f)->backButton(), Qt::LeftButton);
    QVERIFY(!page(f)->isVisible());
    QVERIFY(f.wizard->form(PageId::NicSelection)->isVisible());
    f.wizard->form(PageId::NicSelection)->hide();

    show(f);
    clickChoice(control<QRadioButton>(f, "RadioButton2"));
    f.cancelToMain(page(f));
    QCOMPARE(f.wizard->collect().value(QStringLiteral("TForm7.RadioButton2")), QStringLiteral("1"));
}

QTEST_MAIN(TestNicParametersPage)
#include "tst_nic_parameters_page.moc"
