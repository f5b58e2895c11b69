#include "rules/post_configuration_rules.h"
#include "settings/build_settings.h"

#include <QTest>

namespace {

using Values = QList<QPair<QString, QString>>; // alias -> save form
using Rule = void (*)(BuildSettings&);

} // namespace

Q_DECLARE_METATYPE(Rule)

// The post-configuration page's rules over values, each run as a click on its group runs it. The
// page test checks only that its buttons run them and what the controls then allow.
class TstPostConfigurationRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rule_data() {
        QTest::addColumn<Rule>("rule");
        QTest::addColumn<Values>("given");
        QTest::addColumn<Values>("expected");
        const Values multicast{
            {"multicast.ip", "10.1.2.3"}, {"multicast.mask", "255.255.0.0"}, {"multicast.name", "LAB 7"}};
        auto row = [](const char* name, Rule rule, const Values& given, const Values& expected) {
            QTest::newRow(name) << rule << given << expected;
        };
        using namespace PostConfigurationRules;

        // "Set IP Address" with no kind chosen takes "Use as Entered"; the field keeps an address
        // but not the word NT-DHCP left in it.
        row("address set keeps the address", addressSource,
            {{"post.ip.set", "1"}, {"post.ip", "192.168.0.9"}},
            {{"post.ip.fixed", "1"}, {"post.ip", "192.168.  0.  9"}});
        row("address set clears BOOTP", addressSource, {{"post.ip.set", "1"}, {"post.ip", "BOOTP"}},
            {{"post.ip.fixed", "1"}, {"post.ip", "  0.  0.  0.  0"}});
        row("address set keeps NT-DHCP", addressSource,
            {{"post.ip.set", "1"}, {"post.ip.dhcp", "1"}, {"post.ip", "BOOTP"}},
            {{"post.ip.fixed", "0"}, {"post.ip", "BOOTP"}});
        row("address same resets", addressSource,
            {{"post.ip.same", "1"}, {"post.ip.increment", "1"}, {"post.ip", "10.0.0.7"}},
            {{"post.ip.increment", "0"}, {"post.ip.fixed", "0"}, {"post.ip", "  0.  0.  0.  0"}});
        row("nt-dhcp", addressKind, {{"post.ip.dhcp", "1"}, {"post.ip", "10.0.0.7"}}, {{"post.ip", "BOOTP"}});
        // The address held before NT-DHCP is not restored.
        row("nt-dhcp, then use as entered", addressKind, {{"post.ip.fixed", "1"}, {"post.ip", "BOOTP"}},
            {{"post.ip", "  0.  0.  0.  0"}});
        row("nt-dhcp, then auto-increment", addressKind, {{"post.ip.increment", "1"}, {"post.ip", "BOOTP"}},
            {{"post.ip", "  0.  0.  0.  0"}});
        row("same as multicast", addressKind, multicast + Values{{"post.ip.multicast", "1"}},
            {{"post.ip", " 10.  1.  2.  3"}});
        row("auto-increment keeps the address", addressKind,
            {{"post.ip.increment", "1"}, {"post.ip", "10.0.0.7"}}, {{"post.ip", " 10.  0.  0.  7"}});

        row("mask set with the copy ticked", maskSource,
            multicast + Values{{"post.mask.set", "1"}, {"post.mask.multicast", "1"}},
            {{"post.mask", "255.255.  0.  0"}});
        row("mask set keeps the mask", maskSource, {{"post.mask.set", "1"}, {"post.mask", "255.255.255.0"}},
            {{"post.mask", "255.255.255.  0"}});
        row("mask same resets, copy stays ticked", maskSource,
            {{"post.mask.same", "1"}, {"post.mask.multicast", "1"}, {"post.mask", "255.255.255.0"}},
            {{"post.mask", "255.  0.  0.  0"}, {"post.mask.multicast", "1"}});
        row("mask copy ticked", maskCopy, multicast + Values{{"post.mask.multicast", "1"}},
            {{"post.mask", "255.255.  0.  0"}});
        row("mask copy unticked", maskCopy, {{"post.mask.multicast", "0"}, {"post.mask", "255.255.0.0"}},
            {{"post.mask", "255.  0.  0.  0"}});

        row("name set", nameSource, {{"post.name.set", "1"}, {"post.name", "Same as Image"}},
            {{"post.name.fixed", "1"}, {"post.name", ""}});
        row("name same", nameSource, {{"post.name.same", "1"}, {"post.name.mac", "1"}, {"post.name", "PC4"}},
            {{"post.name.mac", "0"}, {"post.name.fixed", "0"}, {"post.name", "Same as Image"}});
        row("auto assign", nameKind, {{"post.name.increment", "1"}, {"post.name", ""}},
            {{"post.name", "CLIENT1"}});
        row("from the MAC", nameKind, {{"post.name.mac", "1"}, {"post.name", "PC4"}},
            {{"post.name", "Derive From NIC MAC Address"}});
        row("use as entered after the MAC", nameKind,
            {{"post.name.fixed", "1"}, {"post.name", "Derive From NIC MAC Address"}}, {{"post.name", ""}});
        row("use as entered keeps a name", nameKind, {{"post.name.fixed", "1"}, {"post.name", "PC4"}},
            {{"post.name", "PC4"}});
        row("same as multicast name", nameKind, multicast + Values{{"post.name.multicast", "1"}},
            {{"post.name", "LAB 7"}});

        row("workgroup from the image's", workgroup,
            {{"post.group.workgroup", "1"}, {"post.group", "Same as Image"}}, {{"post.group", ""}});
        row("domain keeps a name", workgroup, {{"post.group.domain", "1"}, {"post.group", "OFFICE"}},
            {{"post.group", "OFFICE"}});
        row("group same", workgroup, {{"post.group.same", "1"}, {"post.group", "OFFICE"}},
            {{"post.group", "Same as Image"}});
        row("login set", login, {{"post.login.set", "1"}, {"post.login.name", "Same as Image"}},
            {{"post.login.name", ""}});
        row("login set keeps a name", login, {{"post.login.set", "1"}, {"post.login.name", "admin"}},
            {{"post.login.name", "admin"}});
        row("login same", login, {{"post.login.same", "1"}, {"post.login.name", "admin"}},
            {{"post.login.name", "Same as Image"}});

        // With every setting as the image, leaving the page switches post-configuration off.
        row("leave, all same", leave, {{"post.on", "1"}}, {{"post.off", "1"}});
        for (const char* set :
             {"post.ip.set", "post.mask.set", "post.name.set", "post.group.domain", "post.login.set"})
            row(set, leave, {{"post.on", "1"}, {set, "1"}}, {{"post.on", "1"}});
        row("leaving a field copies the name", leaveField, {{"post.name", "PC4"}},
            {{"post.name.copy", "PC4"}});
    }
    void rule() {
        QFETCH(Rule, rule);
        QFETCH(Values, given);
        QFETCH(Values, expected);
        BuildSettings s;
        for (const auto& [name, value] : given)
            s.setValue(name, value);
        rule(s);
        for (const auto& [name, value] : expected)
            QCOMPARE(s.value(name), value);
    }
};

QTEST_MAIN(TstPostConfigurationRules)
#include "tst_post_configuration_rules.moc"
