#include "baseprogressform.h"

#include "base/messages.h"
#include "base/waitingmessages.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int ClientWidth = 237;
constexpr int ClientHeight = 126;
constexpr int LabelLeft = 14;
constexpr int LabelWidth = 209;
constexpr int LineHeight = 16;
constexpr int MessageRoom = 46; // the message is centred in the window's top 46 units
} // namespace

TBaseProgressForm::TBaseProgressForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint), FOwner(owner) {
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QStringLiteral("Progress"));
    setFixedSize(ClientWidth, ClientHeight);
    ProgressLabel = new QLabel(this);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    ProgressLabel->setAlignment(Qt::AlignCenter);
    ProgressLabel->setWordWrap(true);
    ProgressLabel->setGeometry(LabelLeft, (MessageRoom - LineHeight) / 2, LabelWidth, LineHeight);
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("bvlProgress"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 80, ClientWidth - 16, 2);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setDefault(true);
    btnCancel->setGeometry(ClientWidth - 8 - 75, 92, 75, 25);
    connect(btnCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
    if (FOwner) {
        FOwnerWasEnabled = FOwner->isEnabled();
        FOwner->setEnabled(false);
    }
    // A window of its owner's: the owner is disabled, but this one must still take clicks.
    setEnabled(true);
}

TBaseProgressForm::~TBaseProgressForm() {
    RestoreOwner();
}

bool TBaseProgressForm::Cancelled() {
    LetWaitingMessagesThrough();
    return FCancelled;
}

void TBaseProgressForm::ShowMessage(const QString& text) {
    ProgressLabel->setText(text);
    const bool oneLine = !text.contains(QLatin1Char('\n')) &&
                         ProgressLabel->fontMetrics().horizontalAdvance(text) <= LabelWidth;
    const int height = oneLine ? LineHeight : 2 * LineHeight;
    if (ProgressLabel->height() != height)
        ProgressLabel->setGeometry(LabelLeft, (MessageRoom - height) / 2, LabelWidth, height);
}

void TBaseProgressForm::StartBase(const QString& text) {
    ShowMessage(text);
    FCancelled = false;
    setWindowTitle(QStringLiteral("Progress"));
    btnCancel->setEnabled(true);
    if (!isVisible()) {
        if (parentWidget())
            move(parentWidget()->window()->geometry().center() - rect().center());
        show();
    }
    LetWaitingMessagesThrough();
}

void TBaseProgressForm::CancelClick() {
    if (ConfirmCancel && ShowMessageBox(QStringLiteral("Cancel operation?"), TMsgKind::Confirmation,
                                        mbYes | mbNo) != mrYes)
        return;
    FCancelled = true;
    setWindowTitle(QStringLiteral("Cancelling ..."));
    btnCancel->setEnabled(false);
}

void TBaseProgressForm::reject() {
    if (btnCancel->isEnabled())
        CancelClick();
}

void TBaseProgressForm::hideEvent(QHideEvent* event) {
    RestoreOwner();
    QDialog::hideEvent(event);
}

void TBaseProgressForm::RestoreOwner() {
    if (FOwner)
        FOwner->setEnabled(FOwnerWasEnabled);
    FOwner = nullptr;
}
