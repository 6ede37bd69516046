#include "core/SharedPreferences.h"
#include "core/QStringPrinter.h"
#include "support/TestServices.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QByteArray Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

class SharedPreferencesTest : public ::testing::Test {
protected:
    TestFolders folders;
    SharedPreferencesState shared;
    QString file = folders.documents + "/Vexol Software/Shared/SharedUserPreferences.xml";

    void loadFrom(const QByteArray& bytes)
    {
        writeBytes(file, bytes);
        LoadGlobalPreferences(shared, file);
    }
    bool set(const char* key, const QString& value, quint8 save = 1)
    {
        QString k = QString::fromLatin1(key);
        return SetGlobalPreference(shared, k, value, save);
    }
};

TEST_F(SharedPreferencesTest, WithoutAFileStartsFromTheDeclarationAndWritesNothing)
{
    LoadGlobalPreferences(shared, file);
    EXPECT_EQ(shared.GlobalPreferencesText, QString::fromLatin1(Declaration));
    EXPECT_FALSE(QFileInfo::exists(file));

    ASSERT_TRUE(set("OWN_CALL", "v"));
    EXPECT_EQ(readBytes(file), Declaration + "\r\n<OWN_CALL>v</OWN_CALL>\r\n");
}

TEST_F(SharedPreferencesTest, PresentKeyIsReplacedInPlaceAmongOtherLines)
{
    loadFrom(Declaration + "\r\n<OTHER_PROGRAM>keep</OTHER_PROGRAM>\r\n<OWN_CALLSIGN>W5OLD</OWN_CALLSIGN>\r\n"
             "<OWN_CALL>W5OLD</OWN_CALL>\r\n<OWN_NAME>Pat</OWN_NAME>\r\n");
    ASSERT_TRUE(set("OWN_CALL", "K5NEW"));
    EXPECT_EQ(readBytes(file),
              Declaration + "\r\n<OTHER_PROGRAM>keep</OTHER_PROGRAM>\r\n<OWN_CALLSIGN>W5OLD</OWN_CALLSIGN>\r\n"
                            "<OWN_CALL>K5NEW</OWN_CALL>\r\n<OWN_NAME>Pat</OWN_NAME>\r\n");
}

TEST_F(SharedPreferencesTest, KeyIsUpperCasedInTheCallersVariable)
{
    LoadGlobalPreferences(shared, file);
    QString key = "OWN_ADDRESS_Line1";
    ASSERT_TRUE(SetGlobalPreference(shared, key, "1 Main St", 1));
    EXPECT_EQ(key, "OWN_ADDRESS_LINE1");
    EXPECT_TRUE(readBytes(file).endsWith("\r\n<OWN_ADDRESS_LINE1>1 Main St</OWN_ADDRESS_LINE1>\r\n"));
}

TEST_F(SharedPreferencesTest, KeyThatBeginsALongerTagIsAppended)
{
    loadFrom(Declaration + "\r\n<OWN_CALLSIGN>W5OLD</OWN_CALLSIGN>\r\n");
    ASSERT_TRUE(set("OWN_CALL", "K5NEW"));
    EXPECT_EQ(readBytes(file),
              Declaration + "\r\n<OWN_CALLSIGN>W5OLD</OWN_CALLSIGN>\r\n<OWN_CALL>K5NEW</OWN_CALL>\r\n");
}

TEST_F(SharedPreferencesTest, LowerCaseTagOfAnotherProgramIsNotMatched)
{
    loadFrom(Declaration + "\r\n<own_call>w5old</own_call>\r\n");
    ASSERT_TRUE(set("own_call", "K5NEW"));
    EXPECT_EQ(readBytes(file),
              Declaration + "\r\n<own_call>w5old</own_call>\r\n<OWN_CALL>K5NEW</OWN_CALL>\r\n");
}

TEST_F(SharedPreferencesTest, FlagZeroChangesOnlyMemory)
{
    const QByteArray before = Declaration + "\r\n<OWN_CALL>W5OLD</OWN_CALL>\r\n";
    loadFrom(before);
    ASSERT_TRUE(set("OWN_CALL", "K5NEW", 0));
    ASSERT_TRUE(set("OWN_NAME", "Pat", 0));
    EXPECT_EQ(shared.GlobalPreferencesText,
              QString::fromLatin1(Declaration) + "\r\n<OWN_CALL>K5NEW</OWN_CALL>\r\n<OWN_NAME>Pat</OWN_NAME>");
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(SharedPreferencesTest, LoadDropsOnlyAFinalLineEnd)
{
    loadFrom(Declaration + "\r\n<A>1</A>\r\n");
    EXPECT_EQ(shared.GlobalPreferencesText, QString::fromLatin1(Declaration) + "\r\n<A>1</A>");

    loadFrom(Declaration + "\r\n<A>1</A>");
    EXPECT_EQ(shared.GlobalPreferencesText, QString::fromLatin1(Declaration) + "\r\n<A>1</A>");

    loadFrom(Declaration + "\r\n<A>1</A>\n");
    EXPECT_EQ(shared.GlobalPreferencesText, QString::fromLatin1(Declaration) + "\r\n<A>1</A>\n");
}

} // namespace
