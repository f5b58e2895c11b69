#include "cli/cli_config.h"

#include "cli/cli.h"
#include "cli/cli_settings.h"
#include "cli/console_ports.h"
#include "settings/config_store.h"

#include <cstdio>

namespace CliConfig {

int save(const QString& programDir, const QString& description, const QString& config,
         const QStringList& sets, bool overwrite, bool replaceOldest) {
    ConsoleDialogs dialogs;
    BuildSettings settings;
    try {
        settings = CliSettings::assemble(programDir, config, sets);
    } catch (const ConfigNotFound&) {
        dialogs.print(ConfigMessages::NotFound);
        return Cli::Message;
    }
    const ConfigStore store(programDir);
    const auto result = store.save(
        description, settings,
        [&] {
            dialogs.print(ConfigMessages::AlreadyExists);
            return overwrite;
        },
        [&](const QString&) { return replaceOldest; });
    switch (result.status) {
    case ConfigStore::SaveResult::Status::Saved:
        if (!result.replaced.isEmpty())
            dialogs.print(QStringLiteral("All %1 slots were in use: \"%2\" was replaced.")
                              .arg(ConfigStore::SlotCount)
                              .arg(result.replaced));
        if (!Cli::quiet())
            std::printf("Saved \"%s\" in slot %d of %s\n", qPrintable(description.trimmed()), result.slot,
                        qPrintable(store.path()));
        return Cli::Done;
    case ConfigStore::SaveResult::Status::NotReplaced:
        dialogs.print(QStringLiteral("All %1 configuration slots are in use: saving \"%2\" would replace the "
                                     "oldest, \"%3\". Give --replace-oldest to replace it.")
                          .arg(ConfigStore::SlotCount)
                          .arg(description.trimmed(), result.replaced));
        dialogs.print(result.message);
        return Cli::Message;
    case ConfigStore::SaveResult::Status::Refused:
    case ConfigStore::SaveResult::Status::NotOverwritten:
        dialogs.print(result.message);
        return Cli::Message;
    case ConfigStore::SaveResult::Status::Failed:
        dialogs.print(result.message);
        return Cli::IoFailure;
    }
    return Cli::Message;
}

// An unreadable file ends the command with exit status 3 (ProfileReadError reaches Cli::run).
int list(const QString& programDir) {
    for (const ConfigStore::Item& item : ConfigStore(programDir).list())
        std::printf("%s\t%s\n", item.description.toLocal8Bit().constData(),
                    item.multicast ? "Multicast" : "Standalone");
    return Cli::Done;
}

// Found as save and --config find a description: without regard to letter case.
int remove(const QString& programDir, const QString& description) {
    const ConfigStore store(programDir);
    const std::optional<ConfigStore::Item> item = store.find(description);
    if (item && store.remove(item->description))
        return Cli::Done;
    ConsoleDialogs().print(ConfigMessages::NotFound);
    return Cli::Message;
}

} // namespace CliConfig
