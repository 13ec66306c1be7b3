#pragma once

#include <QMainWindow>

#include <functional>

// The main window: the day view of the current user. Closing it runs the program's stop
// sequence.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // The work to do when the window closes (saving, backups, help windows).
    void SetStopSequence(std::function<void()> stop) { FStopSequence = std::move(stop); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> FStopSequence;
    bool FStopped = false;
};
