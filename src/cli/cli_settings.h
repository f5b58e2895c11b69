#pragma once

#include "rules/choice_rules.h"
#include "settings/build_settings.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

// A command line that cannot be carried out as written: exit status 2, with this text.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// The configuration named by --config could not be found: the Load page's message, exit status 1.
class ConfigNotFound : public std::runtime_error {
public:
    ConfigNotFound() : std::runtime_error("configuration not found") {}
};

namespace CliSettings {

// The settings a command works on: the start-up defaults, then the configuration of that
// description (when not null) loaded over them, then each NAME=VALUE in order. An empty client
// program field then takes the last accepted one from PCBW.INI, as the client location page does.
BuildSettings assemble(const QString& programDir, const QString& config, const QStringList& sets);

// Applies one NAME=VALUE; a plain address such as 10.0.0.5 fills a 15-character address field, and a
// choice runs its page's rule as a click does.
void applySet(BuildSettings& settings, const QString& assignment, ChoiceRules::Memory& memory);

} // namespace CliSettings
