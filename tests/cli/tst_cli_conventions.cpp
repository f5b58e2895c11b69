#include "cli_program.h"

#include <QtTest>

// What a person used to other command-line programs expects: help for each command, --quiet,
// errors that name the program, and unknown options named with a pointer to the help.
class TestCliConventions : public QObject {
    Q_OBJECT
    std::unique_ptr<CliProgram> m_fx;

private Q_SLOTS:
    void init() { m_fx = std::make_unique<CliProgram>(); }

    void commandHelp_data() {
        QTest::addColumn<QString>("command");
        for (const char* c : {"build", "save", "list", "remove", "batch", "values", "drives"})
            QTest::newRow(c) << c;
    }
    // Help touches nothing: no program directory is looked for or seeded.
    void commandHelp() {
        QFETCH(QString, command);
        const QString home = m_fx->tmp.filePath("home");
        QDir().mkpath(home);
        // A process of its own, with a home of its own that must stay empty.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.remove("XDG_CONFIG_HOME");
        const CliResult r = CliRunner::process({command, "--set", "x=1", "--help"}, env);
        QCOMPARE(r.code, 0);
        const QByteArray out = r.out;
        QVERIFY2(out.startsWith("usage: bootwright-cli "), out.constData());
        QVERIFY(out.contains(QByteArray(" " + command.toLatin1() + " ")) ||
                out.contains(QByteArray(" " + command.toLatin1() + "\n")));
        QVERIFY(out.contains("--help"));
        QVERIFY(out.contains("exit status"));
        QCOMPARE(r.err, QByteArray());
        QVERIFY(QDir(home).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }

    void unknownOption_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("help");
        QTest::newRow("build") << QStringList{"build", "--frob"} << "--frob"
                               << "bootwright-cli build --help";
        QTest::newRow("after a value") << QStringList{"build", "--count", "2", "-x"} << "-x"
                                       << "bootwright-cli build --help";
        QTest::newRow("save") << QStringList{"save", "Lab", "--force"} << "--force"
                              << "bootwright-cli save --help";
        QTest::newRow("batch") << QStringList{"batch", "--frob", "a.img"} << "--frob"
                               << "bootwright-cli batch --help";
        QTest::newRow("list") << QStringList{"list", "--all"} << "--all"
                              << "bootwright-cli list --help";
        QTest::newRow("values") << QStringList{"values", "--all"} << "--all"
                                << "bootwright-cli values --help";
        QTest::newRow("drives") << QStringList{"drives", "--all"} << "--all"
                                << "bootwright-cli drives --help";
        QTest::newRow("before the command") << QStringList{"--frob", "build"} << "--frob"
                                            << "bootwright-cli --help";
        QTest::newRow("single dash") << QStringList{"-v", "list"} << "-v"
                                     << "bootwright-cli --help";
    }
    void unknownOption() {
        QFETCH(QStringList, args);
        QFETCH(QString, option);
        QFETCH(QString, help);
        const CliProgram::Result r = m_fx->cli(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.startsWith("bootwright-cli: "), r.err.constData());
        QVERIFY2(r.err.contains(QStringLiteral("unknown option \"%1\"").arg(option).toLatin1()),
                 r.err.constData());
        QVERIFY2(r.err.contains(help.toLatin1()), r.err.constData());
        QCOMPARE(r.out, QByteArray());
        QVERIFY(!QFile::exists(m_fx->path("A.img")));
    }

    // Every line the program writes about its own failures starts with its name; the message
    // boxes of the wizard keep their own texts.
    void errorsStartWithTheProgramsName_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no command") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2;
        QTest::newRow("missing value") << QStringList{"build", "--config"} << 2;
        QTest::newRow("input/output error") << QStringList{"build", "--drive", "A=@junk.img"} << 3;
        QTest::newRow("batch input/output error") << QStringList{"batch", "--name", "X1", "@junk.img"} << 3;
    }
    void errorsStartWithTheProgramsName() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        // An image that holds no file system.
        TestEnv::writeHostFile(m_fx->path("junk.img"), QByteArray(1474560, '\0'));
        args.replaceInStrings("@junk.img", m_fx->path("junk.img"));
        const QStringList withValues = args.value(0) == "build" ? args + m_fx->multicast() : args;
        const CliProgram::Result r = m_fx->cli(withValues);
        QCOMPARE(r.code, code);
        const QList<QByteArray> lines = r.err.trimmed().split('\n');
        const QByteArray error = code == 2 ? lines.first() : lines.last();
        QVERIFY2(error.startsWith("bootwright-cli: "), r.err.constData());
    }

    void quiet_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("written"); // the diskette or file the command writes
        QTest::newRow("build, before the command") << QStringList{"--quiet", "build"} << "A.img";
        QTest::newRow("build, after it") << QStringList{"build", "--quiet"} << "A.img";
        QTest::newRow("build, among the values")
            << QStringList{"build", "--set", "multicast.ip=10.0.0.9", "--quiet"} << "A.img";
        QTest::newRow("save") << QStringList{"save", "Lab", "--quiet"} << "PCBWSAVE.INI";
        QTest::newRow("batch") << QStringList{"batch", "--quiet", "--name", "LAB7", "@copy.img"}
                               << "copy.img";
    }
    void quiet() {
        QFETCH(QStringList, args);
        QFETCH(QString, written);
        m_fx->setDrives("A=A.img\r\n");
        if (args.contains("batch")) {
            QCOMPARE(m_fx->cli(QStringList{"build"} + m_fx->multicast()).code, 0);
            QVERIFY(QFile::copy(m_fx->path("A.img"), m_fx->path("copy.img")));
            args.replaceInStrings("@copy.img", m_fx->path("copy.img"));
        } else {
            args += m_fx->multicast();
        }
        const CliProgram::Result r = m_fx->cli(args);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QByteArray());
        QVERIFY(QFile::exists(m_fx->path(written)));
        // The same command without it says what it did.
        args.removeAll("--quiet");
        if (args.contains("save"))
            args << "--overwrite";
        QVERIFY(!m_fx->cli(args).out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliConventions)
#include "tst_cli_conventions.moc"
