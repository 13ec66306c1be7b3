#pragma once

#include "base/messages.h"
#include "base/processenvironment.h"

#include <map>
#include <vector>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A process environment made by the test: arguments, program file, variables, logon name.
class TFakeEnvironment : public IProcessEnvironment {
public:
    QStringList Args{QStringLiteral("/opt/quillhour/quillhour")};
    QString Program = QStringLiteral("/opt/quillhour/quillhour");
    std::map<QString, QString> Variables;
    QString Logon = QStringLiteral("tester");
    QString DataHome;

    QStringList Arguments() const override { return Args; }
    QString ProgramFile() const override { return Program; }
    bool HasEnvironmentValue(const QString& name) const override {
        return Variables.count(name) > 0;
    }
    QString EnvironmentValue(const QString& name) const override {
        const auto it = Variables.find(name);
        return it == Variables.end() ? QString() : it->second;
    }
    QString LogonUserName() const override { return Logon; }
    QString UserDataHome() const override { return DataHome; }
};

// One message box the code under test asked for.
struct TShownMessage {
    QString Text;
    TMsgKind Kind;
    int Buttons;
};

// Records message boxes instead of showing them and answers with Answer.
class TMessageRecorder {
public:
    TMessageRecorder();
    ~TMessageRecorder();
    std::vector<TShownMessage> Shown;
    int Answer;
};

// A test with its own temporary folder, a fake environment (installed), a message recorder,
// the pinned C locale and fresh data locations.
class TTempFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Installs the current Env again after the test changed it.
    void ApplyEnvironment();
    // Absolute path inside the temporary folder (without trailing separator handling).
    QString Path(const QString& relative) const;
    // A folder inside the temporary folder, created, with a trailing "/".
    QString MakeFolder(const QString& relative) const;
    void WriteFile(const QString& path, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& path) const;

    QTemporaryDir Temp;
    TFakeEnvironment Env;
    std::unique_ptr<TMessageRecorder> Messages;
};
