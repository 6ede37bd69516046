#include "core/AppState.h"

int AppState::bandDXIndex(const QString& band)
{
    static const char* const bands[] = {"160", "80", "40", "20", "15", "10", "6"};
    for (int i = 0; i < 7; ++i) {
        if (band == QLatin1String(bands[i]))
            return i;
    }
    return -1;
}
