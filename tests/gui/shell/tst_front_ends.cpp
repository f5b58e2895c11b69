// The same diskette from both front ends: each route once through the wizard's windows, as a user
// clicks and types through them, and once through bootwright-cli with the same values; the two
// diskettes must hold the same files, byte for byte, but for the date in the header lines.

#include "cli_runner.h"
#include "route_driver.h"

#include <QAbstractButton>
#include <QRegularExpression>

namespace {

// The date a build stamps into the header line of CONFIG.SYS and AUTOEXEC.BAT: the wizard's test
// clock and the command line's system clock give different ones, and nothing else may differ.
QByteArray withoutDate(const QString& file, QByteArray bytes) {
    const QString name = file.section(QLatin1Char('/'), -1).toUpper();
    if (name != QLatin1String("CONFIG.SYS") && name != QLatin1String("AUTOEXEC.BAT"))
        return bytes;
    const QRegularExpression header(QStringLiteral("^(REM \\[%1 : Created by PCBW )[^\\]\\r\\n]*(\\]\\r)$")
                                        .arg(QRegularExpression::escape(name)),
                                    QRegularExpression::MultilineOption);
    return QString::fromLatin1(bytes).replace(header, QStringLiteral("\\1<date>\\2")).toLatin1();
}

// The lines of a listing an mtools program prints for a whole image, in order.
QStringList toolListing(const QString& program, const QStringList& options, const QString& image) {
    QByteArray text;
    TestEnv::run(program, options + QStringList{"-i", image, "::"}, &text);
    QStringList out;
    for (const QByteArray& line : text.split('\n'))
        if (!line.trimmed().isEmpty())
            out << QString::fromLatin1(line).simplified();
    out.sort();
    return out;
}

// Every directory (with a final "/") and file of an image by its name as stored, long names included.
QStringList names(const QString& image) {
    return toolListing(QStringLiteral("mdir"), {"-/", "-b"}, image);
}

// What two diskettes disagree in, one line per difference; empty when they hold the same.
QStringList differences(const QString& wizard, const QString& cli) {
    QStringList out;
    const auto compareLists = [&out](const QString& what, const QStringList& a, const QStringList& b) {
        for (const QString& e : a)
            if (!b.contains(e))
                out << QStringLiteral("%1 only from the wizard: %2").arg(what, e);
        for (const QString& e : b)
            if (!a.contains(e))
                out << QStringLiteral("%1 only from the command line: %2").arg(what, e);
    };
    const QStringList wizardNames = names(wizard);
    const QStringList cliNames = names(cli);
    compareLists(QStringLiteral("entry"), wizardNames, cliNames);
    compareLists(QStringLiteral("attributes"), toolListing(QStringLiteral("mattrib"), {"-/"}, wizard),
                 toolListing(QStringLiteral("mattrib"), {"-/"}, cli));
    for (const QString& e : wizardNames) {
        if (e.endsWith(QLatin1Char('/')) || !cliNames.contains(e))
            continue;
        const QByteArray a = withoutDate(e, TestEnv::mtype(wizard, e));
        const QByteArray b = withoutDate(e, TestEnv::mtype(cli, e));
        if (a != b)
            out << QStringLiteral("%1 differs:\n  wizard:       %2\n  command line: %3")
                       .arg(e, QString::fromLatin1(a.toPercentEncoding(" \\=.:,$[]")),
                            QString::fromLatin1(b.toPercentEncoding(" \\=.:,$[]")));
    }
    return out;
}

} // namespace

class TestFrontEnds : public RouteDriver {
    Q_OBJECT

    QString cliDir;

    // The page that is up now (the main window not counted).
    PageId shownPage() const {
        for (int id = int(PageId::ClientLocation); id <= int(PageId::Build); ++id)
            if (fx->wizard->form(PageId(id)) && fx->wizard->form(PageId(id))->isVisible())
                return PageId(id);
        return PageId::Main;
    }

    // Makes a control reachable the way a user does: the tab it lies on is clicked first.
    void reveal(QWidget* control) {
        for (QWidget* w = control; w; w = w->parentWidget()) {
            auto* tabs =
                qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr);
            if (tabs && tabs->indexOf(w) >= 0 && tabs->currentWidget() != w) {
                QTabBar* bar = tabs->tabBar();
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tabs->indexOf(w)).center());
            }
        }
    }

    // Gives the shown page each of its values as a user gives it: a catalogue entry double-clicked,
    // a text typed, an item picked, a button clicked.
    void enter(PageId page, const QStringList& values) {
        const QString form = WizardFlow::className(page);
        for (const QString& assignment : values) {
            const QString name = assignment.section(QLatin1Char('='), 0, 0);
            const QString value = assignment.section(QLatin1Char('='), 1);
            if (name.section(QLatin1Char('.'), 0, 0) != form)
                continue;
            if (name == QLatin1String("TForm4.Edit1")) {
                pickNic(value);
                continue;
            }
            QWidget* w = fx->control<QWidget>(form, name.section(QLatin1Char('.'), 1));
            QVERIFY2(w, qPrintable(name));
            reveal(w);
            QVERIFY2(w->isVisible() && w->isEnabled(),
                     qPrintable(name + QStringLiteral(" cannot be reached")));
            if (auto* combo = qobject_cast<QComboBox*>(w)) {
                if (combo->isEditable())
                    retype(combo->lineEdit(), value);
                else
                    choose(combo, combo->itemText(value.toInt()));
            } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                retype(edit, value);
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                if (button->isChecked() != (value == QLatin1String("1")))
                    clickChoice(button);
                QCOMPARE(button->isChecked(), value == QLatin1String("1"));
            } else {
                QFAIL(qPrintable(name + QStringLiteral(": no way to enter it")));
            }
        }
    }

    // From the main window through every page the route shows to the finished diskette.
    void passWizard(const QStringList& values) {
        expectShown(PageId::Main);
        const bool multicast = values.contains(QStringLiteral("BuildMode=1"));
        QTest::mouseClick(
            fx->wizard->form(PageId::Main)
                ->findChild<QPushButton*>(multicast ? QStringLiteral("BitBtn1") : QStringLiteral("BitBtn2")),
            Qt::LeftButton);
        QStringList visited{QStringLiteral("BuildMode")};
        for (int pages = 0; pages < 12; ++pages) {
            const PageId page = shownPage();
            if (page == PageId::Build) {
                // A value of a page the route does not show would reach the command line alone.
                for (const QString& v : values)
                    QVERIFY2(
                        visited.contains(v.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('='), 0, 0)),
                        qPrintable(v + QStringLiteral(": its page is not on the route")));
                QTRY_VERIFY_WITH_TIMEOUT(fx->wizard->form(PageId::Main)->isVisible(), 20000);
                return;
            }
            QVERIFY2(page != PageId::Main, "the route ended before the build");
            visited << WizardFlow::className(page);
            enter(page, values);
            if (QTest::currentTestFailed())
                return;
            next(page);
            QVERIFY2(shownPage() != page,
                     qPrintable(WizardFlow::className(page) + QStringLiteral(" refused: ") +
                                fx->dialogs.texts().join(QLatin1Char('|'))));
        }
        QFAIL("the build page never came");
    }

    CliResult runCli(const QStringList& args) const {
        return CliRunner::run(QStringList{"--dir", cliDir} + args);
    }

private Q_SLOTS:
    void init() {
        setUp();
        cliDir = fx->path(QStringLiteral("cli"));
        // The command line's program directory is laid out as the wizard's was before its run.
        QDir().mkpath(cliDir);
        for (const char* file : {"PCBW.INI", "PCBWNICM.INI", "PCBWNICS.INI"})
            QVERIFY(
                QFile::copy(fx->path(QLatin1String(file)), cliDir + QLatin1Char('/') + QLatin1String(file)));
        QVERIFY(formatWithSystemFiles(cliDir + QStringLiteral("/A.img")));
    }
    void cleanup() { tearDown(); }

    void sameDiskette_data() {
        QTest::addColumn<QStringList>("values"); // NAME=VALUE in the order a user gives them
        QTest::addColumn<QString>("driver"); // the catalogue entry's file, named by path on the command line
        QTest::addColumn<bool>("twoDiskettes");

        // The Multicast client as every Multicast row gives it.
        const QStringList multicast{"BuildMode=1", "TForm4.Edit1=NE2000 Compatible",
                                    "TForm6.Edit1=192.168.1.10", "TForm6.Edit2=255.255.255.0",
                                    "TForm6.Edit3=lab-pc07"};
        QTest::newRow("Multicast") << multicast +
                                          QStringList{"TForm7.RadioButton2=1",     "TForm7.ComboBox1=10",
                                                      "TForm7.ComboBox2=340",      "TForm6.CheckBox2=1",
                                                      "TForm99.RadioButton1=1",    "TForm99.RadioButton3=1",
                                                      "TForm99.Edit1=10.20.30.40", "TForm99.RadioButton5=1",
                                                      "TForm99.Edit2=255.255.0.0", "TForm99.RadioButton7=1",
                                                      "TForm99.Edit3=WS-07",       "TForm99.RadioButton11=1",
                                                      "TForm99.Edit5=SALES",       "TForm99.RadioButton12=1",
                                                      "TForm99.Edit6=imager"}
                                   << "ne2000.dos" << false;
        QTest::newRow("NetWare") << QStringList{"BuildMode=2",
                                                "TForm9.ComboBox1=0",
                                                "TForm21.ComboBox1=2",
                                                "TForm21.RadioButton2=1",
                                                "TForm21.ComboBox2=6",
                                                "TForm21.Edit1=IMAGER",
                                                "TForm21.RadioButton4=1",
                                                "TForm21.ComboBox3=9",
                                                "TForm21.Edit2=\\\\IMGSRV\\SYS\\IMAGES",
                                                "TForm4.Edit1=NE2000 ODI",
                                                "TForm7.RadioButton2=1",
                                                "TForm7.ComboBox1=10",
                                                "TForm7.ComboBox2=340"}
                                 << "ne2000.com" << false;
        QTest::newRow("Microsoft, client on server") << QStringList{"BuildMode=2",
                                                                    "TForm9.ComboBox1=1",
                                                                    "TForm40.Edit6=imager",
                                                                    "TForm40.Edit1=10.1.2.30",
                                                                    "TForm40.Edit2=255.255.0.0",
                                                                    "TForm40.ComboBox3=10",
                                                                    "TForm40.Edit4=\\\\IMGSRV\\IMAGES ",
                                                                    "TForm40.Edit3= LAB-PC07 ",
                                                                    "TForm40.RadioButton11=1",
                                                                    "TForm40.Edit5=SALES",
                                                                    "TForm4.Edit1=NE2000 Compatible"}
                                                     << "ne2000.dos" << false;
        QTest::newRow("Microsoft, client on floppy") << QStringList{"BuildMode=2",
                                                                    "TForm9.ComboBox1=2",
                                                                    "TForm40.Edit6=imager",
                                                                    "TForm40.Edit1=10.1.2.31",
                                                                    "TForm40.Edit2=255.255.255.0",
                                                                    "TForm40.Edit3=LAB-PC08",
                                                                    "TForm40.Edit5=LAB",
                                                                    "TForm4.Edit1=NE2000 Compatible",
                                                                    "TForm7.RadioButton2=1",
                                                                    "TForm7.ComboBox1=11"}
                                                     << "ne2000.dos" << true;
        QTest::newRow("no network") << QStringList{"BuildMode=2", "TForm9.ComboBox1=3"} << QString() << false;

        // Choices whose buttons fill other fields on the page: the wizard runs the page's rule at the
        // click, the command line runs the same rule for the choice its --set makes.
        QTest::newRow("Multicast, post-configuration copies the client's values")
            << multicast + QStringList{"TForm99.RadioButton1=1",  "TForm99.RadioButton3=1",
                                       "TForm99.RadioButton15=1", "TForm99.RadioButton5=1",
                                       "TForm99.CheckBox6=1",     "TForm99.RadioButton7=1",
                                       "TForm99.RadioButton19=1"}
            << "ne2000.dos" << false;
        QTest::newRow("Multicast, post-configuration assigns address and name")
            << multicast + QStringList{"TForm99.RadioButton1=1",  "TForm99.RadioButton3=1",
                                       "TForm99.RadioButton16=1", "TForm99.RadioButton7=1",
                                       "TForm99.Edit3=WS01",      "TForm99.RadioButton17=1"}
            << "ne2000.dos" << false;
        QTest::newRow("Multicast, DHCP") << QStringList{"BuildMode=1", "TForm4.Edit1=NE2000 Compatible",
                                                        "TForm6.Edit3=lab-pc07", "TForm6.CheckBox3=1"}
                                         << "ne2000.dos" << false;
        // Given in another order than the pages ask for them, the values still meet as in the wizard:
        // the post-configuration page copies the Multicast address as given, not as it was before.
        QTest::newRow("Multicast, values out of page order")
            << QStringList{"TForm99.RadioButton1=1", "TForm99.RadioButton3=1", "TForm99.RadioButton15=1"} +
                   multicast
            << "ne2000.dos" << false;
        QTest::newRow("Microsoft, DHCP and an assigned name")
            << QStringList{"BuildMode=2", "TForm9.ComboBox1=1", "TForm40.RadioButton16=1",
                           "TForm40.RadioButton17=1", "TForm4.Edit1=NE2000 Compatible"}
            << "ne2000.dos" << false;
    }

    void sameDiskette() {
        QFETCH(QStringList, values);
        QFETCH(QString, driver);
        QFETCH(bool, twoDiskettes);
        values.prepend(QStringLiteral("TForm11.Edit1=") + client);

        // The wizard: every window as a user meets it, the second diskette's image named when asked.
        const QString wizardSecond = fx->path(QStringLiteral("second.img"));
        if (twoDiskettes)
            fx->dialogs.answerFile(wizardSecond);
        passWizard(values);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(watcher->seen().isEmpty());

        // The command line: the same values, the catalogue's driver named by its path.
        QStringList args{"build"};
        for (const QString& v : values)
            args << QStringLiteral("--set") << v;
        if (!driver.isEmpty())
            args << QStringLiteral("--set") << QStringLiteral("TForm4.Edit2=") + fx->path("nics/") + driver;
        const QString cliImage = cliDir + QStringLiteral("/A.img");
        const QString cliSecond = cliDir + QStringLiteral("/second.img");
        args << QStringLiteral("--drive") << QStringLiteral("A=") + cliImage;
        if (twoDiskettes)
            args << QStringLiteral("--disk2") << cliSecond;
        const CliResult cli = runCli(args);

        // Whatever the two front ends disagree in: the outcome, the boxes shown (the command line
        // prints each box's text), and every diskette's entries, attributes and file contents.
        QStringList found;
        if (cli.code != 0)
            found << QStringLiteral("the command line ended with status %1: %2")
                         .arg(cli.code)
                         .arg(QString::fromLocal8Bit(cli.err));
        const QStringList cliBoxes =
            QString::fromLocal8Bit(cli.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (cli.code == 0 && cliBoxes != fx->dialogs.texts())
            found << QStringLiteral("boxes: wizard %1, command line %2")
                         .arg(fx->dialogs.texts().join(QLatin1Char('|')), cliBoxes.join(QLatin1Char('|')));
        QCOMPARE(fx->dialogs.texts().last(), kComplete);

        QStringList pairs{image, cliImage};
        if (twoDiskettes)
            pairs << wizardSecond << cliSecond;
        for (qsizetype i = 0; i < pairs.size(); i += 2) {
            expectCleanImage(pairs[i]);
            expectCleanImage(pairs[i + 1]);
            QVERIFY(names(pairs[i]).contains(QStringLiteral("::/AUTOEXEC.BAT")));
            if (cli.code == 0)
                found << differences(pairs[i], pairs[i + 1]);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestFrontEnds)
#include "tst_front_ends.moc"
