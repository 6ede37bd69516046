// Band, mode and time on: the menus, the clickable band and mode labels, the radio's
// frequency and mode, and the time-on button.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/Preferences.h"
#include "entry/BandPlan.h"
#include "entry/QsoRates.h"
#include "platform/Services.h"

#include <QLocale>

void MainForm::cmdLogOn_Click()
{
    AppState& state = context().state;
    if (state.clock.TimedOn != 0) {
        clocks->stopOperatingTime();
        cmdLogOn->setText(QStringLiteral("&Log \"Time On\""));
        const QDateTime utc = utcFromLocal(context().services.clock->localNow(), state.station.UtcOffsetHours);
        setDialog(QStringLiteral("Logged Off at ") + QLocale().toString(utc.date(), QLocale::ShortFormat)
                  + QLatin1Char(' ') + utc.toString(QStringLiteral("HH:mm:ss")));
        SavePrefFile(state, context().services.fileWriter.get());
    } else {
        clocks->startOperatingTime();
        cmdLogOn->setText(QStringLiteral("&Log \"Time Off\""));
        setDialog(QStringLiteral(" "));
    }
    txtCall->setFocus();
}

void MainForm::showSavedBandAndMode()
{
    const StationData& s = context().state.station;
    Label30->setText(s.CurrentMode);
    // A mode other than phone or digital shows as CW.
    const QString mode = s.CurrentMode.toUpper();
    checkModeItem(mode == QLatin1String("PH") || mode == QLatin1String("DG") ? mode : QStringLiteral("CW"));
    for (auto& [name, item] : bandItems) {
        if (name.compare(s.CurrentBand, Qt::CaseInsensitive) == 0) {
            item->setChecked(true);
            Label24->setText(name);
        }
    }
}

void MainForm::setReportLengths()
{
    const int length = reportLength(context().state.station.CurrentMode);
    txtRSTR->setMaxLength(length);
    txtRSTS->setMaxLength(length);
}

void MainForm::selectBand(const QString& band)
{
    StationData& s = context().state.station;
    s.CurrentBand = band;
    for (auto& [name, item] : bandItems)
        item->setChecked(false);
    afterModeOrBandChange();
    bandItems[band]->setChecked(true);
    Label24->setText(band);
    SavePrefFileSoon(context().state, context().services.delayedWrites.get());
    reloadAfterBandOrMode();
    spotArea->bandChanged();
}

void MainForm::checkModeItem(const QString& mode)
{
    for (const auto& [name, item] : modeItems)
        item->setChecked(name == mode);
}

void MainForm::selectMode(const QString& mode)
{
    StationData& s = context().state.station;
    s.CurrentMode = mode;
    Label30->setText(mode);
    SavePrefFileSoon(context().state, context().services.delayedWrites.get());
    reloadAfterBandOrMode();
    checkModeItem(mode);
    setReportLengths();
    afterModeOrBandChange();
}

// A change of band or mode changes no contact: the log reloads from memory while log.txt is
// as it last read or wrote it, and the window then shows it as after any reload.
void MainForm::reloadAfterBandOrMode()
{
    if (!m_log.reloadFromMemory()) {
        ReloadLog();
        return;
    }
    m_log.tally().applyTo(context().state.score, inState());
    showReloadedLog();
}

void MainForm::Label24_Click()
{
    const QString next = nextBand(context().state.station.CurrentBand);
    if (!next.isEmpty())
        selectBand(next);
}

void MainForm::Label30_Click()
{
    if (context().state.station.CurrentMode == QLatin1String("CW"))
        selectMode(QStringLiteral("PH"));
    else
        selectMode(QStringLiteral("CW"));
}

void MainForm::BandFreqConversion(float frequencyValue)
{
    AppState& state = context().state;
    const QString name = bandForFrequency(double(frequencyValue));
    // The 10 GHz row shares its name with the 10 m band; the log has no band for it.
    const bool microwave = frequencyValue > 1000.0f;
    if (!microwave && !name.isEmpty() && name.compare(state.station.CurrentBand, Qt::CaseInsensitive) != 0
        && isContestBand(name))
        selectBand(name);
    state.RigFrequencyText = formatFrequency(double(frequencyValue));
}

void MainForm::ModeSelection(const QString& strMode)
{
    const QString& current = context().state.station.CurrentMode;
    if (strMode.isEmpty() || strMode.compare(current, Qt::CaseInsensitive) == 0)
        return;
    if (strMode.compare(QLatin1String("PH"), Qt::CaseInsensitive) == 0)
        selectMode(QStringLiteral("PH"));
    else if (strMode.compare(QLatin1String("CW"), Qt::CaseInsensitive) == 0)
        selectMode(QStringLiteral("CW"));
}
