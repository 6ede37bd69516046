#include "core/UserFolders.h"
#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

bool isDir(const QString& path) { return QFileInfo(path).isDir(); }

class UserFoldersTest : public ::testing::Test {
protected:
    TestFolders folders;
    TestServices t;
    QString profile = folders.path("profile");

    void SetUp() override { QDir().mkpath(profile); }
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

TEST_F(UserFoldersTest, ProfileGetsMyDocumentsCreatedAndUsed)
{
    t.environment->variables["USERPROFILE"] = profile;
    const QString folder = GetUserFolder(*t.environment, t.prompts(), "/Vexol Software", "/Texas");
    EXPECT_EQ(folder, profile + "/My Documents/Vexol Software");
    EXPECT_TRUE(isDir(profile + "/My Documents/Vexol Software/Texas"));
    EXPECT_EQ(entries(profile), QStringList{"My Documents"});
    EXPECT_TRUE(t.dialogs->shown.empty());

    // A second start finds everything in place.
    EXPECT_EQ(GetUserFolder(*t.environment, t.prompts(), "/Vexol Software", "/Texas"), folder);
    EXPECT_EQ(entries(profile + "/My Documents"), QStringList{"Vexol Software"});
    EXPECT_TRUE(t.dialogs->shown.empty());
}

TEST_F(UserFoldersTest, MyDocumentsSpeltInAnotherCaseIsUsed)
{
    QDir().mkpath(profile + "/my documents/vexol software");
    t.environment->variables["USERPROFILE"] = profile;
    const QString folder = GetUserFolder(*t.environment, t.prompts(), "/Vexol Software", "/Texas");
    EXPECT_EQ(QDir::cleanPath(folder).compare(profile + "/my documents/vexol software", Qt::CaseInsensitive), 0)
        << folder.toStdString();
    EXPECT_TRUE(isDir(folder + "/Texas"));
    EXPECT_EQ(entries(profile), QStringList{"my documents"});
    EXPECT_EQ(entries(profile + "/my documents"), QStringList{"vexol software"});
    EXPECT_TRUE(t.dialogs->shown.empty());
}

TEST_F(UserFoldersTest, WithoutProfileTheDesktopDocumentsFolderIsUsed)
{
    t.environment->documents = folders.path("desktop-docs");
    const QString folder = GetUserFolder(*t.environment, t.prompts(), "/Vexol Software", "/Texas");
    EXPECT_EQ(folder, folders.path("desktop-docs/Vexol Software"));
    EXPECT_TRUE(isDir(folder + "/Texas"));
    EXPECT_FALSE(isDir(profile + "/My Documents"));
    EXPECT_TRUE(t.dialogs->shown.empty());
}

TEST_F(UserFoldersTest, FoldersThatCannotBeMadeAreReportedAndTheSearchGoesOn)
{
    const QString documents = folders.path("gone/Documents"); // its parent does not exist
    t.environment->documents = documents;
    const QString folder = GetUserFolder(*t.environment, t.prompts(), "/Vexol Software", "/Texas");

    EXPECT_EQ(folder, documents + "/Vexol Software");
    const QStringList failed = {documents, documents + "/Vexol Software", documents + "/Vexol Software/Texas"};
    ASSERT_EQ(t.dialogs->count("message"), int(failed.size()));
    for (int i = 0; i < failed.size(); ++i) {
        const auto& box = t.dialogs->shown[size_t(i)];
        EXPECT_EQ(box.title, "User Access Directory Error");
        EXPECT_TRUE(box.text.endsWith("  " + failed[i])) << box.text.toStdString();
    }
}

TEST_F(UserFoldersTest, CreateFolderPathReportsFailuresOnlyWhenAsked)
{
    CreateFolderPath(t.prompts(), "", 1);
    ASSERT_EQ(t.dialogs->count("message"), 1);
    EXPECT_EQ(t.dialogs->last("message")->text, "Invalid Path");
    EXPECT_EQ(t.dialogs->last("message")->title, "Unable to Create Directory");

    const QString impossible = folders.path("no/such/parent");
    CreateFolderPath(t.prompts(), impossible, 0);
    EXPECT_EQ(t.dialogs->count("message"), 1);

    CreateFolderPath(t.prompts(), impossible, 1);
    ASSERT_EQ(t.dialogs->count("message"), 2);
    const auto* box = t.dialogs->last("message");
    EXPECT_EQ(box->title, "Unable to create directory.");
    EXPECT_TRUE(box->text.endsWith("  " + impossible)) << box->text.toStdString();
    EXPECT_GT(box->text.size(), impossible.size() + 2);
    EXPECT_FALSE(isDir(impossible));

    const QString possible = folders.path("new");
    CreateFolderPath(t.prompts(), possible, 1);
    CreateFolderPath(t.prompts(), possible, 1); // already there
    EXPECT_TRUE(isDir(possible));
    EXPECT_EQ(t.dialogs->count("message"), 2);
}

} // namespace
