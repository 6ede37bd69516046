// The File menu's commands and the menu items that open other windows.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/Preferences.h"
#include "core/WorkFiles.h"
#include "core/forms/Navigation.h"
#include "entry/windows/frmCountyList.h"
#include "platform/FileLookup.h"
#include "platform/Services.h"

void MainForm::mnuNew_Click()
{
    m_log.startNew(context().services, promptsOf(*context().services.dialogs));
    ReloadLog();
    clocks->showStoredOperatingTime();
    clocks->UpdateQsoRates();
    SavePrefFile(context().state, context().services.fileWriter.get());
}

void MainForm::mnuRecall_Click()
{
    if (m_log.count() < 1)
        return;
    txtCall->setText(m_log.entry(m_log.count()).Call);
    txtSec->setFocus();
    txtSec->setSelection(0, int(txtSec->text().size()));
}

QString MainForm::archiveFolder() const
{
    const Folders& f = context().state.folders;
    return FileLookup::resolve(f.DataFolder, QStringLiteral("BACKUP"));
}

void MainForm::mnuArchive_Click()
{
    AppState& state = context().state;
    Dialogs& dialogs = *context().services.dialogs;
    dialogs.messageBox(QStringLiteral("This function is used to create a permanent copy of your currently open "
                                      "log file.  To open your log file at a later date, click File > Restore "
                                      "from Archive or Backup."),
                       QStringLiteral("Archive Information"));
    const QString proposed = archiveFolder() + QLatin1Char('/') + CallForFileName(state.station.OwnCall)
        + context().services.clock->localNow().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
    const auto target = dialogs.saveFileName(QStringLiteral("Archive Current Log"), proposed,
                                             QStringLiteral("Log Files (*.log)"));
    if (!target)
        return;
    QString error;
    if (!m_log.archive(*target, &error))
        dialogs.messageBox(error, QStringLiteral("Error Archiving Log"));
}

void MainForm::mnuRestore_Click()
{
    Dialogs& dialogs = *context().services.dialogs;
    dialogs.messageBox(QStringLiteral("This action will open an archived log or backup file and creates a working "
                                      "file called log.txt.  If you make any changes to your archived data that "
                                      "you would like to permanently save, before you click File > New to start "
                                      "a new contest, be sure to click File > Archive to save your changes."),
                       QStringLiteral("Opening Archived Data Information"));
    if (m_log.count() > 0
        && dialogs.messageBox(QStringLiteral("Are you sure that you want to open an archived log?  This action "
                                             "will clear and replace existing QSO data."),
                              QStringLiteral("Are your sure?"), Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes)
        return;
    const auto chosen = dialogs.openFileName(QStringLiteral("Restore from Archive or Backup"), archiveFolder(),
                                             QStringLiteral("Log Files (*.log)"));
    if (!chosen)
        return;
    QString error;
    if (!m_log.restore(context().services, *chosen, &error)) {
        dialogs.messageBox(error, QStringLiteral("Error Restoring Log"));
        return;
    }
    ReloadLog();
}

void MainForm::mnuWriteSumm_Click() { context().navigation.showSummary(); }

void MainForm::mnuexportADIF_Click()
{
    context().navigation.exportAdif();
}

void MainForm::mnuHelp_Click() { context().navigation.showHelp(); }

void MainForm::mnuColors_Click()
{
    context().navigation.showColors();
    SavePrefFile(context().state, context().services.fileWriter.get());
    ReloadLog();
}

void MainForm::mnuMap_Click() { context().navigation.showCountyMap(); }

void MainForm::mnuGraph_Click() { context().navigation.showRateGraph(); }

void MainForm::mnuCountyList_Click()
{
    frmCountyList picker(context());
    connect(&picker, &frmCountyList::countyPicked, txtSec, &QLineEdit::setText);
    picker.Form_Load();
    picker.showModal();
}
