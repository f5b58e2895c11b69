#!/usr/bin/env bash
# Runs a validator on a file and fails on anything it reports, hints aside; skips, saying so, when
# the validator is not installed.
# usage: validate.sh desktop-file-validate|appstreamcli FILE
set -uo pipefail
tool=$1 file=$2
if ! command -v "$tool" >/dev/null; then
  echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
case $tool in
desktop-file-validate)
  report=$(desktop-file-validate --no-hints "$file" 2>&1)
  code=$?
  ;;
appstreamcli)
  report=$(appstreamcli validate --no-net --pedantic --explain "$file" 2>&1)
  code=$?
  ;;
*)
  echo "unknown validator $tool"
  exit 1
  ;;
esac
echo "$tool $file:"
echo "$report"
[ $code -eq 0 ] || exit 1
# appstreamcli prints its closing line even on success; every other line is a finding.
findings=$(grep -Ev '^(✔ Validation was successful|$)' <<<"$report" | grep -Ev '^ ' | grep -Ev '^I: .*cid-maybe-not-rdns' || true)
[ -z "$findings" ] || { echo "findings:"; echo "$findings"; exit 1; }
