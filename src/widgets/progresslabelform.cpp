#include "progresslabelform.h"

#include "base/waitingmessages.h"

#include <QLabel>

TProgressLabelForm::TProgressLabelForm(QWidget* owner) : TBaseProgressForm(owner) {
    lblUpdate = new QLabel(this);
    lblUpdate->setObjectName(QStringLiteral("lblUpdate"));
    lblUpdate->setAlignment(Qt::AlignCenter);
    lblUpdate->setGeometry(16, 52, 206, 16);
}

void TProgressLabelForm::Start(const QString& text) {
    lblUpdate->clear();
    StartBase(text);
}

bool TProgressLabelForm::Update(const QString& text) {
    const bool cancelled = CancelAskedBefore();
    lblUpdate->setText(text);
    LetWaitingMessagesThrough();
    return !cancelled;
}
