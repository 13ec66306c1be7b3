#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

// The small "Progress" window of a long operation: a message, room below it for the variant's
// own part (a bar or a line of text), and Cancel. While it is shown its owner is disabled. The
// operation asks Update or Cancelled between its units of work; those let waiting window
// messages through, which is when a click on Cancel is seen.
class TBaseProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TBaseProgressForm(QWidget* owner);
    ~TBaseProgressForm() override;

    // Shows the window with text as its message and makes it ready for a new run.
    virtual void Start(const QString& text) = 0;
    // Lets waiting messages through, then says whether a cancel was asked for.
    bool Cancelled();

    // Asks "Cancel operation?" before a click on Cancel counts.
    bool ConfirmCancel = false;

    QLabel* ProgressLabel;
    QPushButton* btnCancel;

protected:
    // The message, on one line or two, centred in the top of the window.
    void ShowMessage(const QString& text);
    // The common part of Start: not cancelled, Cancel enabled, the window shown.
    void StartBase(const QString& text);
    // The cancel flag as it stood before this call's messages were let through.
    bool CancelAskedBefore() const { return FCancelled; }
    void hideEvent(QHideEvent* event) override;
    void reject() override; // Esc and the window's close box ask for a cancel too

private:
    void CancelClick();
    void RestoreOwner();

    QPointer<QWidget> FOwner;
    bool FOwnerWasEnabled = true;
    bool FCancelled = false;
};
