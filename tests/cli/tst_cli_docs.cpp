#include "cli_runner.h"
#include "test_env.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// The manual pages and the bash completion against the programs' own help: a command or option
// that --help shows and the manual page or the completion lacks fails here, naming both, so that
// whoever adds an option learns where else to add it.
class TestCliDocs : public QObject {
    Q_OBJECT

    static QString source(const QString& rel) { return QStringLiteral(BW_SOURCE_DIR "/") + rel; }
    static const QString& manPage() {
        static const QString path = source("docs/man/bootwright-cli.1");
        return path;
    }
    static const QString& completion() {
        static const QString path = source("data/linux/bootwright-cli.bash");
        return path;
    }

    static QString run(const QString& program, const QStringList& args, int* code = nullptr) {
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(program, args);
        p.waitForFinished(60000);
        if (code)
            *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }
    static QString help(const QStringList& args, int* code = nullptr) {
        const CliResult r = CliRunner::run(args);
        if (code)
            *code = r.code;
        return QString::fromLocal8Bit(r.out);
    }

    static QStringList optionsIn(const QString& text) {
        static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z0-9-]*"));
        QStringList found;
        for (auto it = option.globalMatch(text); it.hasNext();)
            found << it.next().captured();
        found.removeDuplicates();
        found.sort();
        return found;
    }

    // The options a help offers, not those its prose mentions: those of the usage lines (up to the
    // first blank line) and of the lines that start with an option. In a command's usage line the
    // options before the command's name are the program's.
    static QStringList offeredBy(const QString& help, const QString& command = {}) {
        QString lines;
        bool usage = true;
        for (QString line : help.split('\n')) {
            usage = usage && !line.isEmpty();
            const qsizetype named = command.isEmpty() ? -1 : QString(line + ' ').indexOf(' ' + command + ' ');
            if (usage && named >= 0)
                line = line.mid(named);
            if (usage || line.startsWith("  -"))
                lines += line + '\n';
        }
        return optionsIn(lines);
    }

    // The general help: each command's synopsis starts a line with two blanks and the command's
    // name, and ends where two blanks part it from what the command does.
    static QMap<QString, QString> commandLines(const QString& general) {
        static const QRegularExpression commandLine(QStringLiteral("^  ([a-z]+)\\b"));
        QMap<QString, QString> commands;
        for (const QString& line : general.split('\n')) {
            const QRegularExpressionMatch m = commandLine.match(line);
            if (m.hasMatch())
                commands[m.captured(1)] = line.mid(2).section(QStringLiteral("  "), 0, 0);
        }
        return commands;
    }

    // The text of one section (.SH) or subsection (.SS) of a manual page, its escapes undone.
    static QString manSection(const QString& page, const QString& heading) {
        QString text;
        bool inside = false;
        for (const QString& line : QString::fromUtf8(TestEnv::readHostFile(page)).split('\n')) {
            if (line.startsWith(".SH ") || line.startsWith(".SS ")) {
                QString name = line.mid(4).trimmed();
                name.remove('"');
                inside = name == heading;
                continue;
            }
            if (inside)
                text += line + '\n';
        }
        static const QRegularExpression font(QStringLiteral("\\\\f[BIRP]"));
        return text.remove(font).replace("\\-", "-").replace("\\(dq", "\"").replace("\\e", "\\");
    }

    // What the completion offers for the words typed so far (the last one is being completed).
    static QStringList complete(const QStringList& words) {
        QString script = QStringLiteral("source '%1'; COMP_WORDS=(").arg(completion());
        for (const QString& w : words)
            script += " '" + w + "'";
        script += QStringLiteral("); COMP_CWORD=%1; _bootwright_cli; printf '%s\\n' \"${COMPREPLY[@]}\"")
                      .arg(words.size() - 1);
        return run("bash", {"-c", script}).split('\n', Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void command_data() {
        QTest::addColumn<QString>("command");
        const QMap<QString, QString> commands = commandLines(help({"--help"}));
        QVERIFY(commands.size() >= 7);
        for (const QString& c : commands.keys())
            QTest::newRow(qPrintable(c)) << c;
    }
    void command() {
        QFETCH(QString, command);
        int code = -1;
        const QString own = help({command, "--help"}, &code);
        QCOMPARE(code, 0);
        const QStringList options = offeredBy(own, command);
        for (const QString& o : optionsIn(commandLines(help({"--help"})).value(command)))
            QVERIFY2(options.contains(o),
                     qPrintable(QStringLiteral("bootwright-cli --help shows %1 for %2, but "
                                               "bootwright-cli %2 --help does not")
                                    .arg(o, command)));

        const QString section = manSection(manPage(), command);
        QVERIFY2(!section.isEmpty(),
                 qPrintable(QStringLiteral("%1 has no \".SS %2\" under COMMANDS").arg(manPage(), command)));
        const QString general = manSection(manPage(), "OPTIONS");
        const QStringList offered = complete({"bootwright-cli", command, "--"});
        for (const QString& o : options) {
            QVERIFY2(optionsIn(section).contains(o) || optionsIn(general).contains(o),
                     qPrintable(QStringLiteral("%1 of %2 is missing from %3 (subsection %2, or OPTIONS)")
                                    .arg(o, command, manPage())));
            QVERIFY2(offered.contains(o),
                     qPrintable(QStringLiteral("%1 of %2 is not offered by %3 (it offers %4)")
                                    .arg(o, command, completion(), offered.join(' '))));
        }
    }

    void programOptionsAndCommands() {
        const QString general = help({"--help"});
        const QStringList options = offeredBy(general);
        QVERIFY(options.contains("--dir") && options.contains("--version"));
        const QString section = manSection(manPage(), "OPTIONS");
        const QStringList offered = complete({"bootwright-cli", "--"});
        for (const QString& o : options) {
            QVERIFY2(optionsIn(section).contains(o),
                     qPrintable(QStringLiteral("%1 is missing from OPTIONS in %2").arg(o, manPage())));
            QVERIFY2(offered.contains(o),
                     qPrintable(QStringLiteral("%1 is not offered by %2").arg(o, completion())));
        }
        QStringList commands = commandLines(general).keys();
        QStringList completed = complete({"bootwright-cli", "--dir", "/tmp", ""});
        commands.sort();
        completed.sort();
        QCOMPARE(completed, commands);
    }

    // --set completes every name and alias that `values` lists, and only those the word starts.
    void setCompletesNamesAndAliases() {
        QStringList expected;
        const QStringList values = help({"values"}).split('\n', Qt::SkipEmptyParts);
        for (const QString& line : values)
            expected << line.section('\t', 0, 0) + '=' << line.section('\t', 1, 1) + '=';
        QVERIFY(values.size() > 70);
        QStringList offered = complete({BW_CLI_PATH, "build", "--set", ""});
        expected.sort();
        offered.sort();
        QCOMPARE(offered, expected);
        offered = complete({BW_CLI_PATH, "save", "Lab", "--set", "multicast.ip"});
        QVERIFY(offered.contains("multicast.ip=") && offered.contains("multicast.ip.dhcp="));
        QVERIFY(std::all_of(offered.begin(), offered.end(),
                            [](const QString& o) { return o.startsWith("multicast.ip"); }));
    }

    void desktopProgram() {
        const QString own = run(BW_GUI_PATH, {"--help"});
        const QString page = source("docs/man/bootwright.1");
        QVERIFY(own.startsWith("usage: bootwright "));
        for (const QString& o : offeredBy(own))
            QVERIFY2(
                optionsIn(manSection(page, "OPTIONS")).contains(o),
                qPrintable(QStringLiteral("%1 of bootwright is missing from OPTIONS in %2").arg(o, page)));
        QCOMPARE(run(BW_GUI_PATH, {"--version"}), QStringLiteral("bootwright " BW_VERSION "\n"));
    }

    void pagesRenderWithoutWarnings_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("bootwright") << source("docs/man/bootwright.1");
        QTest::newRow("bootwright-cli") << source("docs/man/bootwright-cli.1");
    }
    void pagesRenderWithoutWarnings() {
        QFETCH(QString, page);
        if (QStandardPaths::findExecutable("man").isEmpty())
            QSKIP("man is not installed");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MANWIDTH", "80");
        p.setProcessEnvironment(env);
        p.start("man", {"--warnings", "-l", page});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardError()), QString());
        const QString text = QString::fromLocal8Bit(p.readAllStandardOutput());
        for (const char* heading : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES", "EXIT STATUS"})
            QVERIFY2(text.contains(QLatin1String("\n") + heading + "\n"), heading);
    }
};

QTEST_GUILESS_MAIN(TestCliDocs)
#include "tst_cli_docs.moc"
