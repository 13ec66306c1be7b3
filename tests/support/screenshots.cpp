// Renders the program's windows over a sample-data location (made by quillhour-cli
// sample-data) on the offscreen platform into docs/screenshots: the main window on a day of
// work, the preview of its month's daily report, the set-up window and the Export Data window.
// scripts/screenshots runs it at one and at two pixels per point.
//   qh_screenshots OUTPUT_FOLDER DATA_FOLDER
#include "app/quillhourprogram.h"
#include "base/datalocations.h"
#include "base/messages.h"
#include "base/processenvironment.h"
#include "calendar/graphiccalendar.h"
#include "datadirenvironment.h"
#include "dayview/mainform.h"
#include "dayview/timelineview.h"
#include "reporting/layouts/dailyreport.h"
#include "reporting/reportdata.h"
#include "reportwindows/previewform.h"
#include "reportwindows/reportpreviewwidget.h"
#include "reportwindows/selectexportdataform.h"
#include "setup/setupform.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
// The last weekday before today: a whole day of the sample's work.
QDate ShownDay() {
    QDate day = QDate::currentDate().addDays(-1);
    while (day.dayOfWeek() > 5)
        day = day.addDays(-1);
    return day;
}

void PressBlock(TMainForm& form, int index) {
    TDay* day = form.CurrentDay();
    if (day->Blocks.empty())
        return;
    index = std::min(index, int(day->Blocks.size()) - 1);
    const TBlock* block = day->Blocks[std::size_t(index)].get();
    form.Timeline->ScrollToBlock(block);
    const QPoint at(form.Timeline->View().TimeToX((block->StartTime + block->EndTime) / 2),
                    form.Timeline->pbxDay->height() / 2);
    QTest::mouseClick(form.Timeline->pbxDay, Qt::LeftButton, {}, at);
}

QString PictureName(const char* name, bool dense) {
    return QString::fromLatin1(name) + (dense ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
}

// The preview of the shown month's daily report up to the shown day, fitted to the width.
bool SavePreview(const QString& file) {
    const QDate last = ShownDay();
    const QDate first(last.year(), last.month(), 1);
    const TReportDays days = CollectReportDays(first, last);
    TReportParameters parameters;
    parameters.Days = &days;
    parameters.PeriodFrom = first;
    parameters.PeriodTo = last;
    parameters.BreakDownToRemarks = true;
    TDailyReportA4 report;
    report.Initialise(parameters);
    TPreviewForm preview;
    preview.ReportPreview->SetZoom(TReportPreviewWidget::TZoom::FitWidth);
    preview.ShowPreview(report);
    preview.showNormal();
    preview.resize(1000, 640);
    QTest::qWait(100);
    const bool saved = preview.grab().save(file);
    preview.close();
    return saved;
}

// The Export Data window over the work group, opened as the main window opens it.
bool SaveExportWindow(TMainForm& form, const QString& file) {
    TSelectExportDataForm window;
    if (!window.FillFormatList())
        return false;
    TSelectReportSources sources;
    sources.ClientProjectList = &form.ClientProjectList;
    sources.InUseClients = &form.InUseClientProjectList;
    sources.InUseCategories = &form.InUseCategoryActivityList;
    sources.Week = form.SelectedWeek();
    sources.Month = form.SelectedMonth();
    window.ShowFor(&form, sources);
    QTest::qWait(100);
    const bool saved = window.grab().save(file);
    window.close();
    return saved;
}
// The set-up window on its Personal page, opened modally as the set-up button opens it.
bool SaveSetupWindow(TMainForm& form, const QString& file) {
    TSetupForm window;
    TSetupSources sources;
    sources.ClientProjectList = &form.ClientProjectList;
    sources.CategoryActivityList = &form.CategoryActivityList;
    sources.InUseClients = &form.InUseClientProjectList;
    sources.InUseCategories = &form.InUseCategoryActivityList;
    sources.CustomColours = &form.SharedCustomColours;
    window.Connect(sources);
    bool saved = false;
    std::function<void()> grab = [&] {
        if (!window.isVisible() || window.IsOpening()) {
            QTimer::singleShot(10, &window, grab);
            return;
        }
        QTest::qWait(100);
        saved = window.grab().save(file);
        window.reject();
    };
    QTimer::singleShot(0, &window, grab);
    window.Execute(false);
    return saved;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    const QString output = QString::fromLocal8Bit(argv[1]);
    const QString data = QString::fromLocal8Bit(argv[2]);
    InstallProgramServices();
    SetMessageBoxHandler([](const QString&, TMsgKind, int) { return int(mrNo); });
    SetProcessEnvironment(std::make_unique<TDataDirEnvironment>(data));
    ResolveDataLocations();
    if (!CheckDataFolders())
        return 1;
    LoadAdminSettings();
    LoadPersonalSettings();
    TMainForm form;
    form.Calendar->SetDate(ShownDay());
    form.LoadData();
    form.ApplyWindowSettings();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    QApplication::processEvents();
    PressBlock(form, 4);
    QTest::qWait(100);
    const bool dense = form.devicePixelRatioF() > 1.5;
    const QDir folder(output);
    QDir().mkpath(output);
    if (!form.grab().save(folder.filePath(PictureName("mainform", dense))))
        return 1;
    if (!SaveExportWindow(form, folder.filePath(PictureName("export", dense))))
        return 1;
    if (!SaveSetupWindow(form, folder.filePath(PictureName("setup", dense))))
        return 1;
    form.close();
    return SavePreview(folder.filePath(PictureName("preview", dense))) ? 0 : 1;
}
