// Start-up: the logo window, the user folders, the shared preferences and the opening of
// the station setup window.

#include "WindowTestSupport.h"

#include "core/SharedPreferences.h"
#include "app/App.h"
#include "core/windows/frmStationID.h"
#include "core/windows/frmVexolLogo.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool isFolder(const QString& path) { return QFileInfo(path).isDir(); }

// A user profile folder with nothing in it, as on an account's first start.
struct FreshProfile {
    QTemporaryDir profile;
    QString myDocuments() const { return profile.path() + QStringLiteral("/My Documents"); }
    QString vexol() const { return myDocuments() + QStringLiteral("/Vexol Software"); }
};

class Startup : public ::testing::Test {
protected:
    Startup()
    {
        t.environment->variables[QStringLiteral("USERPROFILE")] = home.profile.path();
        t.clock->utcOffsetSeconds = 0; // agrees with the offset 0 of a first run
    }
    ~Startup() override { deleteClosedWindows(); }

    TestServices t;
    FreshProfile home;
    TestFolders folders; // only its working folder is used
};

TEST_F(Startup, LogoWindowCreatesTheSharedFolderBeforeStartUpCreatesTexas)
{
    App app(std::move(t.services));
    QPointer<frmVexolLogo> logo = new frmVexolLogo(app.context());
    logo->Form_Load();

    EXPECT_TRUE(isFolder(home.vexol() + QStringLiteral("/Shared")));
    EXPECT_FALSE(QFileInfo::exists(home.vexol() + QStringLiteral("/Texas")));
    // Centred at its design size of 6000 x 4000 twips, 170 twips above the middle.
    EXPECT_EQ(logo->Left, 1800.0f);
    EXPECT_EQ(logo->Top, 1430.0f);
    EXPECT_EQ(logo->Width, 6000.0f);
    EXPECT_TRUE(t.dialogs->shown.empty());
    // Both pictures are built into the program.
    EXPECT_EQ(logo->Image1->pixmap().size(), QSize(800, 533));
    EXPECT_EQ(logo->Image2->pixmap().size(), QSize(240, 133));
    delete logo;
}

TEST_F(Startup, LogoWithoutSplashPictureShowsTheSecondPictureOnItsTimer)
{
    App app(std::move(t.services));
    QPointer<frmVexolLogo> logo = new frmVexolLogo(app.context());
    logo->Form_Load();

    EXPECT_TRUE(logo->Timer1.isActive());
    EXPECT_EQ(logo->Timer1.interval(), 1900);
    EXPECT_TRUE(logo->Timer2.isActive());
    EXPECT_EQ(logo->Timer2.interval(), 1100);
    EXPECT_FALSE(logo->Image2->isVisibleTo(logo));

    logo->Timer2_Timer();
    EXPECT_TRUE(logo->Image2->isVisibleTo(logo));

    logo->show();
    logo->Timer1_Timer();
    EXPECT_FALSE(logo->isVisible());
    deleteClosedWindows();
    EXPECT_TRUE(logo.isNull());
}

// The first box of a run (the question after setup's Done) costs its icon's lookup; the
// logo pays it once it has been drawn, while the operator has nothing to wait for.
TEST_F(Startup, LogoPreparesTheFirstBoxOnceWhileItShows)
{
    App app(std::move(t.services));
    QPointer<frmVexolLogo> logo = new frmVexolLogo(app.context());
    logo->Form_Load();
    logo->show();
    EXPECT_EQ(t.dialogs->prepared, 0);
    QTest::qWait(300);
    EXPECT_EQ(t.dialogs->prepared, 1);
    EXPECT_TRUE(logo->isVisible());
    delete logo;
}

TEST_F(Startup, SplashPictureReplacesTheLogoForLongerAndTheSecondPictureNeverShows)
{
    QDir().mkpath(home.vexol() + QStringLiteral("/Shared"));
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    // Any case of the name is found.
    ASSERT_TRUE(picture.save(home.vexol() + QStringLiteral("/Shared/Splash.JPG"), "JPG"));

    App app(std::move(t.services));
    QPointer<frmVexolLogo> logo = new frmVexolLogo(app.context());
    logo->Form_Load();

    EXPECT_TRUE(logo->Timer1.isActive());
    EXPECT_EQ(logo->Timer1.interval(), 2700);
    EXPECT_FALSE(logo->Timer2.isActive());
    EXPECT_EQ(logo->Image1->pixmap().size(), QSize(64, 48));
    EXPECT_FALSE(logo->Image2->isVisibleTo(logo));
    delete logo;
}

struct StartupRun {
    bool logoWasShown = false;
    int logoInterval = 0;
};

// Runs the start-up sequence; the operator clicks the logo as soon as it shows.
StartupRun runStartup(App& app)
{
    StartupRun run;
    onceShown<frmVexolLogo>([&run](frmVexolLogo& logo) {
        run.logoWasShown = true;
        run.logoInterval = logo.Timer1.interval();
        QTest::mouseClick(logo.Image1, Qt::LeftButton);
        EXPECT_FALSE(logo.isVisible()) << "a click closes the logo at once";
    });
    app.start();
    return run;
}

TEST_F(Startup, FreshAccountGetsItsFoldersAndTheSetupWindowOpens)
{
    const CurrentDirectory cd(folders.work);
    App app(std::move(t.services));
    const StartupRun run = runStartup(app);

    EXPECT_TRUE(run.logoWasShown);
    EXPECT_EQ(run.logoInterval, 1900);
    for (const char* folder : {"", "/Shared", "/Texas", "/Texas/BACKUP"})
        EXPECT_TRUE(isFolder(home.vexol() + QLatin1String(folder))) << folder;

    const Folders& f = app.state().folders;
    EXPECT_EQ(QFileInfo(f.WorkingDirectory).canonicalFilePath(), QFileInfo(folders.work).canonicalFilePath());
    EXPECT_EQ(f.WorkingDrive, f.WorkingDirectory.left(1));
    EXPECT_EQ(f.SharedFolder, home.vexol() + QStringLiteral("/Shared"));
    EXPECT_EQ(f.DataFolder, home.vexol() + QStringLiteral("/Texas"));
    EXPECT_EQ(f.ProgramVersion, QStringLiteral("2.3"));
    EXPECT_EQ(app.state().shared.GlobalPreferencesText, xmlDeclarationLine());
    EXPECT_EQ(app.state().shared.GlobalPreferencesPath, f.SharedFolder + QStringLiteral("/SharedUserPreferences.xml"));

    ASSERT_NE(app.stationSetup(), nullptr);
    EXPECT_TRUE(app.stationSetup()->isVisible());
    // The first run's only box: the setup window's missing files.
    ASSERT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(fileErrorBoxes(*t.dialogs), 1);
    EXPECT_FALSE(app.quitRequested());
}

// A rewrite cut off before its rename leaves its temporary file; the next start removes
// those of the files the program rewrites, in every folder it rewrites files in, and
// nothing else: the working folder may be the operator's home folder.
TEST_F(Startup, TemporaryFilesOfInterruptedRewritesAreRemoved)
{
    const QString data = home.vexol() + QStringLiteral("/Texas");
    const QString shared = home.vexol() + QStringLiteral("/Shared");
    QDir().mkpath(data + QStringLiteral("/BACKUP"));
    QDir().mkpath(shared);
    const QString work = folders.work;
    const QStringList removed{work + "/.log.txt.new-AbC123",     work + "/.QSOpref.txt.new-zz9ZZ9",
                              work + "/.LOG.TXT.new-000000",     work + "/.CW.txt.new-aaaaaa",
                              work + "/.wave2.txt.new-Zz0Zz0",   work + "/.RigCntrl.txt.new-q1q1q1",
                              work + "/.PackSpot.txt.new-XYZ789", data + "/.WK.txt.new-w0w0w0",
                              data + "/BACKUP/.202604251700.log.new-Q1w2E3",
                              data + "/BACKUP/.202604251700-2.log.new-Q1w2E3",
                              shared + "/.SharedUserPreferences.xml.new-a1B2c3"};
    const QStringList kept{work + "/log.txt",
                           work + "/holiday.new-photos",
                           work + "/contest.new-2024ab",
                           work + "/log.txt.new-report",
                           work + "/log.txt.new-AbC123",
                           work + "/.log.txt.new-AbC12",
                           work + "/.log.txt.new-AbC1234",
                           work + "/.log.txt.new-ab_123",
                           work + "/.notes.txt.new-AbC123",
                           work + "/.WK.txt.new-w0w0w0",
                           data + "/.log.txt.new-AbC123",
                           data + "/BACKUP/202604251700.log",
                           data + "/BACKUP/.holiday.log.new-Q1w2E3",
                           shared + "/.OtherProgram.ini.new-AbC123"};
    for (const QString& file : removed + kept)
        writeBytes(file, "\"K1\"");

    const CurrentDirectory cd(folders.work);
    App app(std::move(t.services));
    runStartup(app);

    for (const QString& file : removed)
        EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
    for (const QString& file : kept)
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
}

TEST_F(Startup, StoredSharedPreferencesAreLoadedWhole)
{
    const QString shared = home.vexol() + QStringLiteral("/Shared");
    QDir().mkpath(shared);
    writeBytes(shared + QStringLiteral("/SharedUserPreferences.xml"),
               crlfLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", "<CLUB>Lone Star DX</CLUB>"}));

    const CurrentDirectory cd(folders.work);
    App app(std::move(t.services));
    runStartup(app);

    EXPECT_EQ(app.state().shared.GlobalPreferencesText,
              QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<CLUB>Lone Star DX</CLUB>"));
}

} // namespace
