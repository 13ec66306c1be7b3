// An ini settings file read as the administration settings and as the personal settings
// (with the favourite block and the calendar record). The ini reader takes any bytes and
// writes back what it read; every value that could not be used is noted with a line of the
// file; settings that were read, written into the file and read again are the same.

#include "fuzzsupport.h"

#include "base/inifile.h"
#include "storage/months/block.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/settingsreader.h"

#include <vector>

#include <QDateTime>

namespace {
const QDate Today(2024, 3, 15);
const QDateTime Now(Today, QTime(9, 30));

TIniFile ThroughText(const TIniFile& ini) {
    TIniFile copy;
    copy.LoadFromText(ini.ToText());
    return copy;
}

void CheckProblems(const std::vector<TSettingsProblem>& problems, QByteArrayView bytes) {
    for (const TSettingsProblem& problem : problems) {
        FUZZ_CHECK(problem.Line >= 0 && problem.Line <= MaxLineCount(bytes), problem.Message);
        FUZZ_CHECK(!problem.Message.isEmpty(), QStringLiteral("a problem without a message"));
    }
}

void CheckAdminSettings(const TIniFile& ini, QByteArrayView bytes) {
    std::vector<TSettingsProblem> problems;
    TAdminSettings settings;
    int timeStep = 0;
    ReadAdminSettings(TSettingsReader(ini, &problems), settings, timeStep);
    CheckProblems(problems, bytes);
    TIniFile written = ini;
    WriteAdminSettings(written, settings, timeStep);
    TAdminSettings again;
    int stepAgain = 0;
    ReadAdminSettings(TSettingsReader(ThroughText(written)), again, stepAgain);
    FUZZ_CHECK(again == settings, QStringLiteral("administration settings differ when read again"));
    FUZZ_CHECK(stepAgain == timeStep, QStringLiteral("the unit of time differs when read again"));
}

QString RecordOf(const TBlock* block) {
    if (!block)
        return QStringLiteral("(none)");
    TIniFile ini;
    block->WriteToSection(ini, QStringLiteral("Favourite Activity"));
    return ShownText(ini.ToText());
}

bool SameFavourite(const TBlock* one, const TBlock* other) {
    if (!one || !other)
        return one == other;
    return one->Equals(*other);
}

void CheckPersonalSettings(const TIniFile& ini, QByteArrayView bytes) {
    std::vector<TSettingsProblem> problems;
    TPersonalSettings settings;
    ReadPersonalSettings(TSettingsReader(ini, &problems), settings, Today, false);
    CheckProblems(problems, bytes);
    TIniFile written = ini;
    WritePersonalSettings(written, settings, Now);
    TPersonalSettings again;
    ReadPersonalSettings(TSettingsReader(ThroughText(written)), again, Today, false);
    // The file keeps the day of the writing as the last use.
    FUZZ_CHECK(again.Setup.LastUse == Today, QStringLiteral("last use not the day written"));
    again.Setup.LastUse = settings.Setup.LastUse;
    FUZZ_CHECK(again.Setup == settings.Setup, QStringLiteral("personal settings differ"));
    FUZZ_CHECK(again.UserName == settings.UserName, QStringLiteral("user name differs"));
    FUZZ_CHECK(again.Window.Size == settings.Window.Size && again.Window.Left == settings.Window.Left &&
                   again.Window.Zoom == settings.Window.Zoom,
               QStringLiteral("window settings differ"));
    FUZZ_CHECK(again.LastTip == settings.LastTip, QStringLiteral("last tip differs"));
    FUZZ_CHECK(SameFavourite(settings.FavouriteBlock.get(), again.FavouriteBlock.get()),
               QStringLiteral("the favourite block differs:\n%1\n%2")
                   .arg(RecordOf(settings.FavouriteBlock.get()), RecordOf(again.FavouriteBlock.get())));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    const QByteArrayView bytes = InputBytes(data, size);
    const QString path = WriteFuzzFile(QStringLiteral("QHR.ini"), bytes);
    const TIniFile ini(path);
    FUZZ_CHECK(FuzzFileBytes(path) == bytes, QStringLiteral("the settings file was changed"));
    const QString text = ini.ToText();
    FUZZ_CHECK(ThroughText(ini).ToText() == text, QStringLiteral("ini text changed when read again"));
    CheckAdminSettings(ini, bytes);
    CheckPersonalSettings(ini, bytes);
    return 0;
}
