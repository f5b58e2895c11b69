#!/usr/bin/env bash
# The layer check must catch each kind of fault it exists for, and pass a clean tree.
set -uo pipefail
check=${1:?usage: selftest.sh CHECK_SCRIPT}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

qt="$work/qt"
mkdir -p "$qt/QtCore" "$qt/QtWidgets"
touch "$qt/QtCore/QString" "$qt/QtWidgets/QWidget"

tree() {
  rm -rf "$work/src"
  mkdir -p "$work/src"/{platform,settings,rules,writers,batch,cli,gui/widgets,gui/pages,gui/shell,app}
  printf '#include <QString>\n#include <vector>\n' > "$work/src/platform/a.h"
  printf '#include "platform/a.h"\n#include "b.h"\n' > "$work/src/settings/b.h"
  printf '#include "settings/b.h"\n#include <QWidget>\n' > "$work/src/gui/pages/p.h"
  printf 'add_library(bw_rules STATIC r.cpp)\ntarget_link_libraries(bw_rules PUBLIC Qt6::Core)\n' \
    > "$work/src/rules/CMakeLists.txt"
}

failed=0
expect() { # expect pass|fail PATTERN
  local want=$1 pattern=$2 out rc
  out=$(bash "$check" "$work/src" "$qt" 2>&1)
  rc=$?
  if [ "$want" = pass ] && [ $rc -ne 0 ]; then
    echo "FAIL: a clean tree was refused:"; echo "$out"; failed=1
  elif [ "$want" = fail ] && { [ $rc -eq 0 ] || ! grep -q -- "$pattern" <<<"$out"; }; then
    echo "FAIL: expected a fault matching '$pattern', got (exit $rc):"; echo "$out"; failed=1
  fi
}

tree; expect pass ''
tree; printf '#include "gui/pages/p.h"\n' >> "$work/src/platform/a.h"
expect fail 'platform/a.h:3: platform includes "gui/pages/p.h" of gui/pages'
tree; printf '#include "writers/w.h"\n' > "$work/src/batch/x.cpp"
expect fail 'batch/x.cpp:1: batch includes "writers/w.h" of writers'
tree; printf '#include <writers/build_run.h>\n' > "$work/src/rules/r.cpp"
expect fail 'rules/r.cpp:1: rules includes "writers/build_run.h" of writers'
tree; printf '#include <settings/b.h>\n#include <QtCore/QString>\n' > "$work/src/rules/r.cpp"
expect pass ''
tree; printf '#include "gui/shell/wizard.h"\n' > "$work/src/gui/pages/q.cpp"
expect fail 'gui/pages/q.cpp:1: gui/pages includes'
tree; printf '#include <QWidget>\n' > "$work/src/rules/r.cpp"
expect fail 'rules/r.cpp:1: the core includes <QWidget>'
tree; printf '#include <QtWidgets/QLabel>\n' > "$work/src/cli/c.cpp"
expect fail 'cli/c.cpp:1: the core includes <QtWidgets/QLabel>'
tree; printf 'target_link_libraries(bw_rules PUBLIC Qt6::Widgets)\n' >> "$work/src/rules/CMakeLists.txt"
expect fail 'rules/CMakeLists.txt:3: the core links'
tree; mkdir -p "$work/src/misc"; printf '\n' > "$work/src/misc/m.h"
expect fail 'the folder misc has no place'
tree; printf '#include "nowhere/n.h"\n' > "$work/src/app/main.cpp"
expect fail 'app/main.cpp:1: includes "nowhere/n.h", which is in no folder'

[ $failed -eq 0 ] && echo "the layer check catches every kind of fault"
exit $failed
