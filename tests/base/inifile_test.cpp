#include "base/inifile.h"
#include "base/ioerror.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

class IniFile : public TTempFolderTest {};

TEST_F(IniFile, ReadsNamesWithoutRegardToCaseAndKeepsValuesAsWritten) {
    TIniFile ini;
    ini.LoadFromText(QStringLiteral("; leading comment\r\n[Setup]\r\nRedirect = /srv/x \r\n"
                                    "Count=12\r\nFlag=0\r\nOn=-3\r\nBad=1x\r\nCount=99\r\n"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("SETUP"), QStringLiteral("redirect")),
              QStringLiteral("/srv/x"));
    EXPECT_EQ(ini.ReadRaw(QStringLiteral("setup"), QStringLiteral("Redirect")),
              QStringLiteral(" /srv/x "));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Setup"), QStringLiteral("Count"), 0), 12);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Setup"), QStringLiteral("Bad"), 5), 5);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Setup"), QStringLiteral("Missing"), 7), 7);
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("Setup"), QStringLiteral("Flag"), true));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Setup"), QStringLiteral("On"), false));
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Setup"), QStringLiteral("Bad"), true));
    EXPECT_EQ(ini.ReadString(QStringLiteral("None"), QStringLiteral("x"), QStringLiteral("d")),
              QStringLiteral("d"));
}

TEST_F(IniFile, WritesBackWhatItDoesNotUnderstand) {
    const QString text =
        QStringLiteral("; written by hand\r\n[A]\r\nx=1\r\n; note\r\nnot an entry\r\n"
                       "\r\n[B]\r\ny = two words \r\n");
    TIniFile ini;
    ini.LoadFromText(text);
    EXPECT_EQ(ini.ToText(), QStringLiteral("; written by hand\r\n[A]\r\nx=1\r\n; note\r\n"
                                           "not an entry\r\n\r\n[B]\r\ny= two words \r\n"));
}

TEST_F(IniFile, WritingReplacesInPlaceAndAppendsNewKeysAndSections) {
    TIniFile ini;
    ini.LoadFromText(QStringLiteral("[A]\nx=1\n\n[B]\ny=2\n"));
    ini.WriteString(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("10"));
    ini.WriteInteger(QStringLiteral("A"), QStringLiteral("z"), 3);
    ini.WriteBool(QStringLiteral("C"), QStringLiteral("on"), true);
    EXPECT_EQ(ini.ToText(),
              QStringLiteral("[A]\r\nx=10\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\non=1\r\n"));
    ini.DeleteKey(QStringLiteral("a"), QStringLiteral("x"));
    ini.EraseSection(QStringLiteral("b"));
    EXPECT_EQ(ini.Sections(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(ini.Keys(QStringLiteral("A")), QStringList({QStringLiteral("z")}));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("A"), QStringLiteral("x")));
}

TEST_F(IniFile, MissingFileReadsEmptyAndSaveWritesWholeFile) {
    const QString file = Path(QStringLiteral("QHR.ini"));
    TIniFile ini(file);
    EXPECT_TRUE(ini.Sections().isEmpty());
    ini.WriteString(QStringLiteral("Personal"), QStringLiteral("UserName"), QStringLiteral("Zoë"));
    ini.Save();
    // Every character fits Windows-1252, so that is how it is written.
    EXPECT_EQ(ReadFile(file), QByteArray("[Personal]\r\nUserName=Zo\xEB\r\n"));
    EXPECT_EQ(TIniFile(file).ReadString(QStringLiteral("personal"), QStringLiteral("username")),
              QStringLiteral("Zoë"));
    EXPECT_EQ(QDir(Temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(IniFile, SaveIntoAMissingFolderRaisesAndWritesNothing) {
    TIniFile ini;
    ini.WriteString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c"));
    try {
        ini.SaveToFile(Path(QStringLiteral("missing/QHR.ini")));
        FAIL() << "no error raised";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.FileName(), Path(QStringLiteral("missing/QHR.ini")));
    }
}
