#include "core/windows/frmVexolLogo.h"

#include "core/UserFolders.h"
#include "core/forms/FormScaler.h"
#include "platform/FileLookup.h"
#include "platform/Services.h"

#include <QFileInfo>
#include <QPixmap>

namespace {
constexpr float LogoWidth = 6000;
constexpr float LogoHeight = 4000;
// Long enough for the logo to be drawn before the warm-up takes the window thread.
constexpr int FirstUsePreparationDelayMs = 100;
} // namespace

frmVexolLogo::frmVexolLogo(const WindowContext& context) : Form(context, QString(), LogoWidth, LogoHeight)
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    Image1 = place(new ClickLabel(this), ControlKind::Image, 0, 0, LogoWidth, LogoHeight);
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.png")));
    Image1->setScaledContents(true);
    Image2 = place(new ClickLabel(this), ControlKind::Image, 4080, 2880, 1800, 1000);
    Image2->setPixmap(QPixmap(QStringLiteral(":/pictures/logo-second.png")));
    Image2->setScaledContents(true);
    Image2->setVisible(false);
    Image2->raise();

    Timer1.setInterval(1900);
    Timer2.setInterval(1100);
    connect(&Timer1, &QTimer::timeout, this, &frmVexolLogo::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmVexolLogo::Timer2_Timer);
    connect(Image1, &ClickLabel::clicked, this, &frmVexolLogo::Image1_Click);
}

void frmVexolLogo::Form_Load()
{
    CentreFormRaised(*this);
    QTimer::singleShot(FirstUsePreparationDelayMs, this, &frmVexolLogo::prepareFirstUse);
    Services& services = context().services;
    const QString base = GetUserFolder(*services.environment, promptsOf(*services.dialogs),
                                       QStringLiteral("/Vexol Software"), QStringLiteral("/Shared"));
    const QString splash =
        FileLookup::resolvePath(base + QStringLiteral("/Shared/splash.jpg"));
    if (QFileInfo(splash).isFile()) {
        Image1->setPixmap(QPixmap(splash));
        Timer1.stop();
        Timer1.setInterval(2700);
        Timer2.stop();
        Timer2.setInterval(1100);
        Timer1.start();
        return;
    }
    Timer1.start();
    Timer2.start();
}

// The operator looks at the logo and then fills in setup: the first question after setup's
// Done should not be the first box of the run.
void frmVexolLogo::prepareFirstUse() { context().services.dialogs->prepare(); }

void frmVexolLogo::Image1_Click() { close(); }

void frmVexolLogo::Timer1_Timer() { close(); }

void frmVexolLogo::Timer2_Timer() { Image2->setVisible(true); }
