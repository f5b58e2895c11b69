#include "rules/wizard_flow.h"

#include <QtTest>

Q_DECLARE_METATYPE(PageId)

// The wizard's routes, page by page, for every mode.
class TestWizardFlow : public QObject {
    Q_OBJECT

    static const QString novell() { return QStringLiteral("Novell Netware 3.12 or higher"); }
    static const QString onServer() {
        return QStringLiteral("Microsoft TCP/IP - Pellacore Client on Server");
    }
    static const QString onFloppy() {
        return QStringLiteral("Microsoft TCP/IP - Pellacore Client on Floppy");
    }
    static const QString noNetwork() { return QStringLiteral("No Network (local media pull)"); }

    // Follows Next from the client location page to the build page.
    static QList<PageId> route(int startMode, const QString& nos) {
        QList<PageId> pages{PageId::ClientLocation};
        BuildMode mode = BuildMode(startMode);
        while (pages.last() != PageId::Build && pages.size() < 20) {
            const WizardFlow::Next n = WizardFlow::next(pages.last(), mode, nos);
            mode = n.buildMode;
            pages << n.target;
        }
        return pages;
    }

private Q_SLOTS:
    void routes_data() {
        QTest::addColumn<int>("startMode");
        QTest::addColumn<QString>("nos");
        QTest::addColumn<QList<PageId>>("expected");
        using P = PageId;
        QTest::newRow("multicast") << 1 << novell() << QList<P>{P::ClientLocation,    P::NicSelection,
                                                                P::NicParameters,     P::MulticastClient,
                                                                P::PostConfiguration, P::Summary,
                                                                P::DisketteLocation,  P::Build};
        QTest::newRow("netware") << 2 << novell() << QList<P>{P::ClientLocation,   P::StandaloneParameters,
                                                              P::NetWare,          P::NicSelection,
                                                              P::NicParameters,    P::Summary,
                                                              P::DisketteLocation, P::Build};
        for (const QString& ms : {onServer(), onFloppy()})
            QTest::newRow(qPrintable(ms))
                << 2 << ms << QList<P>{P::ClientLocation,      P::StandaloneParameters,
                                       P::MicrosoftStandalone, P::NicSelection,
                                       P::NicParameters,       P::Summary,
                                       P::DisketteLocation,    P::Build};
        QTest::newRow("no network") << 2 << noNetwork()
                                    << QList<P>{P::ClientLocation, P::StandaloneParameters, P::Summary,
                                                P::DisketteLocation, P::Build};
    }
    void routes() {
        QFETCH(int, startMode);
        QFETCH(QString, nos);
        QFETCH(QList<PageId>, expected);
        QCOMPARE(route(startMode, nos), expected);
    }

    void standalonePageSetsTheFinalMode_data() {
        QTest::addColumn<QString>("nos");
        QTest::addColumn<int>("mode");
        QTest::newRow("novell") << novell() << 2;
        QTest::newRow("server") << onServer() << 3;
        QTest::newRow("floppy") << onFloppy() << 3;
        QTest::newRow("none") << noNetwork() << 4;
    }
    void standalonePageSetsTheFinalMode() {
        QFETCH(QString, nos);
        QFETCH(int, mode);
        QCOMPARE(BuildModes::number(
                     WizardFlow::next(PageId::StandaloneParameters, BuildMode::NetWare, nos).buildMode),
                 mode);
    }

    void standalonePageWithoutNosStays() {
        const WizardFlow::Next n =
            WizardFlow::next(PageId::StandaloneParameters, BuildMode::NetWare, QString());
        QCOMPARE(n.message, QStringLiteral("You must specify a NOS."));
        QCOMPARE(n.buildMode, BuildMode::NetWare);
    }

    void backTargets_data() {
        QTest::addColumn<PageId>("from");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("nos");
        QTest::addColumn<PageId>("to");
        using P = PageId;
        QTest::newRow("client location") << P::ClientLocation << 1 << novell() << P::Main;
        QTest::newRow("nic selection, multicast") << P::NicSelection << 1 << novell() << P::ClientLocation;
        QTest::newRow("nic selection, netware") << P::NicSelection << 2 << novell() << P::NetWare;
        QTest::newRow("nic selection, microsoft")
            << P::NicSelection << 3 << onServer() << P::MicrosoftStandalone;
        QTest::newRow("nic selection, no network")
            << P::NicSelection << 4 << noNetwork() << P::ClientLocation;
        QTest::newRow("summary, multicast") << P::Summary << 1 << onServer() << P::PostConfiguration;
        QTest::newRow("summary, netware") << P::Summary << 2 << novell() << P::NicParameters;
        QTest::newRow("summary, microsoft") << P::Summary << 3 << onFloppy() << P::StandaloneParameters;
        QTest::newRow("summary, no network") << P::Summary << 4 << noNetwork() << P::StandaloneParameters;
        QTest::newRow("diskette location") << P::DisketteLocation << 1 << novell() << P::Summary;
        QTest::newRow("build") << P::Build << 1 << novell() << P::DisketteLocation;
        QTest::newRow("post-configuration") << P::PostConfiguration << 1 << novell() << P::MulticastClient;
    }
    void backTargets() {
        QFETCH(PageId, from);
        QFETCH(int, mode);
        QFETCH(QString, nos);
        QFETCH(PageId, to);
        QCOMPARE(WizardFlow::back(from, BuildMode(mode), nos), to);
    }

    void cancelQuestions() {
        const QString lose = QStringLiteral("You will lose all selections! ");
        const QString loose = QStringLiteral("You will loose all selections! ");
        QCOMPARE(WizardFlow::cancelQuestion(PageId::StandaloneParameters), loose);
        QCOMPARE(WizardFlow::cancelQuestion(PageId::NetWare), loose);
        for (PageId p : {PageId::ClientLocation, PageId::MicrosoftStandalone, PageId::NicSelection,
                         PageId::NicParameters, PageId::MulticastClient, PageId::PostConfiguration,
                         PageId::Summary, PageId::DisketteLocation})
            QCOMPARE(WizardFlow::cancelQuestion(p), lose);
    }

    void namesAndHelpContexts() {
        QCOMPARE(WizardFlow::className(PageId::PostConfiguration), QStringLiteral("TForm99"));
        QCOMPARE(WizardFlow::caption(PageId::Summary), QStringLiteral("Client Diskette Parameters"));
        QCOMPARE(WizardFlow::helpContext(PageId::MicrosoftStandalone), 550);
        QCOMPARE(WizardFlow::helpContext(PageId::NicSelection), 610);
    }
};

QTEST_GUILESS_MAIN(TestWizardFlow)
#include "tst_wizard_flow.moc"
