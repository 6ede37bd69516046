#pragma once

// The ADIF export of the whole log, once the operator has answered its questions and
// chosen the file (the window side asks: reports/windows/AdifExportDialogs.h).

#include "core/AppState.h"
#include "reports/AdifLog.h"

#include <QDate>
#include <vector>

// What goes into every record besides the contact.
struct AdifAnswers {
    QString power;
    QString comment;
};

// Reads ADIFCnt.txt: the shared folder's, else the data folder's, else the working
// directory's (the one reported missing when there is none). False with the reason.
bool LoadAdifCountries(const Folders& folders, std::vector<DxccRow>& dxcc, QString* error);

// The file first proposed: the host state's name with ".adi" in the data folder.
QString proposedAdifPath(const AppState& state);

// Writes the whole log to path, replacing the file only once it is complete; the header
// dates the export on day. False with the reason.
bool WriteAdifExport(const AppState& state, const AdifAnswers& answers, const std::vector<DxccRow>& dxcc,
                     const QDate& day, const QString& path, QString* error);
