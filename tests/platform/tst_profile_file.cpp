#include "platform/profile_file.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {

// Stands for "there is no file" in the data tables.
const QByteArray kNoFile = "<no file>";

int g_commits = 0;
QString g_tempPath;
QByteArray g_tempBytes;

void countCommit(const QString& tempPath) {
    ++g_commits;
    g_tempPath = tempPath;
    g_tempBytes = TestEnv::readHostFile(tempPath);
}

void failCommit(const QString& tempPath) {
    countCommit(tempPath);
    throw std::runtime_error("disk full");
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readsHandWrittenFiles_data();
    void readsHandWrittenFiles();
    void readsNothingFromMissingFile();
    void writesExactBytes_data();
    void writesExactBytes();
    void keepsUneditedBytesInEveryEncoding_data();
    void keepsUneditedBytesInEveryEncoding();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void refusesWhatTheFormatCannotHold_data();
    void refusesWhatTheFormatCannotHold();
    void refusesKeyStartingWithByteOrderMark();
    void readsIntegers_data();
    void readsIntegers();
    void readsAndWritesBooleans();
    void cutsValuesAt1023Characters_data();
    void cutsValuesAt1023Characters();
    void listsKeysThatFitInto8192Characters_data();
    void listsKeysThatFitInto8192Characters();
    void listsKeysInFileOrderOnce();
    void seesChangesMadeBehindItsBack();
    void readOnceKeepsTheFirstReading();
    void failedCommitLeavesOldFileWhole();
    void keepsPermissionsAndLinks();
    void refusesWriteIntoMissingDirectory();
    void refusesWriteIntoImmutableDirectory();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("PCBW.INI")); }
    void setFile(const QByteArray& bytes) const;
    QByteArray file() const;
    QStringList dirEntries() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestProfileFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    g_commits = 0;
    g_tempPath.clear();
    g_tempBytes.clear();
    ProfileFile::setCommitHookForTesting(countCommit);
}

void TestProfileFile::cleanup() {
    ProfileFile::setCommitHookForTesting(nullptr);
}

void TestProfileFile::setFile(const QByteArray& bytes) const {
    if (bytes != kNoFile)
        TestEnv::writeHostFile(path(), bytes);
}

QByteArray TestProfileFile::file() const {
    return QFileInfo::exists(path()) ? TestEnv::readHostFile(path()) : kNoFile;
}

// What the directory holds besides the empty lock file that a write leaves beside the file.
QStringList TestProfileFile::dirEntries() const {
    QStringList names = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral(".PCBW.INI.lock"));
    return names;
}

void TestProfileFile::readsHandWrittenFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* tag, const QByteArray& bytes, const QString& section, const QString& key,
                        const QString& expected) {
        QTest::newRow(tag) << bytes << section << key << expected;
    };
    const QString dflt = QStringLiteral("<default>");

    row("plain", "[S]\r\nk=v\r\n", "S", "k", "v");
    row("names without regard to case", "[Saved1]\r\ndesc=x\r\n", "SAVED1", "DESC", "x");
    row("blanks around = and value", "[S]\r\n \t Key \t= \t two words \t\r\n", "S", "key", "two words");
    row("blanks inside the brackets", "  [ \tMy Sec ]\r\nk=v\r\n", "my sec", "k", "v");
    row("blanks around the asked names", "[S]\r\nk=v\r\n", " S\t", " k ", "v");
    row("double quotes", "[S]\r\nip=\"  0.  0.  0.  0\"\r\n", "S", "ip", "  0.  0.  0.  0");
    row("single quotes", "[S]\r\nk= ' x ' \r\n", "S", "k", " x ");
    row("only one pair of quotes", "[S]\r\nk=\"\"x\"\"\r\n", "S", "k", "\"x\"");
    row("unmatched quotes stay", "[S]\r\nk=\"x'\r\n", "S", "k", "\"x'");
    row("a lone quote stays", "[S]\r\nk=\"\r\n", "S", "k", "\"");
    row("empty value is not the default", "[S]\r\nk=\r\n", "S", "k", "");
    row("= inside the value", "[S]\r\nk=a=b\r\n", "S", "k", "a=b");
    row("; inside the value", "[S]\r\nk=a ;b\r\n", "S", "k", "a ;b");
    row("comment line", "[S]\r\n;k=v\r\n", "S", "k", dflt);
    row("indented comment line", "[S]\r\n \t;k=v\r\n", "S", "k", dflt);
    row("# is no comment mark", "[S]\r\n#k=v\r\n", "S", "#k", "v");
    row("header ends at the first ]", "[S]x] ; note\r\nk=v\r\n", "S", "k", "v");
    row("[ without ] is no header", "[S]\r\n[T\r\nk=v\r\n", "S", "k", "v");
    row("first of duplicate sections", "[S]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "S", "j", dflt);
    row("first of duplicate keys", "[S]\r\nK=1\r\nk=2\r\n", "S", "k", "1");
    row("line without =", "[S]\r\nk\r\n", "S", "k", dflt);
    row("key in another section", "[S]\r\n[T]\r\nk=v\r\n", "S", "k", dflt);
    row("key before any section", "k=v\r\n[S]\r\n", "S", "k", dflt);
    row("LF lines", "[A]\na=1\n[S]\nk=v\n", "S", "k", "v");
    row("CR lines", "[A]\ra=1\r[S]\rk=v\r", "S", "k", "v");
    row("no final line break", "[S]\r\nk=v", "S", "k", "v");
    row("Windows-1252", "[S]\r\nk=\x80\xE9\x81\r\n", "S", "k", QStringLiteral(u"€é\u0081"));
    row("Windows-1252 names", "[\xC9t\xE9]\r\n\xE9=1\r\n", QStringLiteral(u"ÉTÉ"), QStringLiteral(u"É"), "1");
    row("UTF-8 with BOM", "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\xE2\x82\xAC\r\n", "S", "k", QStringLiteral(u"é€"));
    row("UTF-16 with BOM", QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xAC\x20", 18), "S", "k",
        QStringLiteral(u"€"));
    // Found by fuzzing: the decoder took a U+FEFF that starts a name or value for a byte-order mark.
    row("UTF-8, U+FEFF starting a name", "\xEF\xBB\xBF[ \xEF\xBB\xBF S]\r\nk=\xEF\xBB\xBFv\r\n",
        QStringLiteral(u"\uFEFF S"), "k", QStringLiteral(u"\uFEFFv"));
}

void TestProfileFile::readsHandWrittenFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    setFile(bytes);
    QCOMPARE(ProfileFile(path()).readString(section, key, QStringLiteral("<default>")), expected);
}

void TestProfileFile::readsNothingFromMissingFile() {
    const ProfileFile profile(path());
    QCOMPARE(profile.readString("S", "k", "d"), QStringLiteral("d"));
    QCOMPARE(profile.readInteger("S", "k", 7), 7);
    QCOMPARE(profile.readBool("S", "k", true), true);
    QVERIFY(profile.readSection("S").isEmpty());
    QVERIFY(!QFileInfo::exists(path()));
}

void TestProfileFile::writesExactBytes_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    const auto write = [](const char* tag, const QByteArray& before, const QString& section,
                          const QString& key, const QString& value, const QByteArray& after) {
        QTest::newRow(tag) << before << QStringLiteral("write") << section << key << value << after;
    };
    const auto erase = [](const char* tag, const QByteArray& before, const QString& section,
                          const QByteArray& after) {
        QTest::newRow(tag) << before << QStringLiteral("erase") << section << QString() << QString() << after;
    };
    const auto remove = [](const char* tag, const QByteArray& before, const QString& section,
                           const QString& key, const QByteArray& after) {
        QTest::newRow(tag) << before << QStringLiteral("delete") << section << key << QString() << after;
    };

    write("first write creates the file", kNoFile, "S", "k", "v", "[S]\r\nk=v\r\n");
    write("names are trimmed", kNoFile, " \tS ", " k\t", "v", "[S]\r\nk=v\r\n");
    write("existing key keeps place and spelling", "; top\r\n[Sec]\r\n  Key = old \r\nother=1\r\n", "SEC",
          "key", "new", "; top\r\n[Sec]\r\n  Key = new\r\nother=1\r\n");
    write("quoted old value", "[S]\r\nk=\"  1.  2.  3.  4\"\r\n", "S", "k", "x", "[S]\r\nk=x\r\n");
    write("LF lines stay LF", "[S]\nk=1\nj=2\n", "S", "k", "5", "[S]\nk=5\nj=2\n");
    write("first of duplicate keys", "[S]\r\nk=1\r\n[S]\r\nk=2\r\nk=3\r\n", "S", "k", "9",
          "[S]\r\nk=9\r\n[S]\r\nk=2\r\nk=3\r\n");
    write("new key after the last key line", "[A]\r\na=1\r\nnoise\r\n; note\r\n\r\n[B]\r\nb=1\r\n", "a", "c",
          "3", "[A]\r\na=1\r\nc=3\r\nnoise\r\n; note\r\n\r\n[B]\r\nb=1\r\n");
    write("new key in a section without keys", "[A]\r\n; only\r\n[B]\r\n", "A", "c", "3",
          "[A]\r\nc=3\r\n; only\r\n[B]\r\n");
    write("new key at an unended last line", "[A]\r\na=1", "A", "c", "3", "[A]\r\na=1\r\nc=3\r\n");
    write("new key in CR lines", "[S]\rk=1\r", "S", "j", "2", "[S]\rk=1\rj=2\r\n");
    write("new section at the end", "[A]\r\na=1\r\n\r\n", "B", "b", "2", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n");
    write("new section after an unended line", "[A]\r\na=1", "B", "b", "2", "[A]\r\na=1\r\n[B]\r\nb=2\r\n");
    write("blank-padded value is quoted", "[S]\r\n", "S", "ip", "  0.  0.  0.  0",
          "[S]\r\nip=\"  0.  0.  0.  0\"\r\n");
    write("quoted value is quoted again", kNoFile, "S", "k", "'x'", "[S]\r\nk=\"'x'\"\r\n");
    write("Windows-1252", kNoFile, QStringLiteral(u"Été"), "k", QStringLiteral(u"€ é"),
          "[\xC9t\xE9]\r\nk=\x80 \xE9\r\n");
    write("untouched bytes stay", "\x81\x8D;\xFF\r\n[S]\r\nk=\x90\r\n", "S", "j", "1",
          "\x81\x8D;\xFF\r\n[S]\r\nk=\x90\r\nj=1\r\n");
    write("UTF-8 BOM kept", "\xEF\xBB\xBF[S]\nk=\xC3\xA9\n", "S", "j", QStringLiteral(u"ж"),
          "\xEF\xBB\xBF[S]\nk=\xC3\xA9\nj=\xD0\xB6\r\n");

    erase("erase a middle section", "[A]\r\na=1\r\n[B]\r\n; c\r\nb=2\r\n\r\n[C]\r\nc=3\r\n", "b",
          "[A]\r\na=1\r\n[C]\r\nc=3\r\n");
    erase("erase every section of the name", "[B]\nb=1\n[A]\na=1\n[b]\nb=2", "B", "[A]\na=1\n");
    remove("delete a key", "[S]\r\nk=1\r\nj=2\r\n", "s", "K", "[S]\r\nj=2\r\n");
    remove("delete every line of the key", "[S]\r\nk=1\r\nk=2\r\n[T]\r\nk=3\r\n[S]\r\nk=4\r\n", "S", "k",
           "[S]\r\n[T]\r\nk=3\r\n[S]\r\nk=4\r\n");
}

void TestProfileFile::writesExactBytes() {
    QFETCH(QByteArray, before);
    QFETCH(QString, op);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    setFile(before);
    ProfileFile profile(path());
    if (op == "write")
        profile.writeString(section, key, value);
    else if (op == "erase")
        profile.eraseSection(section);
    else
        profile.deleteKey(section, key);
    QCOMPARE(file(), after);
    QCOMPARE(g_commits, 1);
    QCOMPARE(dirEntries(), QStringList{"PCBW.INI"});
}

namespace {

// A UTF-16 little-endian file from its code units; a lone surrogate or a second BOM is written as
// it is, which is how such files come about.
QByteArray utf16(const QList<char16_t>& units) {
    QByteArray out("\xFF\xFE");
    for (const char16_t u : units) {
        out += char(u & 0xFF);
        out += char(u >> 8);
    }
    return out;
}

QList<char16_t> units(const char* ascii) {
    QList<char16_t> out;
    for (const char* p = ascii; *p; ++p)
        out << char16_t(static_cast<unsigned char>(*p));
    return out;
}

} // namespace

void TestProfileFile::keepsUneditedBytesInEveryEncoding_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("other"); // another key of section S, as it reads before and after
    const QList<char16_t> head = units("[S]\r\nk=1\r\n");
    const QList<char16_t> edited = units("[S]\r\nk=2\r\n");
    QTest::newRow("UTF-16, a second byte-order mark")
        << utf16(QList<char16_t>{0xFEFF} + head + units("j=x\r\n"))
        << utf16(QList<char16_t>{0xFEFF} + edited + units("j=x\r\n")) << "x";
    QTest::newRow("UTF-16, a second mark further down")
        << utf16(head + QList<char16_t>{0xFEFF} + units("j=x\r\n"))
        << utf16(edited + QList<char16_t>{0xFEFF} + units("j=x\r\n")) << "x";
    QTest::newRow("UTF-16, an odd trailing byte")
        << utf16(head + units("j=x\r\n")) + "\x41" << utf16(edited + units("j=x\r\n")) + "\x41"
        << "x";
    QTest::newRow("UTF-16, lone surrogates elsewhere")
        << utf16(head + units("j=a") + QList<char16_t>{0xD800} + units("b\r\n; ") + QList<char16_t>{0xDC01} +
                 units("\r\n"))
        << utf16(edited + units("j=a") + QList<char16_t>{0xD800} + units("b\r\n; ") +
                 QList<char16_t>{0xDC01} + units("\r\n"))
        << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    QTest::newRow("UTF-8, bytes that are no UTF-8")
        << QByteArray("\xEF\xBB\xBF[S]\r\nk=1\r\n;\xFF\xC3\xE2\x82\r\nj=\xC3\xA9\r\n")
        << QByteArray("\xEF\xBB\xBF[S]\r\nk=2\r\n;\xFF\xC3\xE2\x82\r\nj=\xC3\xA9\r\n")
        << QStringLiteral(u"é");
    QTest::newRow("Windows-1252, every high byte")
        << QByteArray("[S]\r\nk=1\r\nj=\x80\x81\x8D\x8F\x90\x9D\xA0\xFF\r\n")
        << QByteArray("[S]\r\nk=2\r\nj=\x80\x81\x8D\x8F\x90\x9D\xA0\xFF\r\n")
        << QStringLiteral(u"€\u0081\u008D\u008F\u0090\u009D\u00A0ÿ");
}

void TestProfileFile::keepsUneditedBytesInEveryEncoding() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, other);
    setFile(before);
    const QString otherBefore = ProfileFile(path()).readString("S", "j", "<default>");
    QCOMPARE(otherBefore, other);
    ProfileFile(path()).writeString("S", "k", "2");
    QCOMPARE(file(), after);
    QCOMPARE(ProfileFile(path()).readString("S", "k", "<default>"), QStringLiteral("2"));
    QCOMPARE(ProfileFile(path()).readString("S", "j", "<default>"), otherBefore);
}

void TestProfileFile::valuesRoundTrip_data() {
    QTest::addColumn<QString>("value");
    for (const char* v : {"", " ", "  0.  0.  0.  0", "255.  0.  0.  0", "\"", "\"\"", "\"x\"", "'x'", "'x\"",
                          "x ", "\tx", "a;b", "#x", "=", "[x]", ";x", "C:\\PCBW\\"}) {
        QTest::addRow("<%s>", v) << QString::fromLatin1(v);
    }
    QTest::newRow("Windows-1252") << QStringLiteral(u"€‰é\u0081\u009D");
}

void TestProfileFile::valuesRoundTrip() {
    QFETCH(QString, value);
    ProfileFile(path()).writeString("S", "k", value);
    ProfileFile(path()).writeString("S", "k", value); // and once more over itself
    QCOMPARE(ProfileFile(path()).readString("S", "k", "<default>"), value);
}

void TestProfileFile::refusesWhatTheFormatCannotHold_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message"); // %1 is the file's path
    const auto row = [](const char* tag, const QString& section, const QString& key, const QString& value,
                        const QString& message) {
        QTest::newRow(tag) << section << key << value << message;
    };
    const QString keyS = QStringLiteral("Cannot write the key \"%2\" in section \"S\" to %1: ");

    row("key with =", "S", "a=b", "v", keyS.arg("%1", "a=b") + "a key cannot hold \"=\".");
    row("key with [", "S", " [x]", "v", keyS.arg("%1", "[x]") + "a key cannot begin with \"[\".");
    row("key with ;", "S", "\t;x", "v", keyS.arg("%1", ";x") + "a key cannot begin with \";\".");
    row("key with LF", "S", "a\nb", "v", keyS.arg("%1", "a\nb") + "a key cannot hold a line break.");
    row("key with NUL", "S", QString("a") + QChar(0) + "b", "v",
        keyS.arg("%1", "a\\0b") + "a key cannot hold a NUL character.");
    row("key that Windows-1252 cannot hold", "S", QStringLiteral(u"ключ"), "v",
        keyS.arg("%1", QStringLiteral(u"ключ")) + "the name holds characters that the file cannot store.");
    row("empty key", "S", " \t ", "v",
        "Cannot write an empty key in section \"S\" to %1: a key needs a name.");
    row("section with CR", "S\rT", "k", "v",
        "Cannot write the section \"S\rT\" to %1: a section name cannot hold a line break.");
    row("section with ]", "a]b", "k", "v",
        "Cannot write the section \"a]b\" to %1: a section name cannot hold \"]\".");
    row("value with CR LF", "S", "k", "a\r\nb",
        "Cannot write the value of the key \"k\" in section \"S\" to %1: a value cannot hold a line break.");
    // Written as "?", it would read back as another value.
    row("value that Windows-1252 cannot hold", "S", "k", QStringLiteral(u"€ ж"),
        "Cannot write the value of the key \"k\" in section \"S\" to %1: the file cannot store the "
        "character \"ж\" (U+0436).");
    row("character outside the basic plane", "S", "k", QStringLiteral(u"a😀"),
        "Cannot write the value of the key \"k\" in section \"S\" to %1: the file cannot store the "
        "character \"😀\" (U+1F600).");
}

void TestProfileFile::refusesWhatTheFormatCannotHold() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, message);
    const QByteArray before("[S]\r\nk=1\r\n");
    setFile(before);
    try {
        ProfileFile(path()).writeString(section, key, value);
        QFAIL("no ProfileValueError");
    } catch (const ProfileValueError& e) {
        QCOMPARE(QString::fromStdString(e.what()), message.arg(path()));
    }
    QCOMPARE(file(), before);
    QCOMPARE(g_commits, 0);
}

// Found by fuzzing: a reader of a Unicode file passes over a U+FEFF starting a line, so such a key
// was written but could never be found.
void TestProfileFile::refusesKeyStartingWithByteOrderMark() {
    setFile(utf16(units("[S]\r\n")));
    QVERIFY_THROWS_EXCEPTION(ProfileValueError,
                             ProfileFile(path()).writeString("S", QChar(0xFEFF) + QString("k"), "v"));
    QCOMPARE(file(), utf16(units("[S]\r\n")));
}

void TestProfileFile::readsIntegers_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected"); // the default is -99

    QTest::newRow("decimal") << QByteArray("42") << 42;
    QTest::newRow("leading zero") << QByteArray("012") << 12;
    QTest::newRow("minus") << QByteArray("-5") << -5;
    QTest::newRow("plus") << QByteArray("+7") << 7;
    QTest::newRow("blanks and quotes") << QByteArray(" \"8\" ") << 8;
    QTest::newRow("lowest") << QByteArray("-2147483648") << INT_MIN;
    QTest::newRow("hex") << QByteArray("0x1F") << 31;
    QTest::newRow("hex upper") << QByteArray("0XaB") << 171;
    QTest::newRow("hex full width") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("0x alone") << QByteArray("0x") << -99;
    QTest::newRow("trailing letter") << QByteArray("12a") << -99;
    QTest::newRow("empty") << QByteArray("") << -99;
    QTest::newRow("sign alone") << QByteArray("-") << -99;
    QTest::newRow("inner blank") << QByteArray("1 2") << -99;
    QTest::newRow("negative hex") << QByteArray("-0x1") << -99;
    QTest::newRow("hex with a bad digit") << QByteArray("0x1G") << -99;
    QTest::newRow("too big") << QByteArray("2147483648") << -99;
    QTest::newRow("hex too big") << QByteArray("0x100000000") << -99;
}

void TestProfileFile::readsIntegers() {
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    setFile("[S]\r\nk=" + text + "\r\n");
    QCOMPARE(ProfileFile(path()).readInteger("S", "k", -99), expected);
}

void TestProfileFile::readsAndWritesBooleans() {
    ProfileFile profile(path());
    profile.writeBool("S", "t", true);
    profile.writeBool("S", "f", false);
    profile.writeInteger("S", "n", -12);
    profile.writeString("S", "two", "2");
    profile.writeString("S", "junk", "yes");
    QCOMPARE(file(), QByteArray("[S]\r\nt=1\r\nf=0\r\nn=-12\r\ntwo=2\r\njunk=yes\r\n"));
    QCOMPARE(profile.readBool("S", "t", false), true);
    QCOMPARE(profile.readBool("S", "f", true), false);
    QCOMPARE(profile.readBool("S", "two", false), true);
    QCOMPARE(profile.readBool("S", "junk", true), true);
    QCOMPARE(profile.readBool("S", "junk", false), false);
    QCOMPARE(profile.readBool("S", "missing", true), true);
    QCOMPARE(profile.readInteger("S", "n", 0), -12);
}

void TestProfileFile::cutsValuesAt1023Characters_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    const QString long1500 = QString(1000, u'a') + QString(500, u'b');
    QTest::newRow("1023 whole") << QString(1023, u'x') << QString(1023, u'x');
    QTest::newRow("1024 cut") << QString(1024, u'x') << QString(1023, u'x');
    QTest::newRow("1500 cut") << long1500 << long1500.left(1023);
    QTest::newRow("quoted, cut after the quotes go")
        << QString(u' ' + QString(1030, u'q')) << QString(u' ' + QString(1022, u'q'));
}

void TestProfileFile::cutsValuesAt1023Characters() {
    QFETCH(QString, value);
    QFETCH(QString, expected);
    ProfileFile(path()).writeString("S", "k", value);
    QVERIFY(file().contains(value.toLatin1())); // the file itself keeps the whole value
    QCOMPARE(ProfileFile(path()).readString("S", "k"), expected);
}

void TestProfileFile::listsKeysThatFitInto8192Characters_data() {
    QTest::addColumn<int>("lastLength");
    QTest::addColumn<bool>("lastListed");
    // 81 names of 99 characters take 8100 with their NULs; with the final NUL the buffer has room
    // for one more name of at most 90 characters.
    QTest::newRow("fills the buffer exactly") << 90 << true;
    QTest::newRow("one character too many") << 91 << false;
}

void TestProfileFile::listsKeysThatFitInto8192Characters() {
    QFETCH(int, lastLength);
    QFETCH(bool, lastListed);
    QByteArray bytes = "[NICS]\r\n";
    QStringList expected;
    for (int i = 0; i < 81; ++i) {
        const QString name = QStringLiteral("card%1").arg(i, 3, 10, QLatin1Char('0')).leftJustified(99, u'.');
        bytes += name.toLatin1() + "=x.dos\r\n";
        expected << name;
    }
    const QString last(lastLength, u'L');
    bytes += last.toLatin1() + "=x\r\nz=1\r\n";
    if (lastListed)
        expected << last;
    setFile(bytes);
    QCOMPARE(ProfileFile(path()).readSection("nics"), expected);
}

void TestProfileFile::listsKeysInFileOrderOnce() {
    setFile("[NICS]\r\nZeta=1\r\n; Alpha=2\r\nno equals\r\n  Mid Card \t= "
            "x\r\n\r\nZETA=3\r\n=empty\r\nalpha=4\r\n"
            "[nics]\r\nlater=5\r\n");
    QCOMPARE(ProfileFile(path()).readSection("Nics"), (QStringList{"Zeta", "Mid Card", "alpha"}));
    QVERIFY(ProfileFile(path()).readSection("none").isEmpty());
}

void TestProfileFile::seesChangesMadeBehindItsBack() {
    const ProfileFile profile(path());
    setFile("[S]\r\nk=1\r\n");
    QCOMPARE(profile.readString("S", "k"), QStringLiteral("1"));
    setFile("[S]\r\nk=2\r\n");
    QCOMPARE(profile.readString("S", "k"), QStringLiteral("2"));
    ProfileFile(path()).writeString("S", "k", "3");
    QCOMPARE(profile.readString("S", "k"), QStringLiteral("3"));
}

// Held, reads take the first reading; an own change still starts from the file as it is under the
// lock, and is what later reads see. Once the hold ends, other programs' changes show again.
void TestProfileFile::readOnceKeepsTheFirstReading() {
    const ProfileFile profile(path());
    setFile("[S]\r\nk=1\r\nm=1\r\n");
    {
        const ProfileFile::ReadOnce once;
        QCOMPARE(profile.readString("S", "k"), QStringLiteral("1"));
        setFile("[S]\r\nk=2\r\nm=2\r\n");
        QCOMPARE(profile.readString("S", "k"), QStringLiteral("1"));
        ProfileFile(path()).writeString("S", "k", "3");
        QCOMPARE(profile.readString("S", "k"), QStringLiteral("3"));
        QCOMPARE(profile.readString("S", "m"), QStringLiteral("2"));
        setFile("[S]\r\nk=4\r\n");
        QCOMPARE(profile.readString("S", "k"), QStringLiteral("3"));
    }
    QCOMPARE(profile.readString("S", "k"), QStringLiteral("4"));
}

void TestProfileFile::failedCommitLeavesOldFileWhole() {
    const QByteArray before("[S]\r\nk=1\r\n[T]\r\nt=1\r\n");
    setFile(before);
    ProfileFile::setCommitHookForTesting(failCommit);
    ProfileFile profile(path());
    for (const QString op : {"write", "erase"}) {
        try {
            if (op == "write")
                profile.writeString("S", "k", "2");
            else
                profile.eraseSection("T");
            QFAIL("no ProfileWriteError");
        } catch (const ProfileWriteError& e) {
            QCOMPARE(QString::fromStdString(e.what()),
                     QString("Unable to write to " + path() + "\nCannot write " + path() + ": disk full"));
        }
        QCOMPARE(file(), before);
        QCOMPARE(dirEntries(), QStringList{"PCBW.INI"});
    }
    // The new contents were complete beside the file when the failure struck.
    QCOMPARE(QFileInfo(g_tempPath).absolutePath(), m_dir->path());
    QCOMPARE(g_tempBytes, QByteArray("[S]\r\nk=1\r\n"));

    // deleteKey swallows the same failure.
    profile.deleteKey("S", "k");
    QCOMPARE(g_commits, 3);
    QCOMPARE(file(), before);
}

void TestProfileFile::keepsPermissionsAndLinks() {
    setFile("[S]\r\nk=1\r\n");
    QVERIFY(::chmod(QFile::encodeName(path()).constData(), 0640) == 0);
    const QString link = m_dir->filePath("link.ini");
    QVERIFY(QFile::link(path(), link));

    ProfileFile(link).writeString("S", "k", "2");
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(file(), QByteArray("[S]\r\nk=2\r\n"));
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(path()).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 07777, 0640u);
}

void TestProfileFile::refusesWriteIntoMissingDirectory() {
    const QString missing = m_dir->filePath("no/such/dir/PCBW.INI");
    ProfileFile profile(missing);
    try {
        profile.writeString("S", "k", "v");
        QFAIL("no ProfileWriteError");
    } catch (const ProfileWriteError& e) {
        QVERIFY(
            QString::fromStdString(e.what()).startsWith("Unable to write to " + missing + "\n")); // and why
        QCOMPARE(e.path(), missing);
    }
    // Nothing to erase or delete in a file that is not there: no write, no error.
    profile.eraseSection("S");
    profile.deleteKey("S", "k");
    QVERIFY(!QFileInfo::exists(m_dir->filePath("no")));
    QCOMPARE(g_commits, 0);
}

void TestProfileFile::refusesWriteIntoImmutableDirectory() {
    const QByteArray before("[S]\r\nk=1\r\n");
    setFile(before);
    const QString dir = m_dir->path();
    if (QProcess::execute("chattr", {"+i", dir}) != 0)
        QSKIP("chattr +i is not permitted here");
    struct Unlock {
        QString dir;
        ~Unlock() { QProcess::execute("chattr", {"-i", dir}); }
    } unlock{dir};

    ProfileFile profile(path());
    QVERIFY_THROWS_EXCEPTION(ProfileWriteError, profile.writeString("S", "k", "2"));
    QVERIFY_THROWS_EXCEPTION(ProfileWriteError, profile.eraseSection("S"));
    profile.deleteKey("S", "k");
    QCOMPARE(file(), before);
    QCOMPARE(dirEntries(), QStringList{"PCBW.INI"});
    QCOMPARE(profile.readString("S", "k"), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profile_file.moc"
