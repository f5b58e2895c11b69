#pragma once

#include <QLatin1String>

// The page values by name, for code to refer to them: PageValue::MulticastIp is "TForm6.Edit1".
// The list in page_values.def is the one place a name is spelled; the settings table takes each
// value's alias and meaning from there too.
namespace PageValue {
#define BW_PAGE_VALUE(constant, name, alias, meaning) inline constexpr QLatin1String constant{name};
#include "settings/page_values.def"
#undef BW_PAGE_VALUE

// BuildMode is no page value, but --set and the list of values take it beside them.
inline constexpr QLatin1String BuildMode{"BuildMode"};
inline constexpr QLatin1String BuildModeAlias{"build.mode"};
} // namespace PageValue
