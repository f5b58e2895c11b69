// The wizard from the keyboard, as a person uses it without a mouse: what Tab visits and in which
// order, where the keys go when a page comes up, one mnemonic per letter, Esc, Enter on a list.

#include "gui/pages/wizard_page.h"
#include "gui_fixture.h"
#include "settings/config_store.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The letter after a single "&" of a caption, or nothing.
QChar mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&'))
                return text[i + 1].toUpper();
            ++i;
        }
    }
    return {};
}

// Every caption of the window that a person can reach with Alt+letter now.
QStringList mnemonicCaptions(QWidget* window) {
    QStringList captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            captions << b->text();
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            captions << l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            captions << g->title();
        else if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                captions << t->tabText(i);
    }
    return captions;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<GuiFixture> fx;

    WizardPage* page(PageId id) const { return qobject_cast<WizardPage*>(fx->wizard->form(id)); }

    void showPage(PageId id, int mode) {
        fx->wizard->setBuildMode(BuildMode(mode));
        fx->wizard->go(nullptr, id);
        QVERIFY(QTest::qWaitForWindowActive(page(id)));
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<GuiFixture>(kAllHintsOff);
        TestEnv::writeHostFile(fx->path(QStringLiteral("PCBWNICM.INI")),
                               "[NICS]\r\n3Com EtherLink III=3c5x9.dos\r\nNE2000 Compatible=ne2000.dos\r\n");
    }
    void cleanup() { fx.reset(); }

    void pages_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("mode");
        const QList<QPair<PageId, int>> pages{{PageId::ClientLocation, 1},  {PageId::StandaloneParameters, 2},
                                              {PageId::NetWare, 2},         {PageId::MicrosoftStandalone, 3},
                                              {PageId::NicSelection, 1},    {PageId::NicParameters, 1},
                                              {PageId::MulticastClient, 1}, {PageId::PostConfiguration, 1},
                                              {PageId::DisketteLocation, 1}};
        for (const auto& [id, mode] : pages)
            QTest::newRow(qPrintable(WizardFlow::caption(id))) << int(id) << mode;
    }

    // Tab walks the page's fields in reading order and then the buttons; the keys start in a field.
    void pages() {
        QFETCH(int, id);
        QFETCH(int, mode);
        showPage(PageId(id), mode);
        WizardPage* p = page(PageId(id));
        QWidget* first = QApplication::focusWidget();
        QVERIFY(first);
        QVERIFY2(first != p->backButton() && first != p->nextButton() && first != p->cancelButton(),
                 qPrintable(first->objectName()));

        QList<QWidget*> visited;
        for (int i = 0; i < 60 && (visited.isEmpty() || QApplication::focusWidget() != first); ++i) {
            visited << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QList<QWidget*> row{p->backButton(), p->nextButton(), p->cancelButton()};
        QList<QWidget*> buttons;
        for (QWidget* w : visited) {
            // A group of choices is one stop, on the choice made.
            auto* radio = qobject_cast<QRadioButton*>(w);
            QVERIFY2(!radio || radio->isChecked(), qPrintable(w->objectName() + " is unchecked"));
            if (row.contains(w))
                buttons << w;
            else
                QVERIFY2(buttons.isEmpty(), "a field comes after the buttons in the tab order");
        }
        QCOMPARE(buttons.last(), p->cancelButton());
        QVERIFY2(p->testAttribute(Qt::WA_KeyboardFocusChange), "the keys' place shows on arrival");
        if (PageId(id) == PageId::MulticastClient) {
            const QStringList order{"Edit1", "Edit2", "Edit3", "CheckBox2", "CheckBox3", "CheckBox1"};
            for (int i = 0; i < order.size(); ++i)
                QCOMPARE(visited[i]->objectName(), order[i]);
        }

        // One letter, one control: Alt+letter must not be two things on one page.
        QMap<QChar, QString> seen;
        for (const QString& caption : mnemonicCaptions(p)) {
            const QChar letter = mnemonic(caption);
            if (letter.isNull())
                continue;
            QVERIFY2(
                !seen.contains(letter),
                qPrintable(QStringLiteral("Alt+%1 is \"%2\" and \"%3\"").arg(letter, seen[letter], caption)));
            seen.insert(letter, caption);
        }

        // Every field has a name a screen reader can say: its label, or a name of its own.
        QSet<QWidget*> labelled;
        for (QLabel* label : p->findChildren<QLabel*>())
            if (label->buddy())
                labelled << label->buddy();
        for (QWidget* w : p->findChildren<QWidget*>()) {
            const bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                               qobject_cast<QAbstractItemView*>(w);
            if (!field || !w->isVisibleTo(p) || qobject_cast<QComboBox*>(w->parentWidget()))
                continue;
            QVERIFY2(labelled.contains(w) || !w->accessibleName().isEmpty(),
                     qPrintable(w->objectName() + QStringLiteral(" has no name")));
        }

        // Esc is the page's Cancel.
        fx->dialogs.answer(Dialogs::Button::Cancel);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(fx->dialogs.texts(), QStringList{WizardFlow::cancelQuestion(PageId(id))});
        QVERIFY(p->isVisible());
    }

    // Enter in a field presses Next, as its default look promises.
    void enterInAFieldPressesNext() {
        TestEnv::writeHostFile(fx->path(QStringLiteral("client.exe")), "client");
        fx->control<QLineEdit>("TForm11", "Edit1")->setText(fx->path(QStringLiteral("client.exe")));
        showPage(PageId::ClientLocation, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(fx->wizard->form(PageId::NicSelection)->isVisible());
    }

    void enterOnACardChoosesIt() {
        showPage(PageId::NicSelection, 1);
        auto* list = fx->control<QListWidget>(QStringLiteral("TForm4"), QStringLiteral("ListBox1"));
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Home);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(fx->control<QLineEdit>(QStringLiteral("TForm4"), QStringLiteral("Edit1"))->text(),
                 QStringLiteral("NE2000 Compatible"));
        QCOMPARE(fx->control<QLineEdit>(QStringLiteral("TForm4"), QStringLiteral("Edit2"))->text(),
                 QStringLiteral("NE2000.DOS"));
    }

    void enterOnAConfigurationLoadsIt() {
        BuildSettings s;
        s.setText(QStringLiteral("TForm6.Edit3"), QStringLiteral("LAB7"));
        ConfigStore(fx->path(QString())).save(QStringLiteral("Lab"), s, [] { return true; });
        showPage(PageId::LoadConfiguration, 1);
        auto* list = fx->control<QTreeWidget>(QStringLiteral("TForm12"), QStringLiteral("ListView1"));
        QVERIFY(list);
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(list->currentItem());
        list->currentItem()->setSelected(true);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(fx->wizard->form(PageId::Main)->isVisible());
        QCOMPARE(fx->control<QLineEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit3"))->text(),
                 QStringLiteral("LAB7"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
