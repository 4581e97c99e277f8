// Builds the page into dist/page.html: one document with its script and
// styles inside, which the program embeds.  It refers to nothing outside
// itself: no URL with a scheme and no "//" anywhere.
import * as esbuild from "esbuild";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";

const bundle = await esbuild.build({
  entryPoints: ["src/main.ts"],
  bundle: true,
  format: "iife",
  target: "es2020",
  minify: true,
  legalComments: "none",
  charset: "utf8",
  write: false,
});
const script = bundle.outputFiles[0].text.replaceAll("</script", "<\\/script").trim();
const style = readFileSync("src/page.css", "utf8").replace(/\s*\n\s*/g, " ").trim();
const page = readFileSync("src/page.html", "utf8")
  .replace("/*STYLE*/", () => style)
  .replace("/*SCRIPT*/", () => script);
for (const forbidden of ["http:", "https:", "//"]) {
  const at = page.indexOf(forbidden);
  if (at >= 0) {
    console.error(`page.html holds "${forbidden}": ${page.slice(Math.max(0, at - 40), at + 40)}`);
    process.exit(1);
  }
}
mkdirSync("dist", { recursive: true });
writeFileSync("dist/page.html", page);
console.log(`dist/page.html: ${page.length} bytes`);
