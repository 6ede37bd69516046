// Print the Texas county outlines projected onto the county map picture.
//
// Usage: node county_shapes.mjs NODE_MODULES_DIR WIDTH HEIGHT MARGIN > shapes.json
//
// NODE_MODULES_DIR holds us-atlas, topojson-client and d3-geo (installed by
// make_county_map.sh into a temporary folder, never into the repository).
// Projection: Lambert conformal conic on the 27.5 and 35 degree parallels
// around 100 degrees west (the usual projection for maps of the whole state),
// scaled and centred so that the state fills WIDTH x HEIGHT pixels less MARGIN
// on every side.  Pixel y grows downwards.
// Output: {"width", "height", "counties": [{"fips", "name", "rings"}]} in FIPS
// order; each ring is a list of [x, y] pixel positions of one polygon ring (outer
// rings and holes alike; the rasteriser fills by the even-odd rule).  Borders
// shared by two counties come from one TopoJSON arc, so both sides get exactly
// the same numbers.

import { exported, packagesIn } from "./npm_packages.mjs";

const [dir, widthText, heightText, marginText] = process.argv.slice(2);
if (!dir || !widthText || !heightText || !marginText) {
  console.error("usage: node county_shapes.mjs NODE_MODULES_DIR WIDTH HEIGHT MARGIN");
  process.exit(2);
}
const width = Number(widthText);
const height = Number(heightText);
const margin = Number(marginText);
const packages = packagesIn(dir);
const topojson = await packages.load("topojson-client");
const feature = exported(topojson, "feature");
const merge = exported(topojson, "merge");
const geoConicConformal = exported(await packages.load("d3-geo"), "geoConicConformal");

const TEXAS_FIPS = "48";
const topology = packages.json("us-atlas/counties-10m.json");
const texasGeometries = topology.objects.counties.geometries.filter(
  (g) => String(g.id).length === 5 && String(g.id).startsWith(TEXAS_FIPS));
const state = merge(topology, texasGeometries);

const projection = geoConicConformal()
  .parallels([27.5, 35])
  .rotate([100, 0])
  .fitExtent([[margin, margin], [width - margin, height - margin]], state);

function projectRings(geometry) {
  const polygons = geometry.type === "Polygon" ? [geometry.coordinates]
    : geometry.type === "MultiPolygon" ? geometry.coordinates : [];
  const rings = [];
  for (const polygon of polygons) {
    for (const ring of polygon) {
      rings.push(ring.map((point) => projection(point)));
    }
  }
  return rings;
}

const counties = texasGeometries
  .map((g) => {
    const f = feature(topology, g);
    return { fips: String(g.id), name: g.properties.name, rings: projectRings(f.geometry) };
  })
  .sort((a, b) => (a.fips < b.fips ? -1 : a.fips > b.fips ? 1 : 0));

for (const c of counties) {
  if (c.rings.length === 0) {
    console.error(`no outline for ${c.name} (${c.fips})`);
    process.exit(1);
  }
}
process.stdout.write(JSON.stringify({ width, height, counties }) + "\n");
