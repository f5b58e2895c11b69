#include "gui/pages/nic_parameters_page.h"
#include "gui_fixture.h"
#include "page_host_double.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The page alone, over a PageHostDouble: where its buttons lead is the wizard's route, which
// tst_wizard_flow and the route tests check; here only that the page asks for it.
struct NicParametersFixture {
    PageHostDouble host;
    NicParametersPage page{host};

    NicParametersFixture() { host.serve(&page); }
    template <class T> T* control(const char* name) { return page.findChild<T*>(QString::fromLatin1(name)); }
    void show(int mode = 1) {
        host.setBuildMode(BuildMode(mode));
        host.go(nullptr, PageId::NicParameters);
    }
    // Which of the hardware controls the user can see.
    QList<bool> hardwareShown() {
        QList<bool> out;
        for (const char* name : {"Label1", "Label2", "Label3", "ComboBox1", "ComboBox2"})
            out << control<QWidget>(name)->isVisible();
        return out;
    }
};

class TestNicParametersPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startValues();
    void hardwareVisibleOnlyWhenNotPlugAndPlay();
    void nextCheck_data();
    void nextCheck();
    void routes();
};

void TestNicParametersPage::startValues() {
    NicParametersFixture f;
    QCOMPARE(f.page.objectName(), QStringLiteral("TForm7"));
    QCOMPARE(f.page.windowTitle(), QStringLiteral("NIC Parameters"));
    QCOMPARE(f.control<QRadioButton>("RadioButton1")->text(),
             QStringLiteral("Client NIC and System are Plug-N-Play"));
    QCOMPARE(f.control<QRadioButton>("RadioButton2")->text(),
             QStringLiteral("Client NIC or System are not Plug-N-Play"));
    QCOMPARE(f.control<QLabel>("Label1")->text(),
             QStringLiteral(
                 "If the Client NIC or System are not Plug-N-Play then you will need to select the IRQ and "
                 "Base I/O Address of the destination client NIC."));
    QCOMPARE(f.control<QLabel>("Label2")->text(), QStringLiteral("Client NIC IRQ:"));
    QCOMPARE(f.control<QLabel>("Label3")->text(), QStringLiteral("Client NIC Base I/O Address:"));
    auto* irq = f.control<QComboBox>("ComboBox1");
    QVERIFY(!irq->isEditable());
    QCOMPARE(irq->count(), 16);
    QCOMPARE(irq->itemText(0), QStringLiteral("0"));
    QCOMPARE(irq->itemText(15), QStringLiteral("15"));
    QCOMPARE(irq->currentText(), QStringLiteral("5"));
    auto* port = f.control<QComboBox>("ComboBox2");
    QVERIFY(port->isEditable());
    QStringList items;
    for (int i = 0; i < port->count(); ++i)
        items << port->itemText(i);
    QCOMPARE(items, (QStringList{"220", "240", "260", "300", "320", "340", "360"}));
    QCOMPARE(port->currentText(), QStringLiteral("300"));
    const BuildSettings s = f.host.collect();
    QCOMPARE(s.value(QStringLiteral("TForm7.RadioButton1")), QStringLiteral("1"));
    QCOMPARE(s.value(QStringLiteral("TForm7.RadioButton2")), QStringLiteral("0"));
    QCOMPARE(s.value(QStringLiteral("TForm7.ComboBox1")), QStringLiteral("5"));
    QCOMPARE(s.value(QStringLiteral("TForm7.ComboBox2")), QStringLiteral("300"));
}

void TestNicParametersPage::hardwareVisibleOnlyWhenNotPlugAndPlay() {
    NicParametersFixture f;
    const QList<bool> none(5, false);
    const QList<bool> all(5, true);
    f.show();
    QCOMPARE(f.hardwareShown(), none);
    clickChoice(f.control<QRadioButton>("RadioButton2"));
    QCOMPARE(f.hardwareShown(), all);
    clickChoice(f.control<QRadioButton>("RadioButton1"));
    QCOMPARE(f.hardwareShown(), none);
    QVERIFY(f.control<QRadioButton>("RadioButton1")->isChecked());

    // A loaded configuration counts from the next showing.
    f.page.hide();
    BuildSettings loaded = f.host.collect();
    loaded.setChecked(QStringLiteral("TForm7.RadioButton2"), true);
    f.host.apply(loaded);
    f.show();
    QCOMPARE(f.hardwareShown(), all);
    QVERIFY(!f.control<QRadioButton>("RadioButton1")->isChecked());
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
    NicParametersFixture f;
    f.show(mode);
    clickChoice(f.control<QRadioButton>(plugAndPlay ? "RadioButton1" : "RadioButton2"));
    f.control<QComboBox>("ComboBox1")->setCurrentIndex(irq);
    if (clearPort) {
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        QLineEdit* portText = f.control<QComboBox>("ComboBox2")->lineEdit();
        portText->setFocus();
        portText->selectAll();
        QTest::keyClick(portText, Qt::Key_Backspace);
        QCOMPARE(f.control<QComboBox>("ComboBox2")->currentText(), QString());
    }
    QTest::mouseClick(f.page.nextButton(), Qt::LeftButton);

    const bool stays = PageId(target) == PageId::NicParameters;
    if (stays) {
        QCOMPARE(f.host.scripted.texts(),
                 QStringList{QStringLiteral("You must specify a valid IRQ and Port Address.")});
        QCOMPARE(f.host.scripted.shown().first().icon, Dialogs::Icon::Error);
        QCOMPARE(f.host.scripted.shown().first().buttons, Dialogs::Buttons::Ok);
    } else {
        QVERIFY(f.host.scripted.shown().isEmpty());
    }
    QCOMPARE(f.page.isVisible(), stays);
    QCOMPARE(f.host.moves.last(), stays ? PageId::NicParameters : PageId(target));
}

void TestNicParametersPage::routes() {
    NicParametersFixture f;
    f.show();
    QTest::mouseClick(f.page.backButton(), Qt::LeftButton);
    QVERIFY(!f.page.isVisible());
    QCOMPARE(f.host.moves.last(), PageId::NicSelection);

    // Cancel asks first; answered OK the page gives way to the main window with its values kept.
    f.show();
    clickChoice(f.control<QRadioButton>("RadioButton2"));
    f.host.scripted.answer(Dialogs::Button::Cancel);
    QTest::mouseClick(f.page.cancelButton(), Qt::LeftButton);
    QVERIFY(f.page.isVisible());
    QTest::mouseClick(f.page.cancelButton(), Qt::LeftButton);
    QCOMPARE(f.host.scripted.texts(), QStringList(2, QStringLiteral("You will lose all selections! ")));
    QVERIFY(!f.page.isVisible());
    QCOMPARE(f.host.moves.last(), PageId::Main);
    QCOMPARE(f.host.collect().value(QStringLiteral("TForm7.RadioButton2")), QStringLiteral("1"));
}

QTEST_MAIN(TestNicParametersPage)
#include "tst_nic_parameters_page.moc"
