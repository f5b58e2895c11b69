#include "gui/pages/summary_page.h"
#include "gui_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

using Settings = QList<QPair<QString, QString>>; // value name -> save form

BuildSettings settingsFor(int mode, const Settings& values) {
    BuildSettings s;
    s.setBuildMode(BuildMode(mode));
    for (const auto& [name, value] : values)
        s.setValue(name, value);
    return s;
}

// "LABEL=value" for each row up to the first blank row; blank rows below are checked separately.
QStringList gridRows(const QTableWidget* grid) {
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->item(row, 0)->text() == QLatin1String(" "))
            break;
        rows << grid->item(row, 0)->text() + QLatin1Char('=') + grid->item(row, 1)->text();
    }
    return rows;
}

// A row past the last is the empty space below the rows.
void doubleClickRow(QTableWidget* grid, int row) {
    QRect cell = grid->visualRect(grid->model()->index(qMin(row, grid->rowCount() - 1), 1));
    if (row >= grid->rowCount())
        cell.translate(0, cell.height() * (row - grid->rowCount() + 1));
    QVERIFY(grid->viewport()->rect().contains(cell.center()));
    // Through the window, as the platform delivers it: press, release, press, double-click, release.
    QWidget* window = grid->window();
    const QPoint at = grid->viewport()->mapTo(window, cell.center());
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
}

// Puts some other tab than the named one in front, so a jump that sets no tab shows.
void frontOtherTab(QWidget* page, const QString& tab) {
    auto* tabs = page->findChild<QTabWidget*>();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i).remove(QLatin1Char('&')) != tab)
            tabs->setCurrentIndex(i);
}

QString currentTab(QWidget* page) {
    auto* tabs = page ? page->findChild<QTabWidget*>() : nullptr;
    return tabs ? tabs->tabText(tabs->currentIndex()).remove(QLatin1Char('&')) : QString();
}

} // namespace

class TestSummaryPage : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<GuiFixture> fx;
    SummaryPage* page() const { return fx->wizard->form<SummaryPage>(PageId::Summary); }
    QTableWidget* grid(const char* name) const {
        return page()->findChild<QTableWidget*>(QLatin1String(name));
    }
    void showSummary(int mode) {
        fx->wizard->setBuildMode(BuildMode(mode));
        fx->wizard->go(nullptr, PageId::Summary);
        QVERIFY(page()->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(page()));
    }

private Q_SLOTS:
    void init() { fx = std::make_unique<GuiFixture>(kAllHintsOff); }
    void cleanup() { fx.reset(); }

    void operationRows_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Settings>("values");
        QTest::addColumn<QStringList>("rows");

        const Settings multicast{{"TForm6.Edit3", " client07 "},
                                 {"TForm6.Edit1", " 10.  0.  0.  5"},
                                 {"TForm6.Edit2", "255.255.  0.  0"}};
        QTest::newRow("multicast, plug and play") << 1 << multicast
                                                  << QStringList{"MODE=Multicast",
                                                                 "CLIENT NAME=client07",
                                                                 "IP ADDRESS=10.  0.  0.  5",
                                                                 "SUB NET MASK=255.255.  0.  0",
                                                                 "NIC DRIVER=NIC Driver Name",
                                                                 "HARDWARE=Plug and Play"};
        QTest::newRow("multicast, not plug and play")
            << 1
            << (Settings(multicast) << qMakePair(QString("TForm7.RadioButton2"), QString("1"))
                                    << qMakePair(QString("TForm7.ComboBox1"), QString("10"))
                                    << qMakePair(QString("TForm7.ComboBox2"), QString("340")))
            << QStringList{"MODE=Multicast",
                           "CLIENT NAME=client07",
                           "IP ADDRESS=10.  0.  0.  5",
                           "SUB NET MASK=255.255.  0.  0",
                           "NIC DRIVER=NIC Driver Name",
                           "HARDWARE=Non-PnP",
                           "IRQ=10",
                           "IO PORT=340"};
        QTest::newRow("netware, no login, no mapping, not plug and play")
            << 2 << Settings{{"TForm7.RadioButton2", "1"}, {"TForm21.ComboBox1", "2"}}
            << QStringList{"MODE=Standalone",
                           "NOS=Novell Netware 3.12 or higher",
                           "FRAME TYPE=Ethernet_II",
                           "NIC DRIVER=NIC Driver Name",
                           "HARDWARE=Non-PnP",
                           "IRQ=5",
                           "IO PORT=300"};
        QTest::newRow("netware, login and mapping")
            << 2 << Settings{{"TForm21.RadioButton4", "1"},
                             {"TForm21.ComboBox3", "12"},
                             {"TForm21.Edit2", "\\\\NWSRV\\Sys\\Images"},
                             {"TForm21.RadioButton2", "1"},
                             {"TForm21.ComboBox2", "6"},
                             {"TForm21.Edit1", "IMAGER  "}}
            << QStringList{"MODE=Standalone",
                           "NOS=Novell Netware 3.12 or higher",
                           "FRAME TYPE=Ethernet_802.2",
                           "MAP DRIVE=M:\\\\NWSRV\\Sys\\Images",
                           "LOGIN DRIVE=G:",
                           "LOGIN NAME=IMAGER",
                           "NIC DRIVER=NIC Driver Name",
                           "HARDWARE=Plug and Play"};
        const Settings microsoft{{"TForm9.ComboBox1", "1"},
                                 {"TForm40.Edit6", "admin"},
                                 {"TForm40.Edit1", "192.168.  1. 20"},
                                 {"TForm40.Edit2", "255.255.255.  0"},
                                 {"TForm40.ComboBox3", "9"},
                                 {"TForm40.Edit4", "\\\\SRV\\D"},
                                 {"TForm40.Edit5", "LAB"},
                                 {"TForm40.Edit3", "WS1"}};
        QTest::newRow("microsoft, workgroup")
            << 3 << microsoft
            << QStringList{"MODE=Standalone",
                           "NOS=Microsoft TCP/IP - Pellacore Client on Server",
                           "LOGIN NAME=admin",
                           "IP ADDRESS=192.168.  1. 20",
                           "SUB NET MASK=255.255.255.  0",
                           "SERVER DRIVE=J:\\\\SRV\\D",
                           "WORKGROUP=LAB",
                           "COMPUTER NAME=WS1",
                           "NIC DRIVER=NIC Driver Name",
                           "HARDWARE=Plug and Play"};
        QTest::newRow("microsoft, domain")
            << 3 << (Settings(microsoft) << qMakePair(QString("TForm40.RadioButton11"), QString("1")))
            << QStringList{"MODE=Standalone",
                           "NOS=Microsoft TCP/IP - Pellacore Client on Server",
                           "LOGIN NAME=admin",
                           "IP ADDRESS=192.168.  1. 20",
                           "SUB NET MASK=255.255.255.  0",
                           "SERVER DRIVE=J:\\\\SRV\\D",
                           "DOMAIN=LAB",
                           "COMPUTER NAME=WS1",
                           "NIC DRIVER=NIC Driver Name",
                           "HARDWARE=Plug and Play"};
        QTest::newRow("no network ignores the IRQ choice")
            << 4 << Settings{{"TForm4.Edit1", "NE2000 Compatible"}, {"TForm7.RadioButton2", "1"}}
            << QStringList{"NIC=NE2000 Compatible", "HARDWARE=None"};
    }
    void operationRows() {
        QFETCH(int, mode);
        QFETCH(Settings, values);
        QFETCH(QStringList, rows);
        page()->fill(settingsFor(mode, values));
        QTableWidget* g = grid("StringGrid1");
        QCOMPARE(gridRows(g), rows);
        // No blank rows below the values, and the first of them in view.
        QCOMPARE(g->rowCount(), rows.size());
        QCOMPARE(g->columnCount(), 2);
        QCOMPARE(g->verticalScrollBar()->value(), 0);
        // The label column holds its longest label whole (COMPUTER NAME), and is never narrower
        // than it always was.
        QVERIFY(g->columnWidth(0) >= 110);
        for (int row = 0; row < g->rowCount(); ++row)
            QVERIFY(g->columnWidth(0) >= g->fontMetrics().horizontalAdvance(g->item(row, 0)->text()));
    }

    void postConfigurationRows_data() {
        QTest::addColumn<Settings>("values");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("off: only the label shows") << Settings{} << QStringList{};
        QTest::newRow("on, everything as the image")
            << Settings{{"TForm99.RadioButton1", "1"}}
            << QStringList{"COMPUTER NAME=Same as Image", "WORKGROUP/DOMAIN=Same as Image",
                           "LOGIN NAME=Same as Image", "IP ADDRESS=Same as Image",
                           "SUB NET MASK=Same as Image"};
        QTest::newRow("on, every value set")
            << Settings{{"TForm99.RadioButton1", "1"},
                        {"TForm99.Edit3", "PC12"},
                        {"TForm99.RadioButton11", "1"},
                        {"TForm99.Edit5", "CORP"},
                        {"TForm99.Edit6", "jo"},
                        {"TForm99.RadioButton3", "1"},
                        {"TForm99.Edit1", " 10.  1.  1.  1"},
                        {"TForm99.RadioButton5", "1"},
                        {"TForm99.Edit2", "255.255.  0.  0"}}
            << QStringList{"COMPUTER NAME=PC12", "DOMAIN=CORP", "LOGIN NAME=jo", "IP ADDRESS=10.  1.  1.  1",
                           "SUB NET MASK=255.255.  0.  0"};
        QTest::newRow("on, workgroup")
            << Settings{{"TForm99.RadioButton1", "1"},
                        {"TForm99.RadioButton9", "1"},
                        {"TForm99.Edit5", "LAB"}}
            << QStringList{"COMPUTER NAME=Same as Image", "WORKGROUP=LAB", "LOGIN NAME=Same as Image",
                           "IP ADDRESS=Same as Image", "SUB NET MASK=Same as Image"};
    }
    void postConfigurationRows() {
        QFETCH(Settings, values);
        QFETCH(QStringList, rows);
        page()->fill(settingsFor(1, values));
        QTableWidget* g = grid("StringGrid2");
        QCOMPARE(g->isHidden(), rows.isEmpty());
        QCOMPARE(gridRows(g), rows);
        auto* label = page()->findChild<QLabel*>(QStringLiteral("Label3"));
        QCOMPARE(label->text(), QStringLiteral("Same as Image"));
        if (!rows.isEmpty())
            QVERIFY(g->columnWidth(0) >= 150);
    }

    // Every showing reads the pages as they are now.
    void showingReadsThePages() {
        showSummary(1);
        QVERIFY(gridRows(grid("StringGrid1")).contains(QStringLiteral("HARDWARE=Plug and Play")));
        fx->wizard->go(page(), PageId::NicParameters);
        clickChoice(fx->control<QAbstractButton>("TForm7", "RadioButton2"));
        fx->wizard->go(fx->wizard->form(PageId::NicParameters), PageId::Summary);
        QVERIFY(gridRows(grid("StringGrid1")).contains(QStringLiteral("HARDWARE=Non-PnP")));
        QCOMPARE(gridRows(grid("StringGrid1")).first(), QStringLiteral("MODE=Multicast"));
    }

    void doubleClickOperation_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Settings>("values");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("tab");
        const Settings netware{{"TForm21.RadioButton4", "1"}, {"TForm21.RadioButton2", "1"}};
        QTest::newRow("MODE") << 1 << Settings{} << 0 << int(PageId::Main) << QString();
        QTest::newRow("CLIENT NAME") << 1 << Settings{} << 1 << int(PageId::MulticastClient) << QString();
        QTest::newRow("SUB NET MASK") << 1 << Settings{} << 3 << int(PageId::MulticastClient) << QString();
        QTest::newRow("NIC DRIVER") << 1 << Settings{} << 4 << int(PageId::NicSelection) << QString();
        QTest::newRow("HARDWARE") << 1 << Settings{} << 5 << int(PageId::NicParameters) << QString();
        QTest::newRow("IO PORT") << 1 << Settings{{"TForm7.RadioButton2", "1"}} << 7
                                 << int(PageId::NicParameters) << QString();
        QTest::newRow("NOS") << 2 << Settings{} << 1 << int(PageId::StandaloneParameters) << QString();
        QTest::newRow("FRAME TYPE") << 2 << netware << 2 << int(PageId::NetWare) << QString();
        QTest::newRow("MAP DRIVE") << 2 << netware << 3 << int(PageId::NetWare) << QString();
        QTest::newRow("LOGIN NAME, netware") << 2 << netware << 5 << int(PageId::NetWare) << QString();
        QTest::newRow("LOGIN NAME, microsoft")
            << 3 << Settings{} << 2 << int(PageId::MicrosoftStandalone) << QString("Login Name");
        QTest::newRow("IP ADDRESS, microsoft") << 3 << Settings{} << 3 << int(PageId::MicrosoftStandalone)
                                               << QString("IP Address / Sub Net Mask");
        QTest::newRow("SERVER DRIVE")
            << 3 << Settings{} << 5 << int(PageId::MicrosoftStandalone) << QString("Server Drive");
        QTest::newRow("WORKGROUP") << 3 << Settings{} << 6 << int(PageId::MicrosoftStandalone)
                                   << QString("Workgroup / Domain");
        QTest::newRow("COMPUTER NAME, microsoft")
            << 3 << Settings{} << 7 << int(PageId::MicrosoftStandalone) << QString("Computer Name");
        QTest::newRow("NIC") << 4 << Settings{} << 0 << int(PageId::NicSelection) << QString();
    }
    void doubleClickOperation() {
        QFETCH(int, mode);
        QFETCH(Settings, values);
        QFETCH(int, row);
        QFETCH(int, target);
        QFETCH(QString, tab);
        showSummary(mode);
        page()->fill(settingsFor(mode, values));
        QWidget* to = fx->wizard->form(PageId(target));
        if (!tab.isEmpty())
            frontOtherTab(to, tab);
        doubleClickRow(grid("StringGrid1"), row);
        QVERIFY(to->isVisible());
        QVERIFY(!page()->isVisible());
        if (!tab.isEmpty())
            QCOMPARE(currentTab(to), tab);
    }

    void doubleClickEmptyRowDoesNothing() {
        showSummary(1);
        doubleClickRow(grid("StringGrid1"), 6);
        QVERIFY(page()->isVisible());
        QVERIFY(!fx->wizard->form(PageId::Main)->isVisible());
    }

    void doubleClickPostConfiguration_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tab");
        QTest::newRow("COMPUTER NAME") << 0 << "Computer Name";
        QTest::newRow("WORKGROUP/DOMAIN") << 1 << "Workgroup / Domain";
        QTest::newRow("LOGIN NAME") << 2 << "Login Name";
        QTest::newRow("IP ADDRESS") << 3 << "IP Address";
        QTest::newRow("SUB NET MASK") << 4 << "Sub Net Mask";
    }
    void doubleClickPostConfiguration() {
        QFETCH(int, row);
        QFETCH(QString, tab);
        showSummary(1);
        page()->fill(settingsFor(1, {{"TForm99.RadioButton1", "1"}}));
        page()->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
        QWidget* post = fx->wizard->form(PageId::PostConfiguration);
        frontOtherTab(post, tab);
        doubleClickRow(grid("StringGrid2"), row);
        QVERIFY(post->isVisible());
        QVERIFY(!page()->isVisible());
        QCOMPARE(currentTab(post), tab);
    }

    void buttons_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("nos");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("target");
        QTest::newRow("next") << 1 << 0 << "Button2" << int(PageId::DisketteLocation);
        QTest::newRow("back, multicast") << 1 << 0 << "Button1" << int(PageId::PostConfiguration);
        QTest::newRow("back, netware") << 2 << 0 << "Button1" << int(PageId::NicParameters);
        QTest::newRow("back, microsoft") << 3 << 2 << "Button1" << int(PageId::StandaloneParameters);
        QTest::newRow("back, no network") << 4 << 3 << "Button1" << int(PageId::StandaloneParameters);
    }
    void buttons() {
        QFETCH(int, mode);
        QFETCH(int, nos);
        QFETCH(QString, button);
        QFETCH(int, target);
        auto* combo = fx->control<QComboBox>("TForm9", "ComboBox1");
        combo->setCurrentIndex(nos);
        showSummary(mode);
        QTest::mouseClick(page()->findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY(fx->wizard->form(PageId(target))->isVisible());
        QVERIFY(!page()->isVisible());
    }

    void cancelAsksAndKeepsValues_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("toMain");
        QTest::newRow("OK") << int(Dialogs::Button::Ok) << true;
        QTest::newRow("Cancel") << int(Dialogs::Button::Cancel) << false;
    }
    void cancelAsksAndKeepsValues() {
        QFETCH(int, answer);
        QFETCH(bool, toMain);
        showSummary(1);
        const BuildSettings before = fx->wizard->collect();
        fx->dialogs.answer(Dialogs::Button(answer));
        QTest::mouseClick(page()->cancelButton(), Qt::LeftButton);
        QCOMPARE(fx->dialogs.texts(), QStringList{"You will lose all selections! "});
        QCOMPARE(fx->dialogs.shown().first().buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(fx->wizard->form(PageId::Main)->isVisible(), toMain);
        QCOMPARE(page()->isVisible(), !toMain);
        QVERIFY(fx->wizard->collect() == before);
    }

    void helpContexts() {
        showSummary(1);
        page()->activateWindow();
        page()->backButton()->setFocus();
        QTest::keyClick(page()->backButton(), Qt::Key_F1);
        page()->nextButton()->setFocus();
        QTest::keyClick(page()->nextButton(), Qt::Key_F1);
        QCOMPARE(fx->help.calls, (QStringList{"context:122", "context:508"}));
    }

    void saveOpensTheSavePage() {
        showSummary(1);
        auto* save = page()->findChild<QPushButton*>(QStringLiteral("Button4"));
        QCOMPARE(save->text(), QStringLiteral("&Save Configuration"));
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(fx->wizard->form(PageId::SaveConfiguration)->isVisible());
        QVERIFY(!page()->isVisible());
    }

    void texts() {
        QCOMPARE(page()->windowTitle(), QStringLiteral("Client Diskette Parameters"));
        auto* tabs = page()->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Client Diskette Operation"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Post-Configuration Options"));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(page()->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral(
                     "The client diskette is ready to be created with the following parameters.  If any "
                     "changes need to be made select the \"Back\" button or Double-Click on the item.  "
                     "Otherwise, select \"Next\" to create the client diskette."));
        QCOMPARE(page()->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("You can save this configuration for later use."));
    }
};

QTEST_MAIN(TestSummaryPage)
#include "tst_summary_page.moc"
