#include "cli_program.h"

#include <QtTest>

// bootwright-cli try, with a PATH of the test's choosing: no QEMU at all, or a stand-in that
// records how it was started. Booting for real is tests/boot (route try).
class TestCliTry : public QObject {
    Q_OBJECT
    std::unique_ptr<CliProgram> m_fx;

    CliProgram::Result run(const QStringList& args, const QString& display) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", m_fx->path("bin"));
        env.remove("WAYLAND_DISPLAY");
        env.remove("DISPLAY");
        if (!display.isEmpty())
            env.insert("DISPLAY", display);
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
        QTest::newRow("nothing named") << QStringList{} << 2 << "try needs a DRIVE";
        QTest::newRow("no time") << QStringList{"--timeout", "0", "A"} << 2 << "--timeout takes";
    }
    void refuses() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, says);
        QDir::setCurrent(m_fx->dir);
        const CliProgram::Result r = run(args, QString());
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(says.toUtf8()), r.err.constData());
    }

    // The machine never writes the diskette, takes a path with QEMU's separator as one file, and
    // opens a window only where there is a desktop.
    void startsQemu_data() {
        QTest::addColumn<QString>("display");
        QTest::addColumn<bool>("terminal");
        QTest::newRow("desktop") << ":7" << false;
        QTest::newRow("terminal") << QString() << true;
    }
    void startsQemu() {
        QFETCH(QString, display);
        QFETCH(bool, terminal);
        const QString log = m_fx->path("args.log");
        TestEnv::writeHostFile(
            m_fx->path("bin/qemu-system-x86_64"),
            ("#!/bin/sh\nfor a; do printf '%s\\n' \"$a\"; done > '" + log + "'\n").toUtf8());
        QFile(m_fx->path("bin/qemu-system-x86_64")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        m_fx->setDrives("A=a, b.img\r\n");
        const CliProgram::Result r = run({"A"}, display);
        QCOMPARE(r.code, 0);
        const QStringList args = QString::fromUtf8(TestEnv::readHostFile(log)).split('\n');
        QVERIFY(args.contains("if=floppy,format=raw,snapshot=on,file.driver=file,file.filename=" +
                              m_fx->path("a,, b.img")));
        QCOMPARE(args.contains("-nographic"), terminal);
    }
};

QTEST_GUILESS_MAIN(TestCliTry)
#include "tst_cli_try.moc"
