#!/usr/bin/env node
// Copies the icons the content names out of the icon collection's npm package into
// content/art/icons/<name>.svg, so that building needs no network and the art is versioned
// with the content. Run it by hand after the content gains or drops an icon:
//   node tools/icons/fetch_icons.mjs [CONTENT_DIR]
// Needs node and npm. Names starting with "builder:" are the tile-set builder's own pictures
// and are skipped. Files of icons the content no longer names are removed.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

const packageName = "@iconify-json/game-icons@1.2.4";
const ownPrefix = "builder:";

const here = path.dirname(fileURLToPath(import.meta.url));
const contentDir = path.resolve(process.argv[2] ?? path.join(here, "..", "..", "content"));
const iconDir = path.join(contentDir, "art", "icons");

// Every "icon" value in the content's JSON, with the first file that names it.
function namedIcons(dir, found = new Map()) {
    for (const entry of fs.readdirSync(dir, { withFileTypes: true }).sort((a, b) => a.name.localeCompare(b.name))) {
        const full = path.join(dir, entry.name);
        if (entry.isDirectory()) namedIcons(full, found);
        else if (entry.name.endsWith(".json")) collect(JSON.parse(fs.readFileSync(full, "utf8")), full, found);
    }
    return found;
}
function collect(value, file, found) {
    if (Array.isArray(value)) value.forEach((v) => collect(v, file, found));
    else if (value && typeof value === "object")
        for (const [key, v] of Object.entries(value)) {
            if (key === "icon" && typeof v === "string" && v && !found.has(v)) found.set(v, file);
            else collect(v, file, found);
        }
}

// The collection's icons.json, from the package unpacked into a temporary folder.
function loadCollection() {
    const tmp = fs.mkdtempSync(path.join(os.tmpdir(), "dravok-icons-"));
    try {
        const tarball = execFileSync("npm", ["pack", packageName, "--silent", "--pack-destination", tmp], {
            encoding: "utf8",
        }).trim().split("\n").pop();
        execFileSync("tar", ["-xzf", path.join(tmp, tarball), "-C", tmp]);
        return JSON.parse(fs.readFileSync(path.join(tmp, "package", "icons.json"), "utf8"));
    } finally {
        fs.rmSync(tmp, { recursive: true, force: true });
    }
}

// An icon's body, following aliases (an alias only renames, it never transforms here).
function bodyOf(collection, name) {
    for (let n = name, hops = 0; hops < 8; ++hops) {
        if (collection.icons[n]) return collection.icons[n].body;
        const alias = collection.aliases?.[n];
        if (!alias) return null;
        n = alias.parent;
    }
    return null;
}

const named = [...namedIcons(contentDir)].filter(([name]) => !name.startsWith(ownPrefix));
const collection = loadCollection();
const size = collection.width ?? 512;
const missing = named.filter(([name]) => bodyOf(collection, name) === null);
if (missing.length) {
    for (const [name, file] of missing)
        console.error(`${path.relative(contentDir, file)}: icon "${name}" is not in ${packageName}`);
    process.exit(1);
}

fs.mkdirSync(iconDir, { recursive: true });
const keep = new Set();
for (const [name] of named) {
    const file = `${name}.svg`;
    keep.add(file);
    const svg = `<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 ${size} ${size}">${bodyOf(collection, name)}</svg>\n`;
    fs.writeFileSync(path.join(iconDir, file), svg);
}
let removed = 0;
for (const file of fs.readdirSync(iconDir))
    if (file.endsWith(".svg") && !keep.has(file)) {
        fs.rmSync(path.join(iconDir, file));
        ++removed;
    }
console.log(`${keep.size} icons written to ${path.relative(process.cwd(), iconDir) || iconDir}, ${removed} removed`);
