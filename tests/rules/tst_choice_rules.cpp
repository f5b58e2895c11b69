#include "rules/choice_rules.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"

#include <QTest>

namespace {

using Values = QList<QPair<QString, QString>>; // alias -> save form

BuildSettings settingsWith(const Values& values) {
    BuildSettings s;
    for (const auto& [name, value] : values)
        s.setValue(name, value);
    return s;
}

} // namespace

// Which rule a choice runs, whether a page's click or the command line's --set makes it: the
// rules themselves are tested in tst_show_steps and tst_post_configuration_rules.
class TstChoiceRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chosen_data() {
        using namespace PageValue;
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<Values>("given");
        QTest::addColumn<Values>("expected");
        auto row = [](const char* name, QLatin1String chosen, const Values& given, const Values& expected) {
            QTest::newRow(name) << QString(chosen) << given << expected;
        };
        row("multicast name numbering on", MulticastNameIncrement,
            {{"multicast.name.increment", "1"}, {"multicast.name", "LAB1"}}, {{"multicast.name", "LAB2"}});
        row("multicast name numbering off", MulticastNameIncrement,
            {{"multicast.name.increment", "0"}, {"multicast.name", "LAB1"}}, {{"multicast.name", "LAB1"}});
        row("multicast DHCP", MulticastIpDhcp, {{"multicast.ip.dhcp", "1"}, {"multicast.ip", "10.0.0.5"}},
            {{"multicast.ip", "DHCP"}, {"multicast.mask", "DHCP"}});
        row("microsoft DHCP", MicrosoftIpDhcp, {{"microsoft.ip.dhcp", "1"}, {"microsoft.ip", "10.0.0.5"}},
            {{"microsoft.ip", "DHCP"}});
        row("microsoft name numbering", MicrosoftNameIncrement,
            {{"microsoft.name.increment", "1"}, {"microsoft.name", "WS1"}}, {{"microsoft.name", "WS2"}});
        row("microsoft name as entered after the MAC", MicrosoftNameFixed,
            {{"microsoft.name.fixed", "1"}, {"microsoft.name", "Derive From NIC MAC Address"}},
            {{"microsoft.name", ""}});
        row("microsoft name as entered keeps a name", MicrosoftNameFixed,
            {{"microsoft.name.fixed", "1"}, {"microsoft.name", "WS1"}}, {{"microsoft.name", "WS1"}});

        // One choice of each post-configuration group reaches its group's rule.
        row("post address set", PostIpSet, {{"post.ip.set", "1"}}, {{"post.ip.fixed", "1"}});
        row("post address NT-DHCP", PostIpDhcp, {{"post.ip.dhcp", "1"}}, {{"post.ip", "BOOTP"}});
        row("post mask same", PostMaskSame, {{"post.mask.same", "1"}, {"post.mask", "255.255.0.0"}},
            {{"post.mask", "255.  0.  0.  0"}});
        row("post mask copy", PostMaskMulticast,
            {{"post.mask.multicast", "1"}, {"multicast.mask", "255.255.0.0"}},
            {{"post.mask", "255.255.  0.  0"}});
        row("post name set", PostNameSet, {{"post.name.set", "1"}},
            {{"post.name.fixed", "1"}, {"post.name", ""}});
        row("post name from the MAC", PostNameMac, {{"post.name.mac", "1"}},
            {{"post.name", "Derive From NIC MAC Address"}});
        row("post domain", PostGroupDomain, {{"post.group.domain", "1"}}, {{"post.group", ""}});
        row("post login set", PostLoginSet, {{"post.login.set", "1"}}, {{"post.login.name", ""}});
    }
    void chosen() {
        QFETCH(QString, chosen);
        QFETCH(Values, given);
        QFETCH(Values, expected);
        BuildSettings s = settingsWith(given);
        ChoiceRules::Memory memory;
        ChoiceRules::chosen(s, chosen, memory);
        for (const auto& [name, value] : expected)
            QCOMPARE(s.value(name), value);
    }

    void valueWithoutRuleChangesNothing() {
        BuildSettings s = settingsWith({{"post.on", "1"}, {"post.name", "Same as Image"}});
        const BuildSettings before = s;
        ChoiceRules::Memory memory;
        for (QLatin1String name : {PageValue::PostOn, PageValue::NicPnpOff, PageValue::MicrosoftGroupDomain})
            ChoiceRules::chosen(s, name, memory);
        QVERIFY(s == before);
    }

    // Each address page keeps its own address from before DHCP, and gets it back from there.
    void dhcpOffRestoresThePagesOwnAddress() {
        BuildSettings s = settingsWith({{"multicast.ip.dhcp", "1"}, {"multicast.ip", "10.0.0.5"}});
        ChoiceRules::Memory memory;
        ChoiceRules::chosen(s, PageValue::MulticastIpDhcp, memory);
        s.setChecked(PageValue::MicrosoftIpDhcp, true);
        s.setText(PageValue::MicrosoftIp, QStringLiteral(" 10.  0.  0.  9"));
        ChoiceRules::chosen(s, PageValue::MicrosoftIpDhcp, memory);
        s.setChecked(PageValue::MulticastIpDhcp, false);
        ChoiceRules::chosen(s, PageValue::MulticastIpDhcp, memory);
        QCOMPARE(s.text(PageValue::MulticastIp), QStringLiteral(" 10.  0.  0.  5"));
        s.setChecked(PageValue::MicrosoftIpFixed, true);
        ChoiceRules::chosen(s, PageValue::MicrosoftIpFixed, memory);
        QCOMPARE(s.text(PageValue::MicrosoftIp), QStringLiteral(" 10.  0.  0.  9"));
    }
};

QTEST_MAIN(TstChoiceRules)
#include "tst_choice_rules.moc"
