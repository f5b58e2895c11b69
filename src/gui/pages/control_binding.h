#pragma once

#include "settings/page_values.h"

#include <QString>

class BuildSettings;
class QWidget;

// Moves a page's values between its controls and a BuildSettings, through the page-value table:
// a control's objectName is its name in the table ("Edit1" of the page "TForm6" is "TForm6.Edit1").
namespace ControlBinding {

// The control a page value lives in: "Edit1" for PageValue::MulticastIp ("TForm6.Edit1").
inline QString controlName(QLatin1String value) {
    const qsizetype dot = value.indexOf(QLatin1Char('.'));
    return QString(value.mid(dot + 1));
}

// Reads every value of the table that belongs to `page` into the settings; values of controls the
// page does not have are left as they are.
void read(const QWidget* page, BuildSettings& settings);

// Sets the page's controls from the settings, in table order, so radio groups end as a load leaves
// them. With `quiet` the controls emit no signals: the page's click rules do not run, as when a
// page puts back what a core rule worked out for it.
void write(QWidget* page, const BuildSettings& settings, bool quiet);

} // namespace ControlBinding
