// Renders the main window and the preview of its daily report, with a generated sample month,
// on the offscreen platform into docs/screenshots (scripts/screenshots runs it at one and at two
// pixels per point).
//   qh_screenshots OUTPUT_FOLDER
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
#include "sampledata/sampledata.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDate ShownDay(2024, 3, 6);

// A month of the sample generator and lists made from its names.
void WriteSampleData(const QString& dataFolder) {
    QDir().mkpath(dataFolder);
    TSampleDataGenerator(7).WriteUserMonths(dataFolder, 3, ShownDay.year(), ShownDay.month(), 1);
    TClients clients;
    TCategories categories;
    const auto month = TMonth::CreateFromFile(dataFolder + QStringLiteral("2024-03.txt"),
                                              QStringLiteral("sample"));
    for (const auto& day : month->Days)
        for (const auto& block : day->Blocks) {
            clients.AddEntry(block->Client, block->Project, true, {});
            categories.AddEntry(block->Category, block->Activity, true);
        }
    clients.SaveTo(dataFolder + QStringLiteral("ClientProject.txt"));
    categories.SaveTo(dataFolder + QStringLiteral("CategoryActivity.txt"));
}

void PressBlock(TMainForm& form, int index) {
    TDay* day = form.CurrentDay();
    const TBlock* block = day->Blocks[std::size_t(index)].get();
    form.Timeline->ScrollToBlock(block);
    const QPoint at(day->TimeToX((block->StartTime + block->EndTime) / 2),
                    form.Timeline->pbxDay->height() / 2);
    QTest::mouseClick(form.Timeline->pbxDay, Qt::LeftButton, {}, at);
}

// The preview of the sample month's daily report, fitted to the window's width.
bool SavePreview(const QString& file) {
    const TReportDays days = CollectReportDays(QDate(2024, 3, 1), QDate(2024, 3, 31));
    TReportParameters parameters;
    parameters.Days = &days;
    parameters.PeriodFrom = QDate(2024, 3, 1);
    parameters.PeriodTo = QDate(2024, 3, 31);
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
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    const QString output = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir temp;
    const QString local = temp.path() + QStringLiteral("/local/");
    WriteSampleData(local + QStringLiteral("Data/"));
    InstallProgramServices();
    SetMessageBoxHandler([](const QString&, TMsgKind, int) { return int(mrNo); });
    SetProcessEnvironment(std::make_unique<TDataDirEnvironment>(local));
    ResolveDataLocations();
    if (!CheckDataFolders())
        return 1;
    LoadAdminSettings();
    LoadPersonalSettings();
    PersonalSettings().UserName = QStringLiteral("Sam Sample");
    TMainForm form;
    form.Calendar->SetDate(ShownDay);
    form.LoadData();
    form.ApplyWindowSettings();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    QApplication::processEvents();
    PressBlock(form, 4);
    QTest::qWait(100);
    const bool dense = form.devicePixelRatioF() > 1.5;
    const QString name = dense ? QStringLiteral("mainform@2x.png") : QStringLiteral("mainform.png");
    QDir().mkpath(output);
    if (!form.grab().save(QDir(output).filePath(name)))
        return 1;
    form.close();
    const QString preview = dense ? QStringLiteral("preview@2x.png") : QStringLiteral("preview.png");
    return SavePreview(QDir(output).filePath(preview)) ? 0 : 1;
}
