#include "exportfiledialog.h"

#include "base/fileutils.h"
#include "base/messages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

QString PlatformExportFileDialog(QWidget* parent, const QString& start, const QString& suffix) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix.mid(1));
    dialog.setNameFilters({QStringLiteral("Export files (*") + suffix + QLatin1Char(')'),
                           QStringLiteral("All files (*)")});
    if (!start.isEmpty())
        dialog.selectFile(start);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().front()
               : QString();
}

bool BrowseExportFile(QLineEdit* field, const TExportFileDialog& dialog, const QString& suffix) {
    const QString chosen = dialog(field->window(), field->text(), suffix);
    if (chosen.isEmpty())
        return false;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (CanCreateFile(path)) {
        field->setText(path);
        return true;
    }
    ShowMessageBox(QLatin1Char('"') + path + QStringLiteral("\" is not a valid file name"),
                   TMsgKind::Error, mbOK);
    return false;
}
