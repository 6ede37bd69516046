// Reads an ADIF file with the adif-parser-ts package and prints what it found as JSON.
// Usage: node read_adif.js <path of the adif-parser-ts package> <file.adi>
'use strict';
const fs = require('fs');
const { AdifParser } = require(process.argv[2]);
const text = fs.readFileSync(process.argv[3], 'latin1');
process.stdout.write(JSON.stringify(AdifParser.parseAdi(text)));
