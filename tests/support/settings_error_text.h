#pragma once

#include "settings/build_settings.h"

#include <QString>
#include <functional>

// The text of the SettingsError that f throws, or "<no error>" when it throws none.
inline QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const SettingsError& e) {
        return QString::fromStdString(e.what());
    }
    return QStringLiteral("<no error>");
}
