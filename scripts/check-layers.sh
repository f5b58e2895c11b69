#!/usr/bin/env bash
# Checks that the folders of src/ keep their layer order: every #include of a project header, quoted
# or in angle brackets, names a file of the same folder or of a folder below, the core folders include and link nothing of QtGui or QtWidgets,
# and the order itself has no cycle. Prints one line per fault (file:line: what) and exits 1 on any.
#
#   scripts/check-layers.sh SRC_DIR [QT_HEADERS_DIR]
#
# QT_HEADERS_DIR is the folder holding QtCore/, QtGui/ and QtWidgets/; without it the script asks
# qmake6 or looks in Debian's place.
set -uo pipefail

src=${1:?usage: check-layers.sh SRC_DIR [QT_HEADERS_DIR]}
qt=${2:-}
if [ -z "$qt" ]; then
  qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)
  [ -d "$qt" ] || qt=/usr/include/$(gcc -dumpmachine 2>/dev/null)/qt6
fi

# Each folder and the folders it may include, lowest first.
folders=(platform settings rules writers batch cli gui/widgets gui/pages gui/shell app)
declare -A below=(
  [platform]=""
  [settings]="platform"
  [rules]="settings platform"
  [writers]="rules settings platform"
  [batch]="rules settings platform"
  [cli]="writers batch rules settings platform"
  [gui/widgets]="rules settings platform"
  [gui/pages]="gui/widgets writers batch rules settings platform"
  [gui/shell]="gui/pages gui/widgets writers batch rules settings platform"
  [app]="gui/shell gui/pages gui/widgets writers batch rules settings platform"
)
# The core: QtCore only.
core=" platform settings rules writers batch cli "

faults=0
fault() {
  echo "$1"
  faults=$((faults + 1))
}

# The order itself: a folder may only name folders listed before it.
for ((i = 0; i < ${#folders[@]}; i++)); do
  f=${folders[$i]}
  for dep in ${below[$f]}; do
    found=0
    for ((j = 0; j < i; j++)); do [ "${folders[$j]}" = "$dep" ] && found=1; done
    [ $found -eq 1 ] || fault "layer order: $f may include $dep, which is not below it (a cycle)"
  done
done

# The folder a source file belongs to: the longest folder of the table that holds it.
folder_of() {
  local rel=$1 best=""
  for f in "${folders[@]}"; do
    case "$rel" in "$f"/*) [ ${#f} -gt ${#best} ] && best=$f ;; esac
  done
  echo "$best"
}

may_include() {
  local from=$1 to=$2
  [ "$from" = "$to" ] && return 0
  for dep in ${below[$from]}; do [ "$dep" = "$to" ] && return 0; done
  return 1
}

while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  from=$(folder_of "$rel")
  if [ -z "$from" ]; then
    fault "$rel: the folder $(dirname "$rel") has no place in the layer order (scripts/check-layers.sh)"
    continue
  fi
  while IFS=: read -r line text; do
    target=""
    if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      target=${BASH_REMATCH[1]}
      [[ $target == */* ]] || continue # a file of the same folder
    elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^/\>]+)/([^\>]+)\> && -d "$src/${BASH_REMATCH[1]}" ]]; then
      # <writers/build_run.h> finds the same file through the include path; it obeys the same order.
      target=${BASH_REMATCH[1]}/${BASH_REMATCH[2]}
    fi
    if [ -n "$target" ]; then
      to=$(folder_of "$target")
      if [ -z "$to" ]; then
        fault "$rel:$line: includes \"$target\", which is in no folder of the layer order"
      elif ! may_include "$from" "$to"; then
        fault "$rel:$line: $from includes \"$target\" of $to, which is not below it"
      fi
    elif [[ $core == *" $from "* && $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Qt[A-Za-z]+/)?(Q[A-Za-z0-9_]*)\> ]]; then
      module=${BASH_REMATCH[1]%/}
      header=${BASH_REMATCH[2]}
      if [ -n "$module" ]; then
        [ "$module" = QtCore ] || fault "$rel:$line: the core includes <$module/$header>; it builds on QtCore alone"
      elif [ ! -e "$qt/QtCore/$header" ]; then
        fault "$rel:$line: the core includes <$header>, which is not a QtCore header; it builds on QtCore alone"
      fi
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

# The core's targets link QtCore alone.
for f in $core; do
  list="$src/$f/CMakeLists.txt"
  [ -f "$list" ] || continue
  while IFS=: read -r line _; do
    fault "${list#"$src"/}:$line: the core links QtGui or QtWidgets"
  done < <(grep -nE 'Qt6?::(Gui|Widgets)|Qt6?(Gui|Widgets)\b' "$list")
done

if [ $faults -gt 0 ]; then
  echo "$faults layering fault(s)"
  exit 1
fi
echo "layers kept: every include runs downwards"
