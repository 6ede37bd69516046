// Print the spherical centroid of every state and territory in us-atlas.
//
// Usage: node state_centroids.mjs NODE_MODULES_DIR > centroids.json
//
// NODE_MODULES_DIR holds us-atlas, topojson-client and d3-geo (installed by
// make_tables.sh into a temporary folder, never into the repository).
// Output: a JSON array of {"fips", "name", "lon", "lat"}, longitude in the
// usual geographic sense (negative west), full double precision, in FIPS order.
// geoCentroid is the area-weighted centroid on the sphere, so Alaska's
// Aleutians across the 180th meridian are handled correctly.

import { exported, packagesIn } from "./npm_packages.mjs";

const dir = process.argv[2];
if (!dir) {
  console.error("usage: node state_centroids.mjs NODE_MODULES_DIR");
  process.exit(2);
}
const packages = packagesIn(dir);
const feature = exported(await packages.load("topojson-client"), "feature");
const geoCentroid = exported(await packages.load("d3-geo"), "geoCentroid");

const topology = packages.json("us-atlas/states-10m.json");
const states = feature(topology, topology.objects.states);

const out = states.features
  .map((f) => {
    const [lon, lat] = geoCentroid(f);
    return { fips: String(f.id), name: f.properties.name, lon, lat };
  })
  .sort((a, b) => (a.fips < b.fips ? -1 : a.fips > b.fips ? 1 : 0));

for (const s of out) {
  if (!Number.isFinite(s.lon) || !Number.isFinite(s.lat)) {
    console.error(`no centroid for ${s.name} (${s.fips})`);
    process.exit(1);
  }
}
process.stdout.write(JSON.stringify(out, null, 1) + "\n");
