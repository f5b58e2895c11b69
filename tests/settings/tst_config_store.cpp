#include "platform/profile_file.h"
#include "platform/text_codec.h"
#include "settings/config_store.h"
#include "settings/settings_table.h"
#include "test_env.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray crlf(const QByteArray& lines) {
    QByteArray out = lines;
    return out.replace("\n", "\r\n");
}

// The last save's slot section of a default BuildSettings, as every reader of the file sees it.
const QByteArray kDefaultSlotKeys = "desc=Lab\n"
                                    "parama=\nparamb=\nparamc=NIC Driver Name\nparamo=\n"
                                    "paramd=\"  0.  0.  0.  0\"\nparame=\"   .   .   .   \"\n"
                                    "paramf=Not Specified\nparamaa=CLIENT\nparamx=0\nparamy=1\nparamz=0\n"
                                    "paramh=1\nparami=0\nparamr=5\nparams=PELLA\nparamt=1\nparamu=0\n"
                                    "paramab=1\nparamac=0\nparamad=0\nparamae=8\n"
                                    "paramaf=\\\\IMAGESRV\\Sys\\Images\nparamj=1\nparamp=0\nparamk=5\n"
                                    "paraml=300\nparamm=1\nparamn=0\nparamv=1\nparamw=0\nparamba=1\n"
                                    "parambb=0\nparambc=0\nparambd=1\nparambe=0\nparambf=0\nparambg=1\n"
                                    "parambh=0\nparambi=1\nparambj=0\nparambk=0\nparambl=0\nparambm=0\n"
                                    "parambn=0\nparambo=1\nparambp=0\nparambq=1\nparambr=0\nparambs=0\n"
                                    "parambt=0\nparambu=0\nparambv=0\nparambw=Same as Image\n"
                                    "parambx=Same as Image\nparamby=Same as Image\n"
                                    "parambz=\"   .   .   .   \"\nparamca=\"  0.  0.  0.  0\"\n";

int g_writesBeforeFailure = -1;
void failAfterSomeWrites(const QString&) {
    if (g_writesBeforeFailure-- == 0)
        throw std::runtime_error("disk full");
}

bool yes() {
    return true;
}

} // namespace

class TstConfigStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_ini;

    void writeIni(const QByteArray& lines) { TestEnv::writeHostFile(m_ini, crlf(lines)); }
    QByteArray ini() const { return TestEnv::readHostFile(m_ini); }
    ConfigStore store() const { return ConfigStore(m_dir.path()); }
    QString saved(const QString& key) const { return ProfileFile(m_ini).readString("SAVED", key); }

private Q_SLOTS:
    void init();
    void cleanup();
    void firstSaveWritesEveryKeyIntoSlot2();
    void ringSlot_data();
    void ringSlot();
    void ringWrapsAfter100();
    void overwriteKeepsTheSlot();
    void overwriteDeclinedWritesNothing();
    void overwriteOfEntryNamingNoSlotTakesTheNextSlot();
    void refusedDescriptionWritesNothing_data();
    void refusedDescriptionWritesNothing();
    void descriptionIsTrimmed();
    void refusedWriteStopsTheSave();
    void listShowsSlotsWithDescription();
    void loadWithoutEntryTakesLoadDefaults();
    void loadRadioGroupInTableOrder_data();
    void loadRadioGroupInTableOrder();
    void noNetworkRoundTrip();
    void roundTripKeepsEveryKeyedValue();
    void loadAddressWrittenByWindows_data();
    void loadAddressWrittenByWindows();
    void saveNeverOutgrowsWhatReadsTake();
    void removeErasesSlotAndEntry();
    void removeNeverErasesTheIndex();
    void messagesCarryARealCarriageReturn();
};

void TstConfigStore::init() {
    QVERIFY(m_dir.isValid());
    m_ini = m_dir.filePath("PCBWSAVE.INI");
    QFile::remove(m_ini);
}

void TstConfigStore::cleanup() {
    ProfileFile::setCommitHookForTesting(nullptr);
}

void TstConfigStore::firstSaveWritesEveryKeyIntoSlot2() {
    const ConfigStore::SaveResult r = store().save("Lab", BuildSettings(), yes);
    QCOMPARE(r.status, ConfigStore::SaveResult::Status::Saved);
    QCOMPARE(r.slot, 2);
    QCOMPARE(ini(), crlf("[SAVED]\nLab=SAVED2\nLastSavedItemWas=2\n[SAVED2]\n" + kDefaultSlotKeys));
}

void TstConfigStore::ringSlot_data() {
    QTest::addColumn<QByteArray>("counter");
    QTest::addColumn<int>("slot");
    QTest::newRow("57") << QByteArray("57") << 58;
    QTest::newRow("99") << QByteArray("99") << 100;
    QTest::newRow("100") << QByteArray("100") << 1;
    QTest::newRow("above 100") << QByteArray("150") << 1;
    QTest::newRow("negative") << QByteArray("-5") << 1;
    QTest::newRow("not a number") << QByteArray("x") << 2;
}

void TstConfigStore::ringSlot() {
    QFETCH(QByteArray, counter);
    writeIni("[SAVED]\nLastSavedItemWas=" + counter + "\n");
    QTEST(store().save("Lab", BuildSettings(), yes).slot, "slot");
}

void TstConfigStore::ringWrapsAfter100() {
    writeIni("[SAVED]\nLastSavedItemWas=99\n");
    QCOMPARE(store().save("A", BuildSettings(), yes).slot, 100);
    QCOMPARE(store().save("B", BuildSettings(), yes).slot, 1);
    QCOMPARE(saved("A"), QStringLiteral("SAVED100"));
    QCOMPARE(saved("B"), QStringLiteral("SAVED1"));
    QCOMPARE(saved("LastSavedItemWas"), QStringLiteral("1"));
    const QVector<ConfigStore::Item> items = store().list();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0].description, QStringLiteral("B"));
    QCOMPARE(items[1].slot, 100);
}

void TstConfigStore::overwriteKeepsTheSlot() {
    writeIni("[SAVED]\nLastSavedItemWas=20\nLab=SAVED7\n[SAVED7]\ndesc=Lab\nparamf=Old\n");
    int asked = 0;
    const ConfigStore::SaveResult r = store().save("LAB", BuildSettings(), [&] { return ++asked > 0; });
    QCOMPARE(asked, 1);
    QCOMPARE(r.slot, 7);
    QCOMPARE(saved("LastSavedItemWas"), QStringLiteral("7"));
    QCOMPARE(ProfileFile(m_ini).readString("SAVED7", "paramf"), QStringLiteral("Not Specified"));
    QVERIFY(!ini().contains("[SAVED21]"));
    QCOMPARE(store().save("Next", BuildSettings(), yes).slot, 8);
}

void TstConfigStore::overwriteDeclinedWritesNothing() {
    writeIni("[SAVED]\nLastSavedItemWas=20\nLab=SAVED7\n[SAVED7]\ndesc=Lab\n");
    const QByteArray before = ini();
    for (const auto& answer : {std::function<bool()>([] { return false; }), std::function<bool()>()}) {
        const ConfigStore::SaveResult r = store().save("lab", BuildSettings(), answer);
        QCOMPARE(r.status, ConfigStore::SaveResult::Status::NotOverwritten);
        QCOMPARE(r.message, ConfigMessages::NotSaved);
        QCOMPARE(ini(), before);
    }
}

void TstConfigStore::overwriteOfEntryNamingNoSlotTakesTheNextSlot() {
    writeIni("[SAVED]\nLastSavedItemWas=4\nLab=SAVED\nOther=SAVED3\n");
    QCOMPARE(store().save("Lab", BuildSettings(), yes).slot, 5);
    QCOMPARE(saved("Lab"), QStringLiteral("SAVED5"));
    QCOMPARE(saved("Other"), QStringLiteral("SAVED3"));
}

void TstConfigStore::refusedDescriptionWritesNothing_data() {
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("message"); // empty: any clear text will do
    QTest::newRow("empty") << "" << ConfigMessages::NeedDescription;
    QTest::newRow("blanks") << "   " << ConfigMessages::NeedDescription;
    QTest::newRow("equals") << "a=b"
                            << "";
    QTest::newRow("open bracket") << "[x"
                                  << "";
    QTest::newRow("close bracket") << "x]"
                                   << "";
    QTest::newRow("line feed") << "two\nlines"
                               << "";
    QTest::newRow("carriage return") << "two\rlines"
                                     << "";
    QTest::newRow("comment") << ";note"
                             << "";
    QTest::newRow("counter") << "LastSavedItemWas"
                             << "";
    QTest::newRow("counter other case") << " lastsaveditemwas "
                                        << "";
    QTest::newRow("too long") << QString(1024, 'x') << "";
    QTest::newRow("outside the character set") << QString::fromUtf8("Lab \xe2\x84\xa6") << "";
}

void TstConfigStore::refusedDescriptionWritesNothing() {
    QFETCH(QString, description);
    QFETCH(QString, message);
    writeIni("[SAVED]\nLastSavedItemWas=3\nLab=SAVED3\n");
    const QByteArray before = ini();
    const ConfigStore::SaveResult r = store().save(description, BuildSettings(), yes);
    QCOMPARE(r.status, ConfigStore::SaveResult::Status::Refused);
    QVERIFY(!r.message.isEmpty());
    if (!message.isEmpty())
        QCOMPARE(r.message, message);
    QCOMPARE(ini(), before);
}

void TstConfigStore::descriptionIsTrimmed() {
    QCOMPARE(store().save("  Lab 1 ", BuildSettings(), yes).slot, 2);
    QCOMPARE(saved("Lab 1"), QStringLiteral("SAVED2"));
    QCOMPARE(store().list().value(0).description, QStringLiteral("Lab 1"));
}

void TstConfigStore::refusedWriteStopsTheSave() {
    writeIni("[SAVED]\nLastSavedItemWas=3\n");
    // A save is one replacement of the file: refused, it leaves nothing of itself behind.
    g_writesBeforeFailure = 0;
    ProfileFile::setCommitHookForTesting(failAfterSomeWrites);
    const ConfigStore::SaveResult r = store().save("Lab", BuildSettings(), yes);
    ProfileFile::setCommitHookForTesting(nullptr);
    QCOMPARE(r.status, ConfigStore::SaveResult::Status::Failed);
    QCOMPARE(r.message, "Unable to write to " + QFileInfo(m_ini).absoluteFilePath() + "\nCannot write " +
                            QFileInfo(m_ini).absoluteFilePath() + ": disk full");
    QCOMPARE(ini(), crlf("[SAVED]\nLastSavedItemWas=3\n"));
}

void TstConfigStore::listShowsSlotsWithDescription() {
    writeIni("[SAVED]\nA=SAVED9\n[SAVED9]\ndesc=A\nparamh=1\n[SAVED3]\nparamh=1\n"
             "[SAVED4]\nDESC=Stand\n[SAVED101]\ndesc=Beyond\n[SAVED2]\ndesc=Two\nparamh=1\n");
    const QVector<ConfigStore::Item> items = store().list();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0].description, QStringLiteral("Two"));
    QVERIFY(items[0].multicast);
    QCOMPARE(items[1].description, QStringLiteral("Stand"));
    QVERIFY(!items[1].multicast);
    QCOMPARE(items[2].slot, 9);
}

void TstConfigStore::loadWithoutEntryTakesLoadDefaults() {
    writeIni("[SAVED]\nLastSavedItemWas=5\n[SAVED5]\ndesc=Ghost\nparamh=0\nparamf=PC1\n");
    BuildSettings current;
    current.setBuildMode(BuildMode::NoNetwork);
    current.setText("TForm40.Edit3", "KEEP");
    current.setText("TForm99.Edit4", "COPY");
    current.setChecked("TForm2.RadioButton2", true);
    const BuildSettings s = store().load("Ghost", current);
    QCOMPARE(s.buildMode(), BuildMode::Multicast);
    QCOMPARE(s.text("TForm6.Edit3"), QString());
    QCOMPARE(s.text("TForm6.Edit1"), QStringLiteral("   .   .   .   "));
    QCOMPARE(s.text("TForm6.Edit4"), QStringLiteral("CLIENT"));
    QCOMPARE(s.index("TForm21.ComboBox2"), 0);
    QCOMPARE(s.text("TForm7.ComboBox2"), QString());
    QVERIFY(s.isChecked("TForm2.RadioButton1"));
    QVERIFY(!s.isChecked("TForm2.RadioButton2"));
    QVERIFY(s.isChecked("TForm2.CheckBox1"));
    QVERIFY(!s.isChecked("TForm99.RadioButton14"));
    QVERIFY(!s.isChecked("TForm6.CheckBox1"));
    QCOMPARE(s.text("TForm21.Edit2"), QStringLiteral("\\\\IMAGESRV\\Sys\\Images"));
    QCOMPARE(s.text("TForm40.Edit3"), QStringLiteral("KEEP"));
    QCOMPARE(s.text("TForm99.Edit4"), QStringLiteral("COPY"));
    QCOMPARE(s.text("TForm13.Edit1"), QStringLiteral("Ghost"));
}

void TstConfigStore::loadRadioGroupInTableOrder_data() {
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<bool>("radio3");
    QTest::addColumn<bool>("radio4");
    QTest::newRow("both missing") << QByteArray() << false << true;
    QTest::newRow("first") << QByteArray("paramv=1\nparamw=0\n") << true << false;
    QTest::newRow("second") << QByteArray("paramv=0\nparamw=1\n") << false << true;
    QTest::newRow("neither") << QByteArray("paramv=0\nparamw=0\n") << false << false;
    QTest::newRow("only first stored") << QByteArray("paramv=1\n") << false << true;
}

void TstConfigStore::loadRadioGroupInTableOrder() {
    QFETCH(QByteArray, keys);
    writeIni("[SAVED]\nX=SAVED1\n[SAVED1]\ndesc=X\n" + keys);
    const BuildSettings s = store().load("x", BuildSettings());
    QTEST(s.isChecked("TForm2.RadioButton3"), "radio3");
    QTEST(s.isChecked("TForm2.RadioButton4"), "radio4");
}

void TstConfigStore::noNetworkRoundTrip() {
    BuildSettings settings;
    settings.setBuildMode(BuildMode::NoNetwork);
    settings.setIndex("TForm9.ComboBox1", 3);
    QCOMPARE(store().save("Local pull", settings, yes).status, ConfigStore::SaveResult::Status::Saved);
    QVERIFY(!store().list().value(0).multicast);
    const BuildSettings loaded = store().load("Local pull", BuildSettings());
    QCOMPARE(loaded.buildMode(), BuildMode::NetWare);
    QCOMPARE(loaded.index("TForm9.ComboBox1"), 3);
    QCOMPARE(ConfigStore::loadedMessage(loaded), ConfigMessages::StandaloneLoaded);
}

void TstConfigStore::roundTripKeepsEveryKeyedValue() {
    BuildSettings settings;
    settings.setText("TForm11.Edit1", "/opt/pella/client.exe");
    settings.setText("TForm6.Edit1", " 10.  1.  2.  3");
    settings.setText("TForm6.Edit2", "255.255.  0.  0");
    settings.setText("TForm6.Edit3", "\"Lab 7\""); // quotes and blanks the file format strips
    settings.setText("TForm21.Edit1", " PELLA ");
    settings.setChecked("TForm6.CheckBox3", true);
    settings.setChecked("TForm21.RadioButton2", true);
    settings.setIndex("TForm21.ComboBox1", 3);
    settings.setText("TForm7.ComboBox2", "2A0");
    settings.setChecked("TForm2.RadioButton1", false);
    settings.setChecked("TForm99.RadioButton19", true);
    QCOMPARE(store().save("All", settings, yes).status, ConfigStore::SaveResult::Status::Saved);
    const BuildSettings loaded = store().load("All", BuildSettings());
    for (const ValueSpec& entry : SettingsTable::values()) {
        if (!entry.key.isEmpty() && entry.key != QLatin1String("desc"))
            QCOMPARE(loaded.value(entry.name), settings.value(entry.name));
    }
    QCOMPARE(ConfigStore::loadedMessage(loaded), ConfigMessages::MulticastLoaded);
}

void TstConfigStore::loadAddressWrittenByWindows_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("problem");
    QTest::newRow("leading blanks dropped") << QByteArray("0.  0.  0.  5") << "  0.  0.  0.  5" << false;
    QTest::newRow("trailing blanks dropped") << QByteArray("10.  1. 20.1") << " 10.  1. 20.1  " << false;
    QTest::newRow("plain") << QByteArray("10.1.2.3") << " 10.  1.  2.  3" << false;
    QTest::newRow("word") << QByteArray("DHCP") << "DHCP" << false;
    QTest::newRow("no address") << QByteArray("10.1.2") << "   .   .   .   " << true;
    QTest::newRow("terminal command and NUL")
        << QByteArray("10.1\x1B[2J\0x", 10) << "   .   .   .   " << true;
}

void TstConfigStore::loadAddressWrittenByWindows() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, problem);
    writeIni("[SAVED]\nW=SAVED1\n[SAVED1]\ndesc=W\nparamd=" + stored + "\n");
    QStringList problems;
    QTEST(store().load("W", BuildSettings(), &problems).text("TForm6.Edit1"), "address");
    QCOMPARE(!problems.isEmpty(), problem);
    for (const QString& text : std::as_const(problems)) // shown escaped, not cut by the NUL
        QVERIFY2(TextCodec::firstControl(text).isEmpty() && text.endsWith("left blank."), qPrintable(text));
}

void TstConfigStore::saveNeverOutgrowsWhatReadsTake() {
    const QByteArray head = crlf("[SAVED]\n;");
    writeIni(head + QByteArray(ProfileFile::LargestFile - head.size() - 100, 'x'));
    const QByteArray before = ini();
    const ConfigStore::SaveResult r = store().save("Lab", BuildSettings(), yes);
    QCOMPARE(r.status, ConfigStore::SaveResult::Status::Refused);
    QVERIFY2(r.message.contains(QFileInfo(m_ini).absoluteFilePath()), qPrintable(r.message));
    QCOMPARE(ini(), before);
}

void TstConfigStore::removeErasesSlotAndEntry() {
    writeIni("[SAVED]\nLastSavedItemWas=6\nA=SAVED5\nB=SAVED6\n[SAVED5]\ndesc=A\n[SAVED6]\ndesc=B\n");
    store().remove("a");
    QCOMPARE(ini(), crlf("[SAVED]\nLastSavedItemWas=6\nB=SAVED6\n[SAVED6]\ndesc=B\n"));
    const QByteArray before = ini();
    store().remove("Unknown");
    QCOMPARE(ini(), before);
}

void TstConfigStore::removeNeverErasesTheIndex() {
    writeIni("[SAVED]\nLastSavedItemWas=6\nBad=SAVED\nB=SAVED6\n[SAVED6]\ndesc=B\n");
    store().remove("Bad");
    store().remove("LastSavedItemWas");
    QCOMPARE(ini(), crlf("[SAVED]\nLastSavedItemWas=6\nB=SAVED6\n[SAVED6]\ndesc=B\n"));
}

void TstConfigStore::messagesCarryARealCarriageReturn() {
    QCOMPARE(ConfigMessages::NotFound.split(QChar(u'\r')),
             QStringList({"Configuration could not be found.", "Please try again."}));
}

QTEST_GUILESS_MAIN(TstConfigStore)
#include "tst_config_store.moc"
