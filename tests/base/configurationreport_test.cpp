#include "base/configurationreport.h"
#include "base/datalocations.h"
#include "base/ioerror.h"
#include "testsupport.h"

#include <QFile>

#include <gtest/gtest.h>

class ConfigurationReportTest : public TTempFolderTest {};

TEST_F(ConfigurationReportTest, ListsLocationsArgumentsAndBothSettingsFiles) {
    const QString local = MakeFolder(QStringLiteral("local"));
    Env.Args = {Env.Program, QStringLiteral("/datadir"), local};
    ApplyEnvironment();
    ResolveDataLocations();
    WriteFile(local + QStringLiteral("QHR.ini"), "[Personal]\r\nUserName=Mary\r\n");

    const QString report = ConfigurationReport(QDateTime(QDate(2024, 1, 5), QTime(9, 30)));
    const QString settings = local + QStringLiteral("QHR.ini");
    const QString expected =
        QStringLiteral("5 Jan 2024 09:30:00\r\n") + QStringLiteral("FILE LOCATIONS\r\n") +
        DataLocationsText(true) + QStringLiteral("\r\n") + QStringLiteral("PARAMETERS\r\n") +
        QStringLiteral("0: ") + Env.Program + QStringLiteral("\r\n") +
        QStringLiteral("1: /datadir\r\n") + QStringLiteral("2: ") + local + QStringLiteral("\r\n") +
        QStringLiteral("\r\n") + QStringLiteral("INI FILE (ADMIN SETTINGS): ") + settings +
        QStringLiteral("\r\n[Personal]\r\nUserName=Mary\r\n") +
        QStringLiteral("INI FILE (PERSONAL SETTINGS): ") + settings +
        QStringLiteral("\r\n[Personal]\r\nUserName=Mary\r\n");
    EXPECT_EQ(report, expected);
}

TEST_F(ConfigurationReportTest, SettingsFileNotYetWrittenListsNoLines) {
    Locations().LocalFolder = MakeFolder(QStringLiteral("fresh"));
    const QString report = ConfigurationReport(QDateTime(QDate(2024, 1, 5), QTime(9, 30)));
    EXPECT_TRUE(report.endsWith(QStringLiteral("INI FILE (PERSONAL SETTINGS): ") +
                                Locations().LocalFolder + QStringLiteral("QHR.ini\r\n")));
}

TEST_F(ConfigurationReportTest, UnreadableSettingsFileRaises) {
    // A folder where the settings file should be cannot be read, even by root.
    Locations().LocalFolder = MakeFolder(QStringLiteral("odd"));
    MakeFolder(QStringLiteral("odd/QHR.ini"));
    try {
        ConfigurationReport();
        FAIL() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.FileName(), Locations().LocalFolder + QStringLiteral("QHR.ini"));
    }
}
