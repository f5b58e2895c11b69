#include "gui/pages/load_configuration_page.h"
#include "gui/pages/save_configuration_page.h"
#include "gui/shell/main_window.h"
#include "gui/widgets/address_edit.h"
#include "gui_fixture.h"
#include "platform/profile_file.h"
#include "settings/config_store.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

using Box = QPair<QString, Dialogs::Buttons>;

// PCBWSAVE.INI with all 100 slots taken ("Config 1" to "Config 100"), slot 42 written last.
QByteArray fullRing() {
    QByteArray ini = "[SAVED]\r\nLastSavedItemWas=42\r\n";
    for (int slot = 1; slot <= 100; ++slot)
        ini += "Config " + QByteArray::number(slot) + "=SAVED" + QByteArray::number(slot) + "\r\n";
    for (int slot = 1; slot <= 100; ++slot)
        ini += "[SAVED" + QByteArray::number(slot) + "]\r\ndesc=Config " + QByteArray::number(slot) + "\r\n";
    return ini;
}

QList<Box> boxes(const ScriptedDialogs& dialogs) {
    QList<Box> out;
    for (const ScriptedDialogs::Shown& s : dialogs.shown())
        out << Box{s.text, s.buttons};
    return out;
}

int g_commitsBeforeFailure = 0;
void failAfterSomeCommits(const QString&) {
    if (g_commitsBeforeFailure-- <= 0)
        throw std::runtime_error("disk full");
}

} // namespace

Q_DECLARE_METATYPE(QList<Box>)

class TestConfigurationPages : public QObject {
    Q_OBJECT
private:
    static SaveConfigurationPage* savePage(const GuiFixture& f) {
        return f.wizard->form<SaveConfigurationPage>(PageId::SaveConfiguration);
    }
    static LoadConfigurationPage* loadPage(const GuiFixture& f) {
        return f.wizard->form<LoadConfigurationPage>(PageId::LoadConfiguration);
    }
    static QString saveIni(const GuiFixture& f) { return f.path(QStringLiteral("PCBWSAVE.INI")); }
    static QString readSaved(const GuiFixture& f, const QString& section, const QString& key) {
        return ProfileFile(saveIni(f)).readString(section, key, QStringLiteral("<none>"));
    }

    // From the summary's "&Save Configuration", types the description over the field and saves.
    static void saveThroughPages(GuiFixture& f, const QString& description, bool byEnter = false) {
        f.wizard->go(nullptr, PageId::Summary);
        QTest::mouseClick(f.control<QPushButton>(QStringLiteral("TForm8"), QStringLiteral("Button4")),
                          Qt::LeftButton);
        QVERIFY(savePage(f)->isVisible());
        auto* edit = f.control<QLineEdit>(QStringLiteral("TForm13"), QStringLiteral("Edit1"));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, description);
        if (byEnter)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            QTest::mouseClick(savePage(f)->saveButton(), Qt::LeftButton);
    }

    // The load page as "&Load Previous Configuration" opens it.
    static QTreeWidget* openLoadPage(GuiFixture& f) {
        f.wizard->showMain();
        f.wizard->form<MainWindow>(PageId::Main)
            ->findChild<QAction*>(QStringLiteral("LoadPreviousConfiguration1"))
            ->trigger();
        LoadConfigurationPage* page = loadPage(f);
        if (!page->isVisible() || !QTest::qWaitForWindowExposed(page))
            return nullptr;
        return page->listView();
    }
    static QStringList captions(const QTreeWidget* list) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(0);
        return out;
    }
    static QPoint itemCentre(const QTreeWidget* list, int row) {
        return list->visualItemRect(list->topLevelItem(row)).center();
    }
    static void clickItem(QTreeWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre(list, row));
    }
    // A user's double-click: the first press selects, then the double-click arrives.
    static void doubleClickItem(QTreeWidget* list, int row) {
        clickItem(list, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, itemCentre(list, row));
    }

private Q_SLOTS:
    void cleanup() { ProfileFile::setCommitHookForTesting(nullptr); }
    void looks();
    void saveListLoad_data();
    void saveListLoad();
    void loadLeavesUnsavedValues();
    void saveMessages_data();
    void saveMessages();
    void overwriteKeepsItsSlot();
    void refusedWriteIsReported();
    void ringWrapsAndRemove();
    void fullRingReplacesWhenTheUserAgrees();
    void nextCancelAndEmptyDoubleClick();
    void unreadableAddressIsNamed();
};

void TestConfigurationPages::looks() {
    GuiFixture f(kAllHintsOff);
    SaveConfigurationPage* save = savePage(f);
    QCOMPARE(save->windowTitle(), QStringLiteral("Save Configuration"));
    QCOMPARE(
        save->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
        QStringLiteral("Enter a short description for this configuration.   The description you enter here "
                       "will be how you will identify this configuration in the future."));
    QCOMPARE(save->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Description:"));
    QCOMPARE(save->saveButton()->text(), QStringLiteral("&Save"));
    QCOMPARE(save->cancelButton()->text(), QStringLiteral("&Cancel"));

    QTreeWidget* list = openLoadPage(f);
    QVERIFY(list);
    LoadConfigurationPage* load = loadPage(f);
    QCOMPARE(load->windowTitle(), QStringLiteral("Load Configuration"));
    QCOMPARE(
        load->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
        QStringLiteral("Double-click the configuration to load or single-click and select the \"remove\" "
                       "button to delete an item."));
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Saved Items"));
    QCOMPARE(list->columnWidth(0), 353);
    QVERIFY(!load->backButton()->isVisible());
    QCOMPARE(load->removeButton()->text(), QStringLiteral("&Remove"));
    QVERIFY(!load->removeButton()->isEnabled());

    QTest::keyClick(list, Qt::Key_F1);
    f.wizard->go(load, PageId::SaveConfiguration);
    QTest::keyClick(f.control(QStringLiteral("TForm13"), QStringLiteral("Edit1")), Qt::Key_F1);
    QCOMPARE(f.help.calls, (QStringList{"context:501", "context:509"}));
}

void TestConfigurationPages::saveListLoad_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("nos");
    QTest::addColumn<bool>("byDoubleClick");
    QTest::addColumn<int>("image");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("loadedMode");
    QTest::newRow("multicast, double-click") << 1 << 0 << true << int(LoadConfigurationPage::MulticastImage)
                                             << ConfigMessages::MulticastLoaded << 1;
    QTest::newRow("no network, next") << 4 << 3 << false << int(LoadConfigurationPage::StandaloneImage)
                                      << ConfigMessages::StandaloneLoaded << 2;
    QTest::newRow("microsoft, double-click") << 3 << 2 << true << int(LoadConfigurationPage::StandaloneImage)
                                             << ConfigMessages::StandaloneLoaded << 2;
}

void TestConfigurationPages::saveListLoad() {
    QFETCH(int, mode);
    QFETCH(int, nos);
    QFETCH(bool, byDoubleClick);
    QFETCH(int, image);
    QFETCH(QString, message);
    QFETCH(int, loadedMode);
    GuiFixture f(kAllHintsOff);
    auto* client = f.control<QLineEdit>(QStringLiteral("TForm11"), QStringLiteral("Edit1"));
    auto* name = f.control<QLineEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit3"));
    auto* address = f.control<AddressEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit1"));
    auto* irq = f.control<QComboBox>(QStringLiteral("TForm7"), QStringLiteral("ComboBox1"));
    auto* nosBox = f.control<QComboBox>(QStringLiteral("TForm9"), QStringLiteral("ComboBox1"));
    auto* postConfigure = f.control<QRadioButton>(QStringLiteral("TForm99"), QStringLiteral("RadioButton1"));
    QVERIFY(client && name && address && irq && nosBox && postConfigure);

    client->setText(QStringLiteral("/opt/pella/CLIENT.EXE"));
    name->setText(QStringLiteral("LAB7"));
    address->setValue(QStringLiteral(" 10.  1.  2.  3"));
    irq->setCurrentIndex(11);
    nosBox->setCurrentIndex(nos);
    postConfigure->setChecked(true);
    f.wizard->setBuildMode(BuildMode(mode));
    saveThroughPages(f, QStringLiteral("Lab one"));
    QVERIFY(f.dialogs.shown().isEmpty());
    QVERIFY(f.wizard->form(PageId::Summary)->isVisible());
    QVERIFY(!savePage(f)->isVisible());
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Lab one")), QStringLiteral("SAVED2"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("LastSavedItemWas")), QStringLiteral("2"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED2"), QStringLiteral("paramh")), mode == 1 ? "1" : "0");
    QCOMPARE(readSaved(f, QStringLiteral("SAVED2"), QStringLiteral("paramf")), QStringLiteral("LAB7"));

    // Everything moves on before the load brings it back.
    client->setText(QStringLiteral("/elsewhere/CLIENT.EXE"));
    name->setText(QStringLiteral("OTHER"));
    address->setValue(QStringLiteral("192.168.  0.  9"));
    irq->setCurrentIndex(3);
    nosBox->setCurrentIndex(0);
    f.control<QRadioButton>(QStringLiteral("TForm99"), QStringLiteral("RadioButton2"))->setChecked(true);
    f.control<QLineEdit>(QStringLiteral("TForm13"), QStringLiteral("Edit1"))
        ->setText(QStringLiteral("typed"));
    f.wizard->setBuildMode(mode == 1 ? BuildMode::NetWare : BuildMode::Multicast);

    QTreeWidget* list = openLoadPage(f);
    QVERIFY(list);
    QCOMPARE(captions(list), QStringList{"Lab one"});
    QCOMPARE(list->topLevelItem(0)->data(0, LoadConfigurationPage::ImageIndexRole).toInt(), image);
    QVERIFY(!list->topLevelItem(0)->icon(0).pixmap(16, 16).isNull());
    QVERIFY(!loadPage(f)->removeButton()->isEnabled());
    if (byDoubleClick) {
        doubleClickItem(list, 0);
    } else {
        clickItem(list, 0);
        QVERIFY(loadPage(f)->removeButton()->isEnabled());
        QTest::mouseClick(loadPage(f)->nextButton(), Qt::LeftButton);
    }

    QCOMPARE(boxes(f.dialogs), (QList<Box>{{message, Dialogs::Buttons::Ok}}));
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Information);
    QVERIFY(f.wizard->form(PageId::Main)->isVisible());
    QVERIFY(!loadPage(f)->isVisible());
    QCOMPARE(BuildModes::number(f.wizard->buildMode()), loadedMode);
    QCOMPARE(client->text(), QStringLiteral("/opt/pella/CLIENT.EXE"));
    QCOMPARE(name->text(), QStringLiteral("LAB7"));
    QCOMPARE(address->value(), QStringLiteral(" 10.  1.  2.  3"));
    QCOMPARE(irq->currentIndex(), 11);
    QCOMPARE(nosBox->currentIndex(), nos);
    QVERIFY(postConfigure->isChecked());
    QVERIFY(!f.control<QRadioButton>(QStringLiteral("TForm99"), QStringLiteral("RadioButton2"))->isChecked());
    QCOMPARE(f.control<QLineEdit>(QStringLiteral("TForm13"), QStringLiteral("Edit1"))->text(),
             QStringLiteral("Lab one"));
}

void TestConfigurationPages::loadLeavesUnsavedValues() {
    GuiFixture f(kAllHintsOff);
    auto* driveA = f.control<QRadioButton>(QStringLiteral("TForm2"), QStringLiteral("RadioButton1"));
    auto* driveB = f.control<QRadioButton>(QStringLiteral("TForm2"), QStringLiteral("RadioButton2"));
    auto* msName = f.control<QLineEdit>(QStringLiteral("TForm40"), QStringLiteral("Edit3"));
    auto* msDhcp = f.control<QRadioButton>(QStringLiteral("TForm40"), QStringLiteral("RadioButton16"));
    auto* msAddress = f.control<AddressEdit>(QStringLiteral("TForm40"), QStringLiteral("Edit1"));
    auto* computerCopy = f.control<QLineEdit>(QStringLiteral("TForm99"), QStringLiteral("Edit4"));
    QVERIFY(driveA && driveB && msName && msDhcp && msAddress && computerCopy);

    driveB->setChecked(true);
    saveThroughPages(f, QStringLiteral("Drive B"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED2"), QStringLiteral("paramm")), QStringLiteral("0"));

    driveA->setChecked(true);
    msName->setText(QStringLiteral("MSPC4"));
    msDhcp->setChecked(true);
    msAddress->setValue(QStringLiteral(" 10.  0.  0. 44"));
    computerCopy->setText(QStringLiteral("KEEPME"));
    QTreeWidget* list = openLoadPage(f);
    QVERIFY(list);
    doubleClickItem(list, 0);
    QCOMPARE(f.dialogs.texts(), QStringList{ConfigMessages::MulticastLoaded});

    // Drive B: was never saved as such: the load clears A: and leaves B: alone, so neither is set.
    QVERIFY(!driveA->isChecked());
    QVERIFY(!driveB->isChecked());
    QCOMPARE(msName->text(), QStringLiteral("MSPC4"));
    QVERIFY(msDhcp->isChecked());
    QCOMPARE(msAddress->value(), QStringLiteral(" 10.  0.  0. 44"));
    QCOMPARE(computerCopy->text(), QStringLiteral("KEEPME"));
}

void TestConfigurationPages::saveMessages_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Dialogs::Button>("answer");
    QTest::addColumn<QList<Box>>("expected");

    const QByteArray existing =
        "[SAVED]\r\nLastSavedItemWas=3\r\nLab=SAVED7\r\n[SAVED7]\r\ndesc=Lab\r\nparamh=1\r\n";
    const Box needDescription{ConfigMessages::NeedDescription, Dialogs::Buttons::OkCancel};
    QTest::newRow("empty") << QByteArray() << QString() << Dialogs::Button::Ok << QList<Box>{needDescription};
    QTest::newRow("blanks only") << existing << QStringLiteral("   ") << Dialogs::Button::Cancel
                                 << QList<Box>{needDescription};
    for (const char* bad : {"a=b", "[Lab]", "LastSavedItemWas", ";note"}) {
        QTest::newRow(bad) << existing << QString::fromLatin1(bad) << Dialogs::Button::Ok
                           << QList<Box>{{ConfigStore::descriptionProblem(QString::fromLatin1(bad)),
                                          Dialogs::Buttons::Ok}};
    }
    QTest::newRow("overwrite, no") << existing << QStringLiteral("LAB") << Dialogs::Button::No
                                   << QList<Box>{{ConfigMessages::AlreadyExists, Dialogs::Buttons::YesNo},
                                                 {ConfigMessages::NotSaved, Dialogs::Buttons::OkCancel}};
    // With every slot taken, the configuration that would go is named first.
    QTest::newRow("all slots in use, replace: no")
        << fullRing() << QStringLiteral("New") << Dialogs::Button::No
        << QList<Box>{
               {ConfigMessages::ReplaceOldest.arg(QStringLiteral("Config 43")), Dialogs::Buttons::YesNo},
               {ConfigMessages::NotSaved, Dialogs::Buttons::OkCancel}};
}

void TestConfigurationPages::fullRingReplacesWhenTheUserAgrees() {
    GuiFixture f(kAllHintsOff);
    TestEnv::writeHostFile(saveIni(f), fullRing());
    f.dialogs.answer(Dialogs::Button::Yes);
    saveThroughPages(f, QStringLiteral("New"));
    QCOMPARE(boxes(f.dialogs), (QList<Box>{{ConfigMessages::ReplaceOldest.arg(QStringLiteral("Config 43")),
                                            Dialogs::Buttons::YesNo}}));
    QVERIFY(f.wizard->form(PageId::Summary)->isVisible());
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("New")), QStringLiteral("SAVED43"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Config 43")), QStringLiteral("<none>"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED43"), QStringLiteral("desc")), QStringLiteral("New"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED44"), QStringLiteral("desc")), QStringLiteral("Config 44"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("LastSavedItemWas")), QStringLiteral("43"));
}

// Every refusal keeps the page open and leaves the file exactly as it was.
void TestConfigurationPages::saveMessages() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, typed);
    QFETCH(Dialogs::Button, answer);
    QFETCH(QList<Box>, expected);
    GuiFixture f(kAllHintsOff);
    if (!ini.isEmpty())
        TestEnv::writeHostFile(saveIni(f), ini);
    f.dialogs.answer(answer);
    saveThroughPages(f, typed);
    QCOMPARE(boxes(f.dialogs), expected);
    for (const ScriptedDialogs::Shown& s : f.dialogs.shown())
        QCOMPARE(s.icon, Dialogs::Icon::Information);
    QVERIFY(savePage(f)->isVisible());
    QVERIFY(!f.wizard->form(PageId::Summary)->isVisible());
    if (ini.isEmpty())
        QVERIFY(!QFileInfo::exists(saveIni(f)));
    else
        QCOMPARE(TestEnv::readHostFile(saveIni(f)), ini);
}

void TestConfigurationPages::overwriteKeepsItsSlot() {
    GuiFixture f(kAllHintsOff);
    TestEnv::writeHostFile(saveIni(f),
                           "[SAVED]\r\nLastSavedItemWas=3\r\nLab=SAVED7\r\n[SAVED7]\r\ndesc=Lab\r\n");
    f.control<QLineEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit3"))->setText(QStringLiteral("NEW1"));
    f.dialogs.answer(Dialogs::Button::Yes);
    saveThroughPages(f, QStringLiteral("lab"));
    QCOMPARE(boxes(f.dialogs), (QList<Box>{{ConfigMessages::AlreadyExists, Dialogs::Buttons::YesNo}}));
    QVERIFY(f.wizard->form(PageId::Summary)->isVisible());
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("LastSavedItemWas")), QStringLiteral("7"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED7"), QStringLiteral("paramf")), QStringLiteral("NEW1"));

    f.dialogs.clear();
    saveThroughPages(f, QStringLiteral("Next one"), true);
    QVERIFY(f.dialogs.shown().isEmpty());
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Next one")), QStringLiteral("SAVED8"));
}

void TestConfigurationPages::refusedWriteIsReported() {
    GuiFixture f(kAllHintsOff);
    TestEnv::writeHostFile(saveIni(f), "[SAVED]\r\nLastSavedItemWas=3\r\n");
    g_commitsBeforeFailure = 0; // the save's one replacement of the file is refused
    ProfileFile::setCommitHookForTesting(failAfterSomeCommits);
    saveThroughPages(f, QStringLiteral("Lab"));
    ProfileFile::setCommitHookForTesting(nullptr);
    QCOMPARE(f.dialogs.texts(),
             QStringList{"Unable to write to " + QFileInfo(saveIni(f)).absoluteFilePath() +
                         "\nCannot write " + QFileInfo(saveIni(f)).absoluteFilePath() + ": disk full"});
    QCOMPARE(f.dialogs.shown().first().icon, Dialogs::Icon::Error);
    QVERIFY(savePage(f)->isVisible());
    // Nothing of the refused save is in the file; the counter was not moved on.
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("LastSavedItemWas")), QStringLiteral("3"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Lab")), QStringLiteral("<none>"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED4"), QStringLiteral("desc")), QStringLiteral("<none>"));
}

void TestConfigurationPages::ringWrapsAndRemove() {
    GuiFixture f(kAllHintsOff);
    TestEnv::writeHostFile(saveIni(f), "[SAVED]\r\nLastSavedItemWas=99\r\nOld=SAVED1\r\n"
                                       "[SAVED1]\r\ndesc=Old\r\nparamh=0\r\n");
    saveThroughPages(f, QStringLiteral("Hundred"));
    f.wizard->setBuildMode(BuildMode::NetWare);
    saveThroughPages(f, QStringLiteral("Wrapped"));
    // After slot 100 the ring goes on at the first free slot: Old keeps slot 1, no question asked.
    QVERIFY(f.dialogs.shown().isEmpty());
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Hundred")), QStringLiteral("SAVED100"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Wrapped")), QStringLiteral("SAVED2"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Old")), QStringLiteral("SAVED1"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED1"), QStringLiteral("desc")), QStringLiteral("Old"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("LastSavedItemWas")), QStringLiteral("2"));

    QTreeWidget* list = openLoadPage(f);
    QVERIFY(list);
    QCOMPARE(captions(list), (QStringList{"Old", "Wrapped", "Hundred"}));
    QCOMPARE(list->topLevelItem(1)->data(0, LoadConfigurationPage::ImageIndexRole).toInt(),
             int(LoadConfigurationPage::StandaloneImage));
    QCOMPARE(list->topLevelItem(2)->data(0, LoadConfigurationPage::ImageIndexRole).toInt(),
             int(LoadConfigurationPage::MulticastImage));

    clickItem(list, 2);
    QPushButton* remove = loadPage(f)->removeButton();
    QVERIFY(remove->isEnabled());
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(captions(list), (QStringList{"Old", "Wrapped"}));
    QVERIFY(!remove->isEnabled());
    QVERIFY(f.dialogs.shown().isEmpty());
    QVERIFY(loadPage(f)->isVisible());
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("Hundred")), QStringLiteral("<none>"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED100"), QStringLiteral("desc")), QStringLiteral("<none>"));
    QCOMPARE(readSaved(f, QStringLiteral("SAVED"), QStringLiteral("LastSavedItemWas")), QStringLiteral("2"));

    // A click on empty space selects nothing, so Remove stays off.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 4));
    QVERIFY(!remove->isEnabled());
}

void TestConfigurationPages::nextCancelAndEmptyDoubleClick() {
    GuiFixture f(kAllHintsOff);
    saveThroughPages(f, QStringLiteral("Only"));
    auto* name = f.control<QLineEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit3"));
    name->setText(QStringLiteral("UNSAVED"));
    f.wizard->setBuildMode(BuildMode::NetWare);

    // Next with nothing selected goes on with the values as they are.
    QTreeWidget* list = openLoadPage(f);
    QVERIFY(list);
    QTest::mouseClick(loadPage(f)->nextButton(), Qt::LeftButton);
    QVERIFY(f.wizard->form(PageId::ClientLocation)->isVisible());
    QVERIFY(!loadPage(f)->isVisible());

    // Cancel asks nothing.
    f.wizard->form(PageId::ClientLocation)->hide();
    list = openLoadPage(f);
    QTest::mouseClick(loadPage(f)->cancelButton(), Qt::LeftButton);
    QVERIFY(f.wizard->form(PageId::Main)->isVisible());
    QVERIFY(!loadPage(f)->isVisible());
    QVERIFY(f.dialogs.shown().isEmpty());

    // A double-click on empty space with nothing selected finds nothing to load.
    list = openLoadPage(f);
    const QPoint empty(10, list->viewport()->height() - 4);
    QVERIFY(!list->itemAt(empty));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, empty);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, empty);
    QCOMPARE(boxes(f.dialogs), (QList<Box>{{ConfigMessages::NotFound, Dialogs::Buttons::Ok}}));
    QVERIFY(f.dialogs.texts().first().contains(QLatin1Char('\r')));
    QVERIFY(f.wizard->form(PageId::Main)->isVisible());
    QVERIFY(!loadPage(f)->isVisible());

    QCOMPARE(name->text(), QStringLiteral("UNSAVED"));
    QCOMPARE(f.wizard->buildMode(), BuildMode::NetWare);
}

void TestConfigurationPages::unreadableAddressIsNamed() {
    GuiFixture f(kAllHintsOff);
    TestEnv::writeHostFile(
        saveIni(f), "[SAVED]\r\nBad=SAVED5\r\n[SAVED5]\r\ndesc=Bad\r\nparamh=1\r\nparamd=ten.0.0.1\r\n");
    QTreeWidget* list = openLoadPage(f);
    QVERIFY(list);
    doubleClickItem(list, 0);
    QCOMPARE(f.dialogs.shown().size(), 2);
    QCOMPARE(f.dialogs.shown().at(0).icon, Dialogs::Icon::Warning);
    QVERIFY(f.dialogs.texts().at(0).contains(QStringLiteral("paramd")));
    QCOMPARE(f.dialogs.texts().at(1), ConfigMessages::MulticastLoaded);
    QCOMPARE(f.control<AddressEdit>(QStringLiteral("TForm6"), QStringLiteral("Edit1"))->value(),
             QStringLiteral("   .   .   .   "));
}

QTEST_MAIN(TestConfigurationPages)
#include "tst_configuration_pages.moc"
