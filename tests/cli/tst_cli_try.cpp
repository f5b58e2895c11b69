#include "cli_program.h"

#include <QtTest>

// bootwright-cli try where no QEMU is on PATH: what is refused before a machine would start, and
// the way to install QEMU. Booting for real is tests/boot (route try) and tests/desktop.
class TestCliTry : public QObject {
    Q_OBJECT
    std::unique_ptr<CliProgram> m_fx;

    CliProgram::Result run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", m_fx->path("bin")); // an empty folder
        p.setProcessEnvironment(env);
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(QStringLiteral(BW_CLI_PATH), QStringList{"--dir", m_fx->dir, "try"} + args);
        p.waitForFinished(30000);
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

private Q_SLOTS:
    void init() {
        m_fx = std::make_unique<CliProgram>();
        QDir().mkpath(m_fx->path("bin"));
        QDir().mkpath(m_fx->path("folder"));
        QVERIFY(TestEnv::makeBlankImage(m_fx->path("a, b.img")));
    }

    void refuses_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        QTest::newRow("no QEMU") << QStringList{"a, b.img"} << 3
                                 << "Install it with: apt install qemu-system-x86";
        QTest::newRow("folder drive")
            << QStringList{"--drive", "A=folder", "A:"} << 1 << "a folder is no diskette a computer can boot";
        QTest::newRow("unmapped drive") << QStringList{"d"} << 1 << "D: has no diskette";
        QTest::newRow("missing image") << QStringList{"gone.img"} << 3 << "\"gone.img\" does not exist";
    }
    void refuses() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, says);
        QDir::setCurrent(m_fx->dir);
        const CliProgram::Result r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(says.toUtf8()), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliTry)
#include "tst_cli_try.moc"
