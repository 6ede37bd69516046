#pragma once

// The log as an ADIF file for general logbooks: a short text header closed by "<EOH>",
// then one record per contact of length-tagged fields ("<Call:5>K5ABC"), each record
// closed by "<eor>". Windows-1252 text, every line ended by CR LF.

#include "core/LogEntry.h"

#include <QString>
#include <span>
#include <vector>

class QIODevice;

// One row of ADIFCnt.txt: a country as the prefix table and the log name it, and its
// DXCC entity number.
struct DxccRow {
    QString name;
    qint16 number = 0;
};
constexpr int MaxDxccRows = 1000;

// Reads the whole table. False, with the reason in *error, when the file cannot be read, a
// row is not a name and a 16-bit number, or it holds more than MaxDxccRows rows.
bool LoadDxccTable(const QString& path, std::vector<DxccRow>& rows, QString* error = nullptr);

struct AdifInput {
    QString hostState;
    QString programVersion;
    QString exportDate; // the day of the export, as the header shows it
    QString power;      // written into every record; no field when empty
    QString comment;    // likewise
    std::span<const LogEntry> contacts;
    // The host state's counties: abbreviations and full names, entry for entry.
    std::span<const QString> countyAbbrev;
    std::span<const QString> countyName;
    std::span<const DxccRow> dxcc;
};

// Writes the whole file to the device. False, with the reason in *error, when a text has a
// character the code page cannot carry (nothing is written then) or the device refused the
// bytes.
bool WriteAdifLog(QIODevice& device, const AdifInput& input, QString* error = nullptr);
