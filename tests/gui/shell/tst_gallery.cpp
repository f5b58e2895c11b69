#include "gui/pages/batch_page.h"
#include "gui/pages/host_list_window.h"
#include "gui/widgets/about_dialog.h"
#include "gui/widgets/app_resources.h"
#include "gui/widgets/help_window.h"
#include "gui/widgets/hint_dialog.h"
#include "gui/widgets/splash_window.h"
#include "gui/widgets/user_prefs_dialog.h"
#include "gui_fixture.h"
#include "modal_watcher.h"
#include "settings/preferences.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// Renders every window and dialog of the program offscreen and checks that each picture holds
// something: real text in the DejaVu fonts, not an empty or one-colour image. With BW_GALLERY_DIR
// set, the pictures are written there as <form>.png (the README's screenshots come from here).
// New wizard pages appear by themselves: every PageId that the flow knows is rendered.
class TestGalleryGui : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> m_fixture;
    std::unique_ptr<ModalWatcher> m_watcher;
    QList<QWidget*> m_owned;
    QTemporaryDir m_emptyDir;

    static QList<PageId> allPages() {
        QList<PageId> pages{PageId::Main};
        const QString first = WizardFlow::className(PageId::Main);
        for (int i = int(PageId::Main) + 1; i < 256; ++i) {
            const auto id = static_cast<PageId>(i);
            if (WizardFlow::className(id) == first)
                break; // past the last page the flow knows
            pages << id;
        }
        return pages;
    }

    QWidget* widgetFor(const QString& name) {
        if (name == QLatin1String("Tsplash")) {
            auto* splash = new SplashWindow;
            splash->versionLabel()->setText(versionText());
            return own(splash);
        }
        if (name == QLatin1String("TForm20")) {
            auto* hint = new HintDialog;
            hint->setHint(
                Preferences::hintKey(1),
                "Before running the Bootwright it is necessary to prepare the number of 1.44MB floppies "
                "you wish to build Client diskettes for.",
                "Preparation includes formatting with system files (format a: /s or formatting from Win "
                "95/98 with the Copy System Files box checked) and copying that same operating system's "
                "EMM386.EXE and HIMEM.SYS files to the floppy.",
                "We recommend always using Windows 95/98 for formatting and system files which will give "
                "Pellacore more memory and fewer errors.");
            return own(hint);
        }
        if (name == QLatin1String("TUserPrefs")) // as a first start shows it: every hint on
            return own(new UserPrefsDialog(m_emptyDir.path(), m_fixture->dialogs, m_fixture->help));
        if (name == QLatin1String("TAbout"))
            return own(new AboutDialog(m_fixture->help));
        if (name == QLatin1String("TForm26"))
            return own(new BatchPage(*m_fixture->wizard));
        if (name == QLatin1String("HostListWindow")) {
            // A problem and a note: the longest texts the window shows.
            return own(
                new HostListWindow(HostList::parse("name,address,mac\nLAB 2,10.0.2.12,00:1a:2b:3c:4d:02\n"
                                                   "LAB3,10.0.2.300,00:1a:2b:3c:4d:02\n",
                                                   QStringLiteral("/home/lab/hosts.csv"))));
        }
        if (name == QLatin1String("HelpWindow")) {
            auto* help = new HelpWindow;
            help->setAttribute(Qt::WA_DontShowOnScreen);
            help->showTopic(QStringLiteral("IDH_Welcome"));
            return own(help);
        }
        if (name == QLatin1String("TForm1-hint")) {
            // The main window with the mouse over its first button: the longest hint in the bottom line.
            QWidget* main = m_fixture->wizard->form(PageId::Main);
            QStatusTipEvent tip(main->findChild<QWidget*>(QStringLiteral("BitBtn1"))->statusTip());
            QCoreApplication::sendEvent(main, &tip);
            return main;
        }
        for (PageId id : allPages())
            if (WizardFlow::className(id) == name)
                return m_fixture->wizard->form(id);
        for (const State& state : states())
            if (name == QLatin1String(state.name))
                return m_fixture->wizard->form(state.page);
        return nullptr;
    }

    // Brings the page into the state of that name (none for a plain page name).
    void reach(const QString& name, QWidget* page) {
        for (const State& state : states()) {
            if (name != QLatin1String(state.name))
                continue;
            if (state.page == PageId::StandaloneParameters)
                page->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(2);
            for (const QString& click : state.clicks)
                QTest::mouseClick(page->findChild<QAbstractButton*>(click), Qt::LeftButton, {}, QPoint(6, 6));
            if (state.tab >= 0)
                page->findChild<QTabWidget*>()->setCurrentIndex(state.tab);
        }
    }

    // The states of a page beyond its first showing, each reached as a person reaches it.
    struct State {
        const char* name;
        PageId page;
        QStringList clicks; // objectNames of the buttons clicked, in order
        int tab = -1;       // the tab brought to the front, or -1
    };
    static const QList<State>& states() {
        static const QList<State> list{
            {"TForm7-manual", PageId::NicParameters, {"RadioButton2"}},
            {"TForm9-floppy", PageId::StandaloneParameters, {}},
            {"TForm21-login-map", PageId::NetWare, {"RadioButton2", "RadioButton4"}},
            {"TForm99-on", PageId::PostConfiguration, {"RadioButton1", "RadioButton3"}, 0},
            {"TForm99-name", PageId::PostConfiguration, {"RadioButton1", "RadioButton7"}, 2},
            {"TForm40-address", PageId::MicrosoftStandalone, {}, 0},
            {"TForm40-server", PageId::MicrosoftStandalone, {}, 1},
        };
        return list;
    }

    // Every text a person must read, whole: a label, button or tab whose text needs more room than
    // it has is cut or elided.
    static QStringList cutTexts(QWidget* window) {
        QStringList cut;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window) || w->width() <= 0)
                continue;
            const auto report = [&](const QString& text, const QSize& needed) {
                cut << QStringLiteral("\"%1\" (%2) needs %3x%4, has %5x%6")
                           .arg(text.left(40), w->objectName())
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(w->width())
                           .arg(w->height());
            };
            if (auto* label = qobject_cast<QLabel*>(w)) {
                if (label->text().isEmpty())
                    continue;
                if (label->wordWrap()) {
                    const int needed = label->heightForWidth(label->width());
                    if (needed > label->height())
                        report(label->text(), QSize(label->width(), needed));
                } else if (label->sizeHint().width() > label->width() ||
                           label->sizeHint().height() > label->height()) {
                    report(label->text(), label->sizeHint());
                }
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                if (!button->text().isEmpty() && (button->sizeHint().width() > button->width() ||
                                                  button->sizeHint().height() > button->height()))
                    report(button->text(), button->sizeHint());
            } else if (auto* edit = qobject_cast<QLineEdit*>(w);
                       edit && !qobject_cast<QComboBox*>(w->parent())) {
                // A field squeezed narrower than a few characters shows nothing one can read.
                if (edit->width() < edit->minimumSizeHint().width())
                    report(edit->text(), edit->minimumSizeHint());
            } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
                for (int i = 0; i < bar->count(); ++i) {
                    const QRect tab = bar->tabRect(i);
                    const int text =
                        bar->fontMetrics().horizontalAdvance(QString(bar->tabText(i)).remove('&'));
                    if (!bar->rect().contains(tab) || tab.width() <= text)
                        report(bar->tabText(i), QSize(text, tab.height()));
                }
            }
        }
        return cut;
    }

    QWidget* own(QWidget* w) {
        m_owned << w;
        return w;
    }

    // Share of the picture that differs from its most common colour, and the number of colours.
    static void inkAndColours(const QImage& image, double* ink, int* colours) {
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y)];
        int most = 0;
        for (int n : std::as_const(counts))
            most = qMax(most, n);
        const double total = double(image.width()) * image.height();
        *ink = total > 0 ? (total - most) / total : 0;
        *colours = int(counts.size());
    }

private Q_SLOTS:
    void initTestCase() {
        // Every hint off: the pages' own hints would otherwise pop up while they are shown.
        m_fixture = std::make_unique<GuiFixture>(kAllHintsOff);
        m_watcher = std::make_unique<ModalWatcher>();
        // At twice the scale the screen is the one of 1280x1024 pixels that CMake describes.
        if (qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2)
            QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(640, 512));
        QVERIFY2(
            QFontInfo(QApplication::font()).family().contains(QLatin1String("DejaVu")),
            qPrintable("the user-interface font resolves to " + QFontInfo(QApplication::font()).family()));
        QVERIFY2(!appPicture(QStringLiteral("main_picture"), QSize(330, 298)).isNull(),
                 "the pictures cannot be read: is the Qt SVG image plugin (libqt6svg6) installed?");
    }

    void cleanupTestCase() {
        qDeleteAll(m_owned);
        m_watcher.reset();
        m_fixture.reset();
    }

    void render_data() {
        QTest::addColumn<QString>("name");
        for (PageId id : allPages())
            QTest::newRow(qPrintable(WizardFlow::className(id))) << WizardFlow::className(id);
        for (const char* name : {"TForm1-hint", "TForm20", "TUserPrefs", "TAbout", "TForm26", "Tsplash",
                                 "HelpWindow", "HostListWindow"})
            QTest::newRow(name) << QString::fromLatin1(name);
        for (const State& state : states())
            QTest::newRow(state.name) << QString::fromLatin1(state.name);
    }

    void render() {
        QFETCH(QString, name);
        // Each page as the Multicast route shows it, unless the page sets a mode of its own.
        m_fixture->wizard->setBuildMode(BuildMode::Multicast);
        QWidget* w = widgetFor(name);
        QVERIFY2(w, qPrintable(name));
        // Rendered without a native window: the page's show handler runs, but nothing is activated.
        if (!w->isVisible()) {
            w->setAttribute(Qt::WA_DontShowOnScreen);
            w->show();
        }
        reach(name, w);
        QCoreApplication::processEvents();
        const QStringList cut = cutTexts(w);
        QVERIFY2(cut.isEmpty(), qPrintable(name + QStringLiteral(": ") + cut.join(QStringLiteral("; "))));
        // Every column of a table in view, without scrolling sideways.
        for (QAbstractScrollArea* table : w->findChildren<QTableView*>())
            QVERIFY2(!table->isVisibleTo(w) || table->horizontalScrollBar()->maximum() == 0,
                     qPrintable(name));
        // Beyond the screen's edge a control cannot be reached by the mouse.
        const QSize room = w->screen()->availableGeometry().size();
        QVERIFY2(room.expandedTo(w->frameGeometry().size()) == room, qPrintable(name));
        const QImage image = w->grab().toImage();
        w->hide();

        QVERIFY2(image.width() >= 200 && image.height() >= 100, qPrintable(name));
        double ink = 0;
        int colours = 0;
        inkAndColours(image, &ink, &colours);
        QVERIFY2(ink > 0.01 && colours > 8,
                 qPrintable(QStringLiteral("%1 looks blank (%2 colours)").arg(name).arg(colours)));
        QVERIFY2(QFontInfo(w->font()).family().contains(QLatin1String("DejaVu")), qPrintable(name));

        // The screenshots at twice the scale go into a folder of their own, scale2.
        QString dir = qEnvironmentVariable("BW_GALLERY_DIR");
        if (!dir.isEmpty()) {
            if (w->devicePixelRatio() == 2)
                dir = QDir(dir).filePath(QStringLiteral("scale2"));
            QVERIFY(QDir().mkpath(dir));
            QVERIFY(image.save(QDir(dir).filePath(name + QStringLiteral(".png"))));
        }
    }

    // Glyphs really come out: a rendered word leaves dark pixels on a white ground.
    void textRenders() {
        QLabel label(QStringLiteral("Pellacore Bootwright"));
        label.setStyleSheet(QStringLiteral("background: white; color: black;"));
        label.adjustSize();
        const QImage image = label.grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        QVERIFY(dark > 40);
    }
};

QTEST_MAIN(TestGalleryGui)
#include "tst_gallery.moc"
