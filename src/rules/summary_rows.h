#pragma once

#include "rules/wizard_flow.h"

#include <QLatin1String>
#include <QList>
#include <QString>
#include <optional>

class BuildSettings;

// One line of the summary: a label in capitals and the value the build will use.
struct SummaryRow {
    QString label;
    QString value;

    bool operator==(const SummaryRow&) const = default;
};

// Where a double-click on a summary row leads: the page that owns the value, with the tab of its
// tab control that holds it in front (empty: leave the tabs as they are).
struct SummaryTarget {
    PageId page = PageId::Main;
    QString tab;

    bool operator==(const SummaryTarget&) const = default;
};

// What the summary page lists before a build, and which page each row goes back to: worked out
// from the values alone, so the page only fills its grids and follows a click.
namespace SummaryRows {

// Shown for every post-configuration value that the image keeps, and when there is none at all.
inline constexpr QLatin1String SameAsImage{"Same as Image"};

// The "Client Diskette Operation" grid: the values of the build mode's pages, then the NIC's.
QList<SummaryRow> operation(const BuildSettings& settings);
// The "Post-Configuration Options" grid (shown only when post-configuration is on).
QList<SummaryRow> postConfiguration(const BuildSettings& settings);

// The page an operation row's label (trimmed, in capitals) leads to; none for a label the build
// mode does not list.
std::optional<SummaryTarget> operationTarget(const QString& label, BuildMode mode);
// Every post-configuration row leads to that page; the tab is the one that holds the row's value.
SummaryTarget postConfigurationTarget(const QString& label);

} // namespace SummaryRows
