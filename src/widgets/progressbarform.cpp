#include "progressbarform.h"

#include "base/waitingmessages.h"

#include <algorithm>

#include <QProgressBar>

TProgressBarForm::TProgressBarForm(QWidget* owner) : TBaseProgressForm(owner) {
    ProgressGauge = new QProgressBar(this);
    ProgressGauge->setObjectName(QStringLiteral("ProgressGauge"));
    ProgressGauge->setRange(0, 100);
    ProgressGauge->setTextVisible(true);
    ProgressGauge->setGeometry(16, 52, 204, 15);
    ProgressGauge->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid grey; background: white; text-align: center; }"
        "QProgressBar::chunk { background: navy; }"));
}

void TProgressBarForm::Start(const QString& text) {
    ProgressGauge->setValue(0);
    StartBase(text);
}

bool TProgressBarForm::Update(int percent, const QString& text) {
    const bool cancelled = CancelAskedBefore();
    if (percent - ProgressGauge->value() >= FStep) {
        ShowMessage(text);
        ProgressGauge->setValue(std::clamp(percent, 0, 100));
        LetWaitingMessagesThrough();
    }
    return !cancelled;
}
