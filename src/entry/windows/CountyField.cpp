#include "entry/windows/CountyField.h"

#include "core/KeyFilters.h"
#include "core/Tables.h"
#include "core/windows/KeyField.h"

void completeCountyKey(KeyField& field, const ReferenceTables& t, int& KeyAscii)
{
    if (KeyAscii > 0 && field.selStart() == 0)
        field.clear();
    KeyToUpper(KeyAscii);
    completeFromTableEnd(field, t.CountyAbbrev, qint32(t.CountyCount), KeyAscii);
}

void completeFromTableEnd(KeyField& field, const std::vector<QString>& table, qint32 count, int& KeyAscii)
{
    if (KeyAscii <= 0)
        return;
    const QString typed = field.text().left(field.selStart()) + QChar(char16_t(KeyAscii));
    const qint32 found = lastEntryStartingWith(table, count, typed);
    if (found == 0)
        return;
    const QString& entry = table[size_t(found)];
    field.setText(typed + entry.mid(typed.size()));
    field.setSelection(int(typed.size()), int(entry.size() - typed.size()));
    KeyAscii = 0;
}
