#pragma once

#include <memory>

#include <QString>
#include <QStringList>

// What the program learns from the process and the operating system: its arguments, its own
// file, environment variables and the logon user. The program uses the real system; tests
// install a fake so that no test depends on the machine or the user running it.
class IProcessEnvironment {
public:
    virtual ~IProcessEnvironment() = default;
    // Arguments 0..N; argument 0 is the program path.
    virtual QStringList Arguments() const = 0;
    // Absolute path of the running program file, links resolved.
    virtual QString ProgramFile() const = 0;
    virtual bool HasEnvironmentValue(const QString& name) const = 0;
    virtual QString EnvironmentValue(const QString& name) const = 0;
    virtual QString LogonUserName() const = 0;
    // The per-user data folder used when APPDATA is not set (the XDG data home).
    virtual QString UserDataHome() const = 0;
};

class TSystemEnvironment : public IProcessEnvironment {
public:
    QStringList Arguments() const override;
    QString ProgramFile() const override;
    bool HasEnvironmentValue(const QString& name) const override;
    QString EnvironmentValue(const QString& name) const override;
    QString LogonUserName() const override;
    QString UserDataHome() const override;
};

const IProcessEnvironment& ProcessEnvironment();
// Installs another environment; null restores the system one.
void SetProcessEnvironment(std::unique_ptr<IProcessEnvironment> environment);

// Environment variable value, at most 1024 characters; empty when not set.
QString EnvironmentValue(const QString& name);
// The logon user name, at most 255 characters.
QString LogonUserName();
// True when some argument 1..N equals s, both compared lower-cased; false without arguments.
bool HasSwitch(const QString& s);
