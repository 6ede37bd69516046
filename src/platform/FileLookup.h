#pragma once

#include <QString>

// File names are matched without regard to case: a file written as "CW.txt" is found as
// "cw.txt". New files are created with the spelling asked for; an existing one is used
// under the spelling it has, so no two files differ only in case.
namespace FileLookup {

// The full path of the entry of that name in the folder, whatever its case; when none
// exists, the folder joined with the name as given.
QString resolve(const QString& folder, const QString& name);

// The same for a full path: only the last name is matched without case.
QString resolvePath(const QString& path);

// Whether an entry of that name exists in the folder, whatever its case.
bool exists(const QString& folder, const QString& name);

} // namespace FileLookup
