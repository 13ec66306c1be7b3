#pragma once

#include "setup/exportformatform.h"

#include <memory>
#include <vector>

#include <QStringList>
#include <QWidget>

class QListWidget;
class QPushButton;

// The set-up window's "Export Format" page: the export formats of the data location, with
// add, edit and delete for users who may change administration data. Edited formats and
// deletions are held on the page until Apply or the set-up window's OK saves them
// (SaveFormatChanges); Release drops what was not saved.
class TExportFormatListPage : public QWidget {
    Q_OBJECT
public:
    explicit TExportFormatListPage(QWidget* parent = nullptr);
    ~TExportFormatListPage() override;

    // When the set-up window is shown: no pending deletions, the list from the format files.
    void Fill();
    // Deletes the files of pending deletions no entry took over (every spelling of each name),
    // then saves every held format. What the user is told: the formats that could not be
    // deleted (listed again) and those that could not be saved (still held, unless another
    // user's change was the reason), each under its heading; empty when all went well.
    QString SaveFormatChanges();
    // When the set-up window is hidden: held formats and pending deletions are dropped.
    void Release();
    // The names listed, in list order.
    QStringList FormatNames() const;
    // Whether the entry of that name holds an edited format not yet saved.
    bool HoldsFormat(const QString& name) const;
    const QStringList& PendingDeletions() const { return FPendingDeletions; }

    // What the format editor shows besides the format (the set-up window's server scan and
    // the main window's client lists).
    TExportFormatSources Sources;
    void SetShowHints(bool show);

    QListWidget* listExportFormats = nullptr;
    QPushButton* btnAddExportFormat = nullptr;
    QPushButton* btnEditExportFormat = nullptr;
    QPushButton* btnDeleteExportFormat = nullptr;
    QPushButton* btnApply = nullptr;
    // The format editor, made when first needed.
    TExportFormatForm* FormatForm = nullptr;

private:
    struct TEntry {
        QString Name;
        std::unique_ptr<TExportFormat> Format; // held until saved; none for the file as it is
    };

    void CreateControls();
    void ShowEntries(const QString& selectName);
    TEntry* SelectedEntry();
    std::vector<TEntry>::iterator FindEntry(const QString& name);
    // Puts an entry in its place by name, replacing one of the same name.
    void InsertEntry(const QString& name, std::unique_ptr<TExportFormat> format);
    QStringList DeletePendingFiles();
    TExportFormatForm& FormatEditor();
    void AddClicked();
    void EditClicked();
    void DeleteClicked();
    void ApplyClicked();
    void TakeEdited(std::unique_ptr<TExportFormat> format);
    void UpdateEnabling();

    std::vector<TEntry> FEntries; // sorted by name, letter case ignored
    QStringList FPendingDeletions;
    bool FShowHints = true;
};
