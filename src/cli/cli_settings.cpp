#include "cli/cli_settings.h"

#include "settings/config_store.h"
#include "settings/preferences.h"

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
    // The client location page takes the last accepted client program into an empty field when it
    // is shown; a build from here passes that page too.
    const QString clientField = QStringLiteral("TForm11.Edit1");
    if (settings.text(clientField).isEmpty()) {
        const QString client = Preferences(programDir).client();
        if (client != QLatin1String("XXX"))
            settings.setText(clientField, client);
    }
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

void refineStandaloneMode(BuildSettings& settings) {
    if (settings.buildMode() != 2)
        return;
    const QString nos = settings.itemText(QStringLiteral("TForm9.ComboBox1"));
    if (nos.startsWith(QLatin1String("Novell")))
        settings.setBuildMode(2);
    else if (nos.startsWith(QLatin1String("Microsoft")))
        settings.setBuildMode(3);
    else if (nos.startsWith(QLatin1String("No Network")))
        settings.setBuildMode(4);
}

} // namespace CliSettings
