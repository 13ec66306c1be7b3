#pragma once

#include "widgets/baseprogressform.h"

// The progress window with a line of text below the message: what is being worked on now.
class TProgressLabelForm : public TBaseProgressForm {
    Q_OBJECT
public:
    explicit TProgressLabelForm(QWidget* owner);

    void Start(const QString& text) override;
    // Shows text below the message and lets waiting messages through; false once a cancel had
    // been asked for before this call.
    bool Update(const QString& text);

    QLabel* lblUpdate;
};
