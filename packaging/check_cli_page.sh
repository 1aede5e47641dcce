#!/usr/bin/env bash
# Every option, command and key name that the README's tobrisk-cli section names in backticks
# must appear in the tobrisk-cli(1) page, so that the page keeps up with the program.
#   check_cli_page.sh README.md tobrisk-cli.1
set -euo pipefail
readme=$1 page=$2

# The page's text without roff escapes: "\-" is "-", "\(dq" a quote, "\fB" a font change.
text=$(sed -e 's/\\-/-/g' -e 's/\\(dq/"/g' -e 's/\\f[BIRP]//g' -e 's/\\e/\\/g' "$page")

missing=0
while IFS= read -r item; do
  word=${item%% *}
  word=${word%%|*}
  # Paths, examples with values and upper-case placeholders are not names.
  case $word in */* | *=* | "" | [A-Z][A-Z]*) continue ;; esac
  if ! grep -qF -- "$word" <<<"$text"; then
    echo "tobrisk-cli(1) does not name $word (README: \`$item\`)"
    missing=1
  fi
done < <(sed -n '/^## tobrisk-cli/,/^## [^t]/p' "$readme" | grep -o '`[^`]*`' | tr -d '`')
exit $missing
