#include "processenvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList TSystemEnvironment::Arguments() const {
    return QCoreApplication::arguments();
}

QString TSystemEnvironment::ProgramFile() const {
    const QString path = QCoreApplication::applicationFilePath();
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

bool TSystemEnvironment::HasEnvironmentValue(const QString& name) const {
    return qEnvironmentVariableIsSet(name.toLocal8Bit().constData());
}

QString TSystemEnvironment::EnvironmentValue(const QString& name) const {
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

QString TSystemEnvironment::LogonUserName() const {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString TSystemEnvironment::UserDataHome() const {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

namespace {
std::unique_ptr<IProcessEnvironment>& Installed() {
    static std::unique_ptr<IProcessEnvironment> environment =
        std::make_unique<TSystemEnvironment>();
    return environment;
}
} // namespace

const IProcessEnvironment& ProcessEnvironment() {
    return *Installed();
}

void SetProcessEnvironment(std::unique_ptr<IProcessEnvironment> environment) {
    Installed() = environment ? std::move(environment) : std::make_unique<TSystemEnvironment>();
}

QString EnvironmentValue(const QString& name) {
    return ProcessEnvironment().EnvironmentValue(name).left(1024);
}

QString LogonUserName() {
    return ProcessEnvironment().LogonUserName().left(255);
}

bool HasSwitch(const QString& s) {
    const QStringList args = ProcessEnvironment().Arguments();
    const QString wanted = s.toLower();
    for (qsizetype i = 1; i < args.size(); ++i)
        if (args.at(i).toLower() == wanted)
            return true;
    return false;
}
