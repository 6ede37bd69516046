#pragma once

// What a call sign tells as it is typed: whether it looks like a call yet, whether it is
// complete, the Canadian province of its call area, and the in-state window's prefix
// lookup of its country, continent and place.

#include "core/AppState.h"

#include <QString>

// Whether a three-character call has a digit or a slash as its second or third character;
// any other length passes.
bool callFormatLooksRight(const QString& typed);

// A call with a digit from its second character on, something after its last digit and no
// slash or blank: a digit typed after it belongs to the report.
bool isCompleteCall(const QString& call);

// The province of a Canadian call area ("VE3" is "ON"), or empty.
QString provinceOfCallArea(const QString& call);

// What the St/Prv/Country field says when no prefix matches a call.
QString notFoundText();

// The in-state window's lookup of a call by its longest prefix, without case. USA and
// Canada are left to the operator; Alaska and Hawaii are given as their state codes; a
// KG4 call of 4 characters, or of more than 5, is a US station (no country, the place of
// the first "USA" entry).
struct CallPrefixLookup {
    enum class Outcome {
        NoCall,      // nothing to look up: the field and the labels stay
        Country,     // a prefix outside the USA and Canada matched
        UsaOrCanada, // the field stays as typed; the continent is "NA", no place
        NotFound,    // no prefix matched: the field says notFoundText(), no continent or place
    };
    Outcome outcome = Outcome::NoCall;
    QString stPrvCountry; // Country: what the St/Prv/Country field receives
    QString continent;    // Country: the prefix entry's continent
    float latitude = 0;   // Country: the prefix entry's place
    float longitude = 0;
};
CallPrefixLookup lookupCallPrefix(const ReferenceTables& tables, const QString& call);
