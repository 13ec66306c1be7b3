#include "progressbarform.h"

#include "base/waitingmessages.h"

#include <algorithm>

#include <QPalette>
#include <QProgressBar>

TProgressBarForm::TProgressBarForm(QWidget* owner) : TBaseProgressForm(owner) {
    ProgressGauge = new QProgressBar(this);
    ProgressGauge->setObjectName(QStringLiteral("ProgressGauge"));
    ProgressGauge->setRange(0, 100);
    ProgressGauge->setTextVisible(true);
    ProgressGauge->setGeometry(16, 52, 204, 15);
    // Navy, with the percentage in white where the bar has reached it.
    QPalette palette = ProgressGauge->palette();
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    ProgressGauge->setPalette(palette);
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
