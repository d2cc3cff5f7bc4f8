#include "platform/SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendra;

namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { SettingsStore::useFolder(dir_.path()); }
    void TearDown() override { SettingsStore::useFolder({}); }
    QSettings product() const
    {
        return QSettings(dir_.path() + QStringLiteral("/Zendra++/ZendraSK.ini"),
                         QSettings::IniFormat);
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(SettingsStoreTest, ReadsCreateMissingValuesWithTheirDefaults)
{
    EXPECT_EQ(ReadIntSetting("PaperSize", 630), 630);
    EXPECT_TRUE(ReadBoolSetting("ShowDoYouKnow", true));
    EXPECT_EQ(ReadStringSetting("LogOnName", "共通"), QStringLiteral("共通"));
    EXPECT_EQ(product().value("PaperSize").toInt(), 630);
    EXPECT_EQ(product().value("LogOnName").toString(), QStringLiteral("共通"));

    // Once written, the stored value wins over a different default.
    EXPECT_EQ(ReadIntSetting("PaperSize", 546), 630);
    WriteIntSetting("PaperSize", 771);
    WriteBoolSetting("ShowDoYouKnow", false);
    WriteStringSetting("theSchool", "ひまわり学級");
    EXPECT_EQ(ReadIntSetting("PaperSize", 630), 771);
    EXPECT_FALSE(ReadBoolSetting("ShowDoYouKnow", true));
    EXPECT_EQ(ReadStringSetting("theSchool", ""), QStringLiteral("ひまわり学級"));
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongTypeReadAsTheDefault)
{
    QSettings s = product();
    s.setValue("PaperSize", "wide");
    s.setValue("KeyLock", "maybe");
    s.sync();
    EXPECT_EQ(ReadIntSetting("PaperSize", 630), 630);
    EXPECT_FALSE(ReadBoolSetting("KeyLock", false));
    EXPECT_EQ(product().value("PaperSize").toString(), QStringLiteral("wide"));
}

TEST_F(SettingsStoreTest, SharedKeyIsSeparate)
{
    EXPECT_EQ(ReadCommonString("RecDrive", "/data/"), QStringLiteral("/data/"));
    EXPECT_EQ(ReadStringSetting("RecDrive", "other"), QStringLiteral("other"));
    QSettings shared(dir_.path() + QStringLiteral("/Zendra/Common.ini"), QSettings::IniFormat);
    EXPECT_EQ(shared.value("RecDrive").toString(), QStringLiteral("/data/"));
}
