#pragma once

#include "storage/server/scanprogress.h"

#include <QTextStream>

// The server scan's progress on the command line tool's error stream, so that the output
// holds the results alone. Nothing here asks for a cancel.
class TCliScanProgress : public IScanProgress {
public:
    explicit TCliScanProgress(QTextStream& err) : FErr(err) {}

    void Start(const QString& heading) override;
    bool Update(const QString& text) override;
    bool Cancelled() override { return false; }
    void Finish() override;

private:
    QTextStream& FErr;
};
