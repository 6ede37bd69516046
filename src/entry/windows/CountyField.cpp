#include "entry/windows/CountyField.h"

#include "core/KeyFilters.h"
#include "core/windows/KeyField.h"
#include "entry/Scoring.h"

void completeCountyKey(KeyField& field, const ReferenceTables& t, int& KeyAscii)
{
    if (KeyAscii > 0 && field.selStart() == 0)
        field.clear();
    KeyToUpper(KeyAscii);
    if (KeyAscii <= 0)
        return;
    const QString typed = field.text().left(field.selStart()) + QChar(char16_t(KeyAscii));
    for (qint32 i = qint32(t.CountyCount); i >= 1; --i) {
        const QString& abbrev = t.CountyAbbrev[size_t(i)];
        if (!abbrev.startsWith(typed, Qt::CaseInsensitive))
            continue;
        field.setText(typed + abbrev.mid(typed.size()));
        field.setSelection(int(typed.size()), int(abbrev.size() - typed.size()));
        KeyAscii = 0;
        return;
    }
}

bool isCountyAbbreviation(const ReferenceTables& tables, const QString& text)
{
    return countyIndex(tables, text) > 0;
}
