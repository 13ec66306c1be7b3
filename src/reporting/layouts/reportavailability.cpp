#include "reportavailability.h"

#include "base/messages.h"

bool ReportsAvailable = true;

bool CheckReportsAvailable() {
    if (ReportsAvailable)
        return true;
    ShowMessageBox(QStringLiteral("An error occurred while trying to prepare reports.\r"
                                  "Please check your default printer is available."),
                   TMsgKind::Error, mbOK);
    return false;
}
