#include "cli/cli_settings.h"

#include "platform/text_codec.h"
#include "rules/choice_rules.h"
#include "rules/page_rules.h"
#include "rules/show_steps.h"
#include "settings/config_store.h"

#include <algorithm>

namespace {

QString nameOf(const QString& assignment) {
    return assignment.left(assignment.indexOf(QLatin1Char('=')));
}

} // namespace

namespace CliSettings {

BuildSettings assemble(const QString& programDir, const QString& config, const QStringList& sets) {
    BuildSettings settings;
    if (!config.isNull()) {
        // Found by the caption the Load page lists, compared as a save compares descriptions.
        const ConfigStore store(programDir);
        const std::optional<ConfigStore::Item> item = store.find(config);
        if (!item)
            throw ConfigNotFound();
        settings = store.load(item->description, settings);
    }
    // The pages fill an untouched empty address field when they are shown, before anything is typed.
    ShowSteps::blankFill(settings);
    // Each value as the wizard's pages take it: page after page in the wizard's order (so that a
    // choice copying another page's value sees it as given), and within a page in the order given.
    QStringList ordered = sets;
    std::stable_sort(ordered.begin(), ordered.end(), [](const QString& a, const QString& b) {
        return PageRules::wizardPosition(nameOf(a)) < PageRules::wizardPosition(nameOf(b));
    });
    ChoiceRules::Memory memory;
    for (const QString& assignment : ordered)
        applySet(settings, assignment, memory);
    // A build from here passes the client location page too, which takes the last accepted client
    // program into an empty field when it is shown.
    PageRules::clientLocationShow(settings, programDir);
    return settings;
}

void applySet(BuildSettings& settings, const QString& assignment, ChoiceRules::Memory& memory) {
    const qsizetype eq = assignment.indexOf(QLatin1Char('='));
    if (eq <= 0)
        throw UsageError(QStringLiteral("--set takes NAME=VALUE, not %1").arg(TextCodec::quoted(assignment)));
    const QString name = assignment.left(eq);
    try {
        const QString before = settings.value(name);
        settings.setValue(name, assignment.mid(eq + 1));
        // A choice made here does what clicking it does on its page: a check box that changes, or a
        // radio button that becomes selected, runs the page's rule for it.
        const ValueSpec* entry = SettingsTable::findNameOrAlias(name);
        const QString after = settings.value(name);
        if (entry && after != before &&
            (entry->kind == ValueKind::Check ||
             (entry->kind == ValueKind::Radio && after == QLatin1String("1"))))
            ChoiceRules::chosen(settings, entry->name, memory);
    } catch (const SettingsError& e) {
        throw UsageError(
            QStringLiteral("--set %1: %2").arg(TextCodec::escaped(name), QString::fromStdString(e.what())));
    }
}

} // namespace CliSettings
