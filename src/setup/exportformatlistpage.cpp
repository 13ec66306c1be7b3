#include "exportformatlistpage.h"

#include "base/datalocations.h"
#include "base/messages.h"
#include "export/exportformatfiles.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
template <typename T> T* Named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

TExportFormatListPage::TExportFormatListPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("shtExportFormat"));
    CreateControls();
}

TExportFormatListPage::~TExportFormatListPage() = default;

void TExportFormatListPage::CreateControls() {
    listExportFormats = Named(new QListWidget(this), "listExportFormats");
    btnAddExportFormat = Named(new QPushButton(QStringLiteral("Add Format..."), this), "btnAddExportFormat");
    btnEditExportFormat = Named(new QPushButton(QStringLiteral("Edit..."), this), "btnEditExportFormat");
    btnDeleteExportFormat = Named(new QPushButton(QStringLiteral("Delete"), this), "btnDeleteExportFormat");
    btnApply = Named(new QPushButton(QStringLiteral("Apply"), this), "btnApply");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {btnAddExportFormat, btnEditExportFormat, btnDeleteExportFormat}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    btnApply->setAutoDefault(false);
    buttons->addWidget(btnApply);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(listExportFormats, 1);
    layout->addLayout(buttons);
    SetShowHints(true);

    connect(btnAddExportFormat, &QPushButton::clicked, this, [this] { AddClicked(); });
    connect(btnEditExportFormat, &QPushButton::clicked, this, [this] { EditClicked(); });
    connect(btnDeleteExportFormat, &QPushButton::clicked, this, [this] { DeleteClicked(); });
    connect(btnApply, &QPushButton::clicked, this, [this] { ApplyClicked(); });
    connect(listExportFormats, &QListWidget::itemDoubleClicked, this, [this] { EditClicked(); });
    connect(listExportFormats, &QListWidget::currentRowChanged, this, [this] { UpdateEnabling(); });
}

void TExportFormatListPage::SetShowHints(bool show) {
    FShowHints = show;
    const std::pair<QWidget*, const char*> hints[] = {
        {listExportFormats, "Available export formats"},
        {btnAddExportFormat, "Add a new export format"},
        {btnEditExportFormat, "Edit the selected export format"},
        {btnDeleteExportFormat, "Delete the selected export format"}};
    for (const auto& [control, hint] : hints) {
        control->setProperty("hint", QString::fromLatin1(hint));
        control->setToolTip(show ? QString::fromLatin1(hint) : QString());
    }
}

void TExportFormatListPage::Fill() {
    FPendingDeletions.clear();
    FEntries.clear();
    std::vector<TExportFormatEntry> formats;
    ListExportFormats(formats, false);
    for (TExportFormatEntry& format : formats)
        FEntries.push_back({format.Name, nullptr});
    std::stable_sort(FEntries.begin(), FEntries.end(), [](const TEntry& a, const TEntry& b) {
        return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
    });
    ShowEntries(QString());
}

void TExportFormatListPage::Release() {
    FEntries.clear();
    FPendingDeletions.clear();
    listExportFormats->clear();
    UpdateEnabling();
}

QStringList TExportFormatListPage::FormatNames() const {
    QStringList names;
    for (const TEntry& entry : FEntries)
        names.append(entry.Name);
    return names;
}

bool TExportFormatListPage::HoldsFormat(const QString& name) const {
    return std::any_of(FEntries.begin(), FEntries.end(),
                       [&](const TEntry& entry) { return SameName(entry.Name, name) && entry.Format; });
}

void TExportFormatListPage::ShowEntries(const QString& selectName) {
    const QSignalBlocker blocker(listExportFormats);
    listExportFormats->clear();
    int selected = -1;
    for (const TEntry& entry : FEntries) {
        if (!selectName.isEmpty() && SameName(entry.Name, selectName))
            selected = listExportFormats->count();
        listExportFormats->addItem(entry.Name);
    }
    listExportFormats->setCurrentRow(selected);
    UpdateEnabling();
}

TExportFormatListPage::TEntry* TExportFormatListPage::SelectedEntry() {
    const int row = listExportFormats->currentRow();
    return row >= 0 && row < static_cast<int>(FEntries.size()) ? &FEntries[static_cast<std::size_t>(row)]
                                                               : nullptr;
}

std::vector<TExportFormatListPage::TEntry>::iterator TExportFormatListPage::FindEntry(const QString& name) {
    return std::find_if(FEntries.begin(), FEntries.end(),
                        [&](const TEntry& entry) { return SameName(entry.Name, name); });
}

TExportFormatForm& TExportFormatListPage::FormatEditor() {
    if (!FormatForm)
        FormatForm = new TExportFormatForm(this);
    FormatForm->ShowHints = FShowHints;
    return *FormatForm;
}

void TExportFormatListPage::AddClicked() {
    if (!MayEditAdminData())
        return;
    TakeEdited(FormatEditor().Open(nullptr, FormatNames(), Sources));
}

void TExportFormatListPage::EditClicked() {
    TEntry* entry = SelectedEntry();
    if (!entry)
        return;
    std::unique_ptr<TExportFormat> loaded;
    const TExportFormat* format = entry->Format.get();
    if (!format) {
        loaded = std::make_unique<TExportFormat>();
        const QString error = loaded->Load(entry->Name);
        if (!error.isEmpty()) {
            ShowMessageBox(error, TMsgKind::Error, mbOK);
            return;
        }
        format = loaded.get();
    }
    TakeEdited(FormatEditor().Open(format, FormatNames(), Sources));
}

// The edited format replaces the entry of its name, or becomes a new one; the entry of a name
// it was renamed from stays as it was.
void TExportFormatListPage::TakeEdited(std::unique_ptr<TExportFormat> format) {
    if (!format) {
        UpdateEnabling();
        return;
    }
    const QString name = format->FormatName;
    InsertEntry(name, std::move(format));
    ShowEntries(name);
}

void TExportFormatListPage::InsertEntry(const QString& name, std::unique_ptr<TExportFormat> format) {
    auto existing = FindEntry(name);
    if (existing != FEntries.end())
        FEntries.erase(existing);
    auto at = std::find_if(FEntries.begin(), FEntries.end(), [&](const TEntry& entry) {
        return entry.Name.compare(name, Qt::CaseInsensitive) > 0;
    });
    FEntries.insert(at, TEntry{name, std::move(format)});
}

void TExportFormatListPage::DeleteClicked() {
    TEntry* entry = SelectedEntry();
    if (!entry || !MayEditAdminData())
        return;
    const QString name = entry->Name;
    const bool pending = std::any_of(FPendingDeletions.begin(), FPendingDeletions.end(),
                                     [&](const QString& other) { return SameName(other, name); });
    if (pending)
        return;
    if (ShowMessageBox(QStringLiteral("Delete the \"") + name + QStringLiteral("\" format?"),
                       TMsgKind::Confirmation, mbYesNo) != mrYes)
        return;
    FPendingDeletions.append(name);
    const int row = listExportFormats->currentRow();
    FEntries.erase(FEntries.begin() + row);
    ShowEntries(QString());
    listExportFormats->setCurrentRow(std::min(row, listExportFormats->count() - 1));
}

QString TExportFormatListPage::SaveFormatChanges() {
    const QStringList failedDeletes = DeletePendingFiles();
    QStringList errors;
    bool reloaded = false;
    for (TEntry& entry : FEntries) {
        if (!entry.Format)
            continue;
        const QString error = entry.Format->Save();
        if (error.isEmpty()) {
            entry.Format.reset();
            continue;
        }
        errors.append(error);
        // Somebody else's newer version wins and is read at the next edit; any other failure
        // (a busy lock, a full disk) keeps the edit, so that Apply can save it again.
        if (entry.Format->LastSaveWasConflict()) {
            entry.Format.reset();
            reloaded = true;
        }
    }
    UpdateEnabling();
    QStringList parts;
    if (!failedDeletes.isEmpty())
        parts.append(QStringLiteral("The following formats could not be deleted:\t\r\t\r") +
                     failedDeletes.join(QStringLiteral("\t\r")));
    if (!errors.isEmpty())
        parts.append(
            QStringLiteral("The following formats could not be saved\t\r") +
            (reloaded ? QStringLiteral("(Formats changed by another user have been reloaded; the "
                                       "others keep your changes, so Apply can save them again):")
                      : QStringLiteral("(Your changes are kept, so Apply can save them again):")) +
            QStringLiteral("\t\r\t\r") + errors.join(QStringLiteral("\t\r")));
    return parts.join(QStringLiteral("\t\r\t\r"));
}

// Deletes the files of the formats deleted from the list, every spelling of each; a format
// whose file cannot be deleted comes back to the list, since it still exists.
QStringList TExportFormatListPage::DeletePendingFiles() {
    QStringList failed;
    for (qsizetype i = FPendingDeletions.size() - 1; i >= 0; --i) {
        const QString name = FPendingDeletions[i];
        FPendingDeletions.removeAt(i);
        if (FindEntry(name) != FEntries.end())
            continue; // a new format of that name takes the file's place
        const QStringList left = RemoveExportFormatFiles(name);
        for (const QString& file : left)
            failed.append(QStringLiteral("Cannot delete \"") + file + QLatin1Char('"'));
        if (!left.isEmpty())
            InsertEntry(name, nullptr);
    }
    if (!failed.isEmpty())
        ShowEntries(listExportFormats->currentItem() ? listExportFormats->currentItem()->text()
                                                     : QString());
    return failed;
}

void TExportFormatListPage::ApplyClicked() {
    const QString errors = SaveFormatChanges();
    if (!errors.isEmpty())
        ShowMessageBox(errors, TMsgKind::Warning, mbOK);
    UpdateEnabling();
}

void TExportFormatListPage::UpdateEnabling() {
    const bool may = MayEditAdminData();
    const bool selected = listExportFormats->currentRow() >= 0;
    const bool held = std::any_of(FEntries.begin(), FEntries.end(), [](const TEntry& e) { return e.Format != nullptr; });
    btnAddExportFormat->setEnabled(may);
    btnEditExportFormat->setEnabled(selected);
    btnDeleteExportFormat->setEnabled(may && selected);
    btnApply->setEnabled(may && (held || !FPendingDeletions.isEmpty()));
}
