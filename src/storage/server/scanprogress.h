#pragma once

#include <QString>

// What a long scan of the server's data tells the person waiting for it, and how it learns
// that they want it to stop. The program shows a progress window with a Cancel button that
// asks no confirmation; the command line tool prints to its error stream; tests record.
class IScanProgress {
public:
    virtual ~IScanProgress() = default;
    // Shows the progress with its heading; called once, when the first slow step begins.
    virtual void Start(const QString& heading) = 0;
    // Shows what is being worked on and processes pending events; false when a cancel had
    // been asked for before the call.
    virtual bool Update(const QString& text) = 0;
    // Processes pending events, then says whether a cancel has been asked for.
    virtual bool Cancelled() = 0;
    // Closes the progress; called once after Start, also when the scan ends with an error.
    virtual void Finish() = 0;
};
