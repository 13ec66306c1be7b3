#include "testsupport.h"

#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/help.h"
#include "base/messages.h"
#include "base/parallelfor.h"
#include "storage/settings/personalsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TMessageRecorder::TMessageRecorder() : Answer(mrOk) {
    SetMessageBoxHandler([this](const QString& text, TMsgKind kind, int buttons) {
        Shown.push_back({text, kind, buttons});
        return Answer;
    });
}

TMessageRecorder::~TMessageRecorder() {
    SetMessageBoxHandler({});
}

void TTempFolderTest::SetUp() {
    ASSERT_TRUE(Temp.isValid());
    Env.Program = Path(QStringLiteral("program/quillhour"));
    Env.Args = {Env.Program};
    Env.DataHome = Path(QStringLiteral("home/.local/share"));
    Env.Variables[QStringLiteral("XDG_RUNTIME_DIR")] = MakeFolder(QStringLiteral("runtime"));
    MakeFolder(QStringLiteral("program"));
    ApplyEnvironment();
    Messages = std::make_unique<TMessageRecorder>();
    SetAppLocale(QLocale::c());
    Locations() = TDataLocations{};
    PersonalSettings() = TPersonalSettings{};
    HelpOpened = false;
    MessageBoxShowing = false;
}

void TTempFolderTest::TearDown() {
    Messages.reset();
    SetProcessEnvironment(nullptr);
    Locations() = TDataLocations{};
    PersonalSettings() = TPersonalSettings{};
    SetHelpHandlers({});
    SetParallelThreads(0); // a test that failed half-way leaves no thread count behind
}

void TTempFolderTest::ApplyEnvironment() {
    SetProcessEnvironment(std::make_unique<TFakeEnvironment>(Env));
}

QString TTempFolderTest::Path(const QString& relative) const {
    return Temp.filePath(relative);
}

QString TTempFolderTest::MakeFolder(const QString& relative) const {
    const QString folder = Path(relative);
    QDir().mkpath(folder);
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void TTempFolderTest::WriteFile(const QString& path, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray TTempFolderTest::ReadFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
