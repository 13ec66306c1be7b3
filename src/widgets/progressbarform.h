#pragma once

#include "widgets/baseprogressform.h"

class QProgressBar;

// The progress window with a bar from 0 to 100 percent below the message.
class TProgressBarForm : public TBaseProgressForm {
    Q_OBJECT
public:
    explicit TProgressBarForm(QWidget* owner);

    void Start(const QString& text) override;
    // Shows text and percent when the bar moves on by at least a step, letting waiting messages
    // through then; false once a cancel had been asked for before this call.
    bool Update(int percent, const QString& text);

    QProgressBar* ProgressGauge;

private:
    int FStep = 1;
};
