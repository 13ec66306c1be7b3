#pragma once

#include "storage/server/scanprogress.h"

#include <memory>

class QWidget;
class TProgressLabelForm;

// The server scan's progress in the program: a label progress window, made when the first slow
// step begins, showing the folder being read, with a Cancel that asks nothing.
class TScanProgressWindow : public IScanProgress {
public:
    explicit TScanProgressWindow(QWidget* owner);
    ~TScanProgressWindow() override;

    void Start(const QString& heading) override;
    bool Update(const QString& text) override;
    bool Cancelled() override;
    void Finish() override;

    TProgressLabelForm* Window() const { return FWindow.get(); }

private:
    QWidget* FOwner;
    std::unique_ptr<TProgressLabelForm> FWindow;
};
