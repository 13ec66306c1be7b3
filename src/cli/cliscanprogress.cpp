#include "cliscanprogress.h"

void TCliScanProgress::Start(const QString& heading) {
    FErr << heading << '\n';
    FErr.flush();
}

bool TCliScanProgress::Update(const QString& text) {
    FErr << "  " << text << '\n';
    FErr.flush();
    return true;
}

void TCliScanProgress::Finish() {
    FErr.flush();
}
