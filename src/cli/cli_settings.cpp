#include "cli/cli_settings.h"

#include "settings/config_store.h"
#include "settings/preferences.h"

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
