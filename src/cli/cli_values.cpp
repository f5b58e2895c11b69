#include "cli/cli_values.h"

#include "cli/cli.h"
#include "settings/build_settings.h"
#include "settings/page_values.h"

#include <cstdio>

namespace {

// The words a person reads to know what VALUE a --set takes.
const char* kindWord(ValueKind kind) {
    switch (kind) {
    case ValueKind::Text:
        return "text";
    case ValueKind::DottedQuad:
        return "address";
    case ValueKind::Check:
        return "check";
    case ValueKind::Radio:
        return "radio";
    case ValueKind::Index:
        return "index";
    case ValueKind::ComboText:
        return "combo-text";
    }
    return "text";
}

void line(const QString& name, const QString& alias, const char* kind, const QString& startUp,
          const QString& key, const QString& meaning) {
    std::printf("%s\t%s\t%s\t%s\t%s\t%s\n", name.toLocal8Bit().constData(), alias.toLocal8Bit().constData(),
                kind, startUp.toLocal8Bit().constData(), key.isEmpty() ? "-" : key.toLocal8Bit().constData(),
                meaning.toLocal8Bit().constData());
}

} // namespace

namespace CliValues {

int list() {
    for (const ValueSpec& s : SettingsTable::values())
        line(s.name, s.alias, kindWord(s.kind), s.defaultValue, s.key, s.meaning);
    line(PageValue::BuildMode, PageValue::BuildModeAlias, "number",
         BuildSettings().value(PageValue::BuildMode), QStringLiteral("paramh"),
         QStringLiteral("kind of diskette: 1 Multicast, 2 NetWare, 3 Microsoft TCP/IP, 4 no network "
                        "(saved as 1 for Multicast, else 0)"));
    // A list cut short by a full disk or a closed pipe must not end as if it were whole.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("bootwright-cli: the list of values could not be written in full\n", stderr);
        return Cli::IoFailure;
    }
    return Cli::Done;
}

} // namespace CliValues
