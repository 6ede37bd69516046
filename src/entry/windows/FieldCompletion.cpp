#include "entry/windows/FieldCompletion.h"

#include "core/KeyFilters.h"
#include "core/forms/KeyField.h"

namespace {

QString typedText(const KeyField& field, int KeyAscii)
{
    return field.text().left(field.selStart()) + QChar(char16_t(KeyAscii));
}

qint32 show(KeyField& field, const QString& typed, const Completion& completion, int& KeyAscii)
{
    if (completion.entry == 0)
        return 0;
    field.setText(completion.text);
    field.setSelection(int(typed.size()), int(completion.text.size() - typed.size()));
    KeyAscii = 0;
    return completion.entry;
}

} // namespace

qint32 completeCountyField(KeyField& field, const ReferenceTables& tables, SearchFrom from, int& KeyAscii)
{
    if (KeyAscii <= 0)
        return 0;
    const QString typed = typedText(field, KeyAscii);
    return show(field, typed, completeCounty(tables, typed, from), KeyAscii);
}

qint32 completeCountryField(KeyField& field, const ReferenceTables& tables, int& KeyAscii)
{
    if (KeyAscii <= 0)
        return 0;
    const QString typed = typedText(field, KeyAscii);
    return show(field, typed, completeCountry(tables, typed), KeyAscii);
}

void completeCountyKey(KeyField& field, const ReferenceTables& tables, int& KeyAscii)
{
    if (KeyAscii > 0 && field.selStart() == 0)
        field.clear();
    KeyToUpper(KeyAscii);
    completeCountyField(field, tables, SearchFrom::LastEntry, KeyAscii);
}
