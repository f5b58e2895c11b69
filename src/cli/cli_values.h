#pragma once

// bootwright-cli values: every value --set takes, one a line, tab-separated: name, alias, kind,
// start-up value (save form), save key ("-" when not saved), meaning.
namespace CliValues {
int list();
} // namespace CliValues
