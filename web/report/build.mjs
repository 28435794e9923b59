// Bundles the report page's code and style with esbuild and writes them as a C++ source
// that vesselhost builds in: node build.mjs NODE_MODULES OUTPUT.cpp
import { readFileSync, writeFileSync, mkdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const [nodeModules, output] = process.argv.slice(2);
if (!nodeModules || !output) {
  console.error('usage: node build.mjs NODE_MODULES OUTPUT.cpp');
  process.exit(2);
}
const here = dirname(fileURLToPath(import.meta.url));
const esbuild = (await import(pathToFileURL(join(nodeModules, 'esbuild/lib/main.js')))).default;

async function bundle(entry) {
  const result = await esbuild.build({
    entryPoints: [join(here, 'src', entry)],
    bundle: true,
    minify: true,
    write: false,
    format: 'iife',
    target: 'es2020',
    legalComments: 'none',
    nodePaths: [nodeModules],
    logLevel: 'error',
  });
  return result.outputFiles[0].text;
}

// The text goes inside a <script> or <style> element of the page.
function checkEmbeddable(name, text) {
  if (/<\/(script|style)/i.test(text)) {
    console.error(`build.mjs: the bundled ${name} holds a closing tag`);
    process.exit(1);
  }
}

// As C++ raw string literals in pieces, with a delimiter that the text does not hold.
function literal(text) {
  let delimiter = 'page';
  while (text.includes(`)${delimiter}"`)) delimiter += 'x';
  const pieces = [];
  for (let i = 0; i < text.length; i += 16000)
    pieces.push(`R"${delimiter}(${text.slice(i, i + 16000)})${delimiter}"`);
  return pieces.join('\n');
}

const script = await bundle('main.js');
const style = await bundle('page.css');
checkEmbeddable('script', script);
checkEmbeddable('style', style);
mkdirSync(dirname(output), { recursive: true });
writeFileSync(output, `// Made by web/report/build.mjs from web/report/src: the report page's code and style.
#include "tools/vesselhost/report_page.h"

namespace vesselhost {

namespace {

const char kScript[] =
${literal(script)};

const char kStyle[] =
${literal(style)};

} // namespace

bool ReportPagesAvailable() { return true; }
std::string_view ReportScript() { return {kScript, sizeof kScript - 1}; }
std::string_view ReportStyle() { return {kStyle, sizeof kStyle - 1}; }

} // namespace vesselhost
`);
