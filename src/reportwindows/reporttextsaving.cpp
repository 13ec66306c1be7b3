#include "reporttextsaving.h"

#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "reporting/layouts/basereport.h"
#include "storage/settings/personalsettings.h"

#include <QFileDialog>
#include <QFileInfo>

QString AskReportFileWithDialog(QWidget* parent, const QString& initial) {
    QFileDialog dialog(parent, QStringLiteral("Warning"), initial,
                       QStringLiteral("Tab Delimiited Text (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the program asks in its own words
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

bool SaveReportText(TBaseReport& report, QWidget* parent, const TAskReportFile& ask) {
    QString& remembered = PersonalSettings().Setup.ExportFileName;
    const QString file = ask(parent, remembered);
    if (file.isEmpty())
        return false;
    if (QFileInfo::exists(file) && !ConfirmReplace({file}))
        return false;
    remembered = file;
    try {
        report.SaveReportTextTo(file);
    } catch (const EInOutError&) {
        ShowMessageBox(QStringLiteral("Unable to save file - another application may be using it"),
                       TMsgKind::Error, mbOK);
        return false;
    }
    return true;
}
