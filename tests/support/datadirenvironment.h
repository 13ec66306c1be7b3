#pragma once

#include "base/processenvironment.h"

#include <QString>
#include <QStringList>

// The system's environment with folder as the program's "/datadir": for the screenshots and
// the benchmarks, which run the program's code on a sample data folder of their own.
class TDataDirEnvironment : public TSystemEnvironment {
public:
    explicit TDataDirEnvironment(QString folder) : FFolder(std::move(folder)) {}
    QStringList Arguments() const override {
        return {ProgramFile(), QStringLiteral("/datadir"), FFolder};
    }

private:
    QString FFolder;
};
