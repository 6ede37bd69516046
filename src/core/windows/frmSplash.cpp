#include "core/windows/frmSplash.h"

#include "core/AppState.h"
#include "core/SharedPreferences.h"
#include "core/UserFolders.h"
#include "core/WorkFiles.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "core/windows/frmVexolLogo.h"
#include "platform/Services.h"

#include <QDir>

frmSplash::frmSplash(const WindowContext& context) : Form(context, QStringLiteral("Vexol's Brevant Log"), 4800, 2400)
{
    setAttribute(Qt::WA_DeleteOnClose);
    lblVersion1 = place(new QLabel(QStringLiteral("2.3"), this), ControlKind::Label, 240, 1200, 2000, 300);
    Command1 = place(new QPushButton(QStringLiteral("Continue"), this), ControlKind::CommandButton,
                     1800, 1800, 1200, 375);
    connect(Command1, &QPushButton::clicked, this, &frmSplash::Command1_Click);
}

void frmSplash::Form_Load()
{
    AppState& state = context().state;
    Services& services = context().services;
    state.folders.WorkingDirectory = QDir::currentPath();
    state.folders.WorkingDrive = state.folders.WorkingDirectory.left(1);

    auto* logo = new frmVexolLogo(context());
    logo->Form_Load();
    logo->showModal();

    ResizeFormToScreen(*this);

    const QString vexol = QStringLiteral("/Vexol Software");
    const Prompts prompts = promptsOf(*services.dialogs);
    const QString base = GetUserFolder(*services.environment, prompts, vexol, QStringLiteral("/Texas"));
    GetUserFolder(*services.environment, prompts, vexol, QStringLiteral("/Shared"));
    state.folders.SharedFolder = base + QStringLiteral("/Shared");
    state.folders.DataFolder = base + QStringLiteral("/Texas");

    LoadGlobalPreferences(state.shared,
                          state.folders.SharedFolder + QStringLiteral("/SharedUserPreferences.xml"));
    CreateFolderPath(prompts, state.folders.DataFolder + QStringLiteral("/BACKUP"), 0);
    clearInterruptedRewrites(state.folders);
    Command1_Click();
}

void frmSplash::Command1_Click()
{
    context().state.folders.ProgramVersion = lblVersion1->text();
    hide();
    context().navigation.showStationSetup();
    close();
}
