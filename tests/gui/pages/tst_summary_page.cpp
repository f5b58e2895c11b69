#include "gui/pages/microsoft_standalone_page.h"
#include "gui/pages/post_configuration_page.h"
#include "gui/pages/summary_page.h"
#include "gui_fixture.h"
#include "page_host_double.h"
#include "rules/summary_rows.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

Q_DECLARE_METATYPE(PageId)

namespace {

using Settings = QList<QPair<QString, QString>>; // value name -> save form

BuildSettings settingsFor(int mode, const Settings& values) {
    BuildSettings s;
    s.setBuildMode(BuildMode(mode));
    for (const auto& [name, value] : values)
        s.setValue(name, value);
    return s;
}

QStringList gridRows(const QTableWidget* grid) {
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows << grid->item(row, 0)->text() + QLatin1Char('=') + grid->item(row, 1)->text();
    return rows;
}

QStringList ruleRows(const QList<SummaryRow>& rows) {
    QStringList out;
    for (const SummaryRow& row : rows)
        out << row.label + QLatin1Char('=') + row.value;
    return out;
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

QString currentTab(QWidget* page) {
    auto* tabs = page->findChild<QTabWidget*>();
    return tabs->tabText(tabs->currentIndex()).remove(QLatin1Char('&'));
}

// The page alone, over a PageHostDouble, with the two pages whose tabs a double-click brings to the
// front. Which row leads where is SummaryRows' (tst_summary_rows), the routes of the buttons the
// wizard's (tst_wizard_flow); here only that the page shows the rows and follows them.
struct SummaryFixture {
    PageHostDouble host{kAllHintsOff};
    SummaryPage page{host};
    MicrosoftStandalonePage microsoft{host};
    PostConfigurationPage post{host};

    SummaryFixture() {
        host.serve(&page);
        host.serveTarget(&microsoft);
        host.serveTarget(&post);
    }
    QTableWidget* grid(const char* name) { return page.findChild<QTableWidget*>(QLatin1String(name)); }
    // Shows the page anew, as coming from another page does.
    void show(int mode) {
        host.setBuildMode(BuildMode(mode));
        host.go(&page, PageId::Summary);
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        host.moves.clear();
    }
    // Puts another tab than the named one in front, so a jump that sets no tab shows.
    static void frontOtherTab(QWidget* target, const QString& tab) {
        auto* tabs = target->findChild<QTabWidget*>();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i).remove(QLatin1Char('&')) != tab)
                tabs->setCurrentIndex(i);
    }
};

} // namespace

class TestSummaryPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void operationGrid_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Settings>("values");
        QTest::newRow("multicast, not plug and play") << 1 << Settings{{"TForm7.RadioButton2", "1"}};
        QTest::newRow("microsoft") << 3 << Settings{};
        QTest::newRow("no network") << 4 << Settings{};
    }
    void operationGrid() {
        QFETCH(int, mode);
        QFETCH(Settings, values);
        SummaryFixture f;
        // A fill after a longer one leaves no rows of it behind.
        f.page.fill(settingsFor(3, {}));
        const BuildSettings s = settingsFor(mode, values);
        f.page.fill(s);
        QTableWidget* g = f.grid("StringGrid1");
        QCOMPARE(gridRows(g), ruleRows(SummaryRows::operation(s)));
        QCOMPARE(g->columnCount(), 2);
        QCOMPARE(g->verticalScrollBar()->value(), 0);
        // The label column holds its longest label whole (COMPUTER NAME), and is never narrower
        // than it always was.
        QVERIFY(g->columnWidth(0) >= 110);
        for (int row = 0; row < g->rowCount(); ++row)
            QVERIFY(g->columnWidth(0) >= g->fontMetrics().horizontalAdvance(g->item(row, 0)->text()));
    }

    void postConfigurationGrid_data() {
        QTest::addColumn<bool>("on");
        QTest::newRow("off: only the label shows") << false;
        QTest::newRow("on") << true;
    }
    void postConfigurationGrid() {
        QFETCH(bool, on);
        SummaryFixture f;
        const BuildSettings s = settingsFor(1, {{"TForm99.RadioButton1", on ? "1" : "0"},
                                                {"TForm99.RadioButton11", "1"},
                                                {"TForm99.Edit5", "CORP"}});
        f.page.fill(s);
        QTableWidget* g = f.grid("StringGrid2");
        QCOMPARE(g->isHidden(), !on);
        QCOMPARE(f.page.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("Same as Image"));
        if (on) {
            QCOMPARE(gridRows(g), ruleRows(SummaryRows::postConfiguration(s)));
            QVERIFY(g->columnWidth(0) >= 150);
        }
    }

    // Every showing reads the values as they are now.
    void showingReadsTheHost() {
        SummaryFixture f;
        f.show(4);
        QVERIFY(gridRows(f.grid("StringGrid1")).value(0).startsWith(QStringLiteral("NIC=")));
        f.show(1);
        QCOMPARE(gridRows(f.grid("StringGrid1")).value(0), QStringLiteral("MODE=Multicast"));
    }

    void doubleClickOperation_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("row");
        QTest::addColumn<PageId>("target");
        QTest::addColumn<QString>("tab");
        QTest::newRow("MODE") << 1 << 0 << PageId::Main << QString();
        QTest::newRow("HARDWARE") << 1 << 5 << PageId::NicParameters << QString();
        QTest::newRow("LOGIN NAME, microsoft") << 3 << 2 << PageId::MicrosoftStandalone << "Login Name";
        QTest::newRow("IP ADDRESS, microsoft")
            << 3 << 3 << PageId::MicrosoftStandalone << "IP Address / Sub Net Mask";
        QTest::newRow("SERVER DRIVE") << 3 << 5 << PageId::MicrosoftStandalone << "Server Drive";
        QTest::newRow("WORKGROUP") << 3 << 6 << PageId::MicrosoftStandalone << "Workgroup / Domain";
        QTest::newRow("COMPUTER NAME, microsoft") << 3 << 7 << PageId::MicrosoftStandalone << "Computer Name";
    }
    void doubleClickOperation() {
        QFETCH(int, mode);
        QFETCH(int, row);
        QFETCH(PageId, target);
        QFETCH(QString, tab);
        SummaryFixture f;
        f.show(mode);
        if (!tab.isEmpty())
            f.frontOtherTab(&f.microsoft, tab);
        doubleClickRow(f.grid("StringGrid1"), row);
        QCOMPARE(f.host.moves, QList<PageId>{target});
        QVERIFY(!f.page.isVisible());
        if (!tab.isEmpty())
            QCOMPARE(currentTab(&f.microsoft), tab);
    }

    void doubleClickEmptyRowDoesNothing() {
        SummaryFixture f;
        f.show(1);
        doubleClickRow(f.grid("StringGrid1"), 6);
        QVERIFY(f.page.isVisible());
        QVERIFY(f.host.moves.isEmpty());
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
        SummaryFixture f;
        f.show(1);
        f.page.fill(settingsFor(1, {{"TForm99.RadioButton1", "1"}}));
        f.page.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
        f.frontOtherTab(&f.post, tab);
        doubleClickRow(f.grid("StringGrid2"), row);
        QCOMPARE(f.host.moves, QList<PageId>{PageId::PostConfiguration});
        QVERIFY(!f.page.isVisible());
        QCOMPARE(currentTab(&f.post), tab);
    }

    void buttons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<PageId>("target");
        QTest::newRow("next") << "Button2" << PageId::DisketteLocation;
        QTest::newRow("back") << "Button1" << PageId::PostConfiguration;
        QTest::newRow("save") << "Button4" << PageId::SaveConfiguration;
    }
    void buttons() {
        QFETCH(QString, button);
        QFETCH(PageId, target);
        SummaryFixture f;
        f.show(1);
        QTest::mouseClick(f.page.findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(f.host.moves, QList<PageId>{target});
        QVERIFY(!f.page.isVisible());
    }

    void cancelAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("toMain");
        QTest::newRow("OK") << int(Dialogs::Button::Ok) << true;
        QTest::newRow("Cancel") << int(Dialogs::Button::Cancel) << false;
    }
    void cancelAsks() {
        QFETCH(int, answer);
        QFETCH(bool, toMain);
        SummaryFixture f;
        f.show(1);
        f.host.scripted.answer(Dialogs::Button(answer));
        QTest::mouseClick(f.page.cancelButton(), Qt::LeftButton);
        QCOMPARE(f.host.scripted.texts(), QStringList{"You will lose all selections! "});
        QCOMPARE(f.host.scripted.shown().first().buttons, Dialogs::Buttons::OkCancel);
        QCOMPARE(f.host.moves, toMain ? QList<PageId>{PageId::Main} : QList<PageId>{});
        QCOMPARE(f.page.isVisible(), !toMain);
    }

    // Cancel leads only back to the main window: no page of the wizard loses a value.
    void cancelKeepsEveryValue() {
        GuiFixture fx(kAllHintsOff);
        fx.control<QLineEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit3"))
            ->setText(QStringLiteral("LAB9"));
        fx.wizard->go(nullptr, PageId::Summary);
        const BuildSettings before = fx.wizard->collect();
        fx.dialogs.answer(Dialogs::Button::Ok);
        QTest::mouseClick(fx.wizard->form<SummaryPage>(PageId::Summary)->cancelButton(), Qt::LeftButton);
        QVERIFY(fx.wizard->form(PageId::Main)->isVisible());
        QVERIFY(fx.wizard->collect() == before);
    }

    void helpContexts() {
        SummaryFixture f;
        f.show(1);
        f.page.activateWindow();
        f.page.backButton()->setFocus();
        QTest::keyClick(f.page.backButton(), Qt::Key_F1);
        f.page.nextButton()->setFocus();
        QTest::keyClick(f.page.nextButton(), Qt::Key_F1);
        QCOMPARE(f.host.recordedHelp.calls, (QStringList{"context:122", "context:508"}));
    }

    void texts() {
        SummaryFixture f;
        QCOMPARE(f.page.windowTitle(), QStringLiteral("Client Diskette Parameters"));
        auto* tabs = f.page.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Client Diskette Operation"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Post-Configuration Options"));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(f.page.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral(
                     "The client diskette is ready to be created with the following parameters.  If any "
                     "changes need to be made select the \"Back\" button or Double-Click on the item.  "
                     "Otherwise, select \"Next\" to create the client diskette."));
        QCOMPARE(f.page.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("You can save this configuration for later use."));
        QCOMPARE(f.page.findChild<QPushButton*>(QStringLiteral("Button4"))->text(),
                 QStringLiteral("&Save Configuration"));
    }
};

QTEST_MAIN(TestSummaryPage)
#include "tst_summary_page.moc"
