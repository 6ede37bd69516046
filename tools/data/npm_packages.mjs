// Loading the npm packages that make_tables.sh and make_county_map.sh install into a
// folder outside the repository.
//
// packagesIn(NODE_MODULES_DIR) gives load(name), which imports a package from that
// folder (CommonJS or ES module alike), and json(relativePath), which reads a JSON file
// of one of its packages.

import { createRequire } from "node:module";
import { readFileSync } from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";

export function packagesIn(dir) {
  const base = path.resolve(dir);
  const require = createRequire(path.join(base, "resolver.js"));
  return {
    load: async (name) => import(pathToFileURL(require.resolve(name, { paths: [base] })).href),
    json: (relativePath) => JSON.parse(readFileSync(path.join(base, relativePath), "utf8")),
  };
}

// A function of a package, whether the package exports it by name or on its default.
export function exported(module, name) {
  return module[name] ?? module.default[name];
}
