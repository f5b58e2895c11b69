#include "cli/cli_settings.h"

#include "rules/page_rules.h"
#include "settings/config_store.h"

namespace CliSettings {

BuildSettings assemble(const QString& programDir, const QString& config, const QStringList& sets) {
    BuildSettings settings;
    if (!config.isNull()) {
        const ConfigStore store(programDir);
        bool found = false;
        // Found as the Load page finds it: by the caption the list shows, exactly as typed.
        for (const ConfigStore::Item& item : store.list()) {
            if (item.description == config) {
                settings = store.load(item.description, settings);
                found = true;
                break;
            }
        }
        if (!found)
            throw ConfigNotFound();
    }
    for (const QString& assignment : sets)
        applySet(settings, assignment);
    // A build from here passes the client location page too, which takes the last accepted client
    // program into an empty field when it is shown.
    PageRules::clientLocationShow(settings, programDir);
    return settings;
}

void applySet(BuildSettings& settings, const QString& assignment) {
    const qsizetype eq = assignment.indexOf(QLatin1Char('='));
    if (eq <= 0)
        throw UsageError(QStringLiteral("--set takes NAME=VALUE, not \"%1\"").arg(assignment));
    const QString name = assignment.left(eq);
    try {
        settings.setValue(name, assignment.mid(eq + 1));
    } catch (const SettingsError& e) {
        throw UsageError(QStringLiteral("--set %1: %2").arg(name, QString::fromStdString(e.what())));
    }
}

} // namespace CliSettings
