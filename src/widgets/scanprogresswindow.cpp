#include "scanprogresswindow.h"

#include "widgets/progresslabelform.h"

TScanProgressWindow::TScanProgressWindow(QWidget* owner) : FOwner(owner) {}

TScanProgressWindow::~TScanProgressWindow() = default;

void TScanProgressWindow::Start(const QString& heading) {
    if (!FWindow)
        FWindow = std::make_unique<TProgressLabelForm>(FOwner);
    FWindow->Start(heading);
}

bool TScanProgressWindow::Update(const QString& text) {
    return !FWindow || FWindow->Update(text);
}

bool TScanProgressWindow::Cancelled() {
    return FWindow && FWindow->Cancelled();
}

void TScanProgressWindow::Finish() {
    FWindow.reset();
}
