#include "exportformatform.h"

#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/help.h"
#include "base/messages.h"
#include "reportwindows/selectedusersform.h"
#include "setup/exportcolumnform.h"
#include "setup/listfilling.h"
#include "storage/lists/clients.h"
#include "widgets/exportfiledialog.h"
#include "widgets/toolglyphs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
template <typename T> T* Named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

const QString AllClients = QStringLiteral("All Clients");
const QString AllProjects = QStringLiteral("All Projects");


QToolButton* ArrowButton(QWidget* parent, const char* name, TToolGlyph glyph) {
    auto* button = Named(new QToolButton(parent), name);
    button->setIcon(ToolGlyph(glyph));
    button->setIconSize(QSize(16, 16));
    button->setMinimumSize(30, 26);
    return button;
}

QTreeWidget* NewTree(QWidget* parent, const char* name) {
    auto* tree = Named(new QTreeWidget(parent), name);
    tree->setHeaderHidden(true);
    tree->setMinimumSize(190, 260);
    tree->setRootIsDecorated(true);
    return tree;
}

void SelectText(QComboBox* box, const QString& text, const QString& otherwise) {
    int index = box->findText(text, Qt::MatchFixedString);
    if (index < 0 || text.isEmpty())
        index = box->findText(otherwise);
    box->setCurrentIndex(index);
}
} // namespace

TExportFormatForm::TExportFormatForm(QWidget* parent)
    : QDialog(parent), SaveDialog(PlatformExportFileDialog) {
    setObjectName(QStringLiteral("ExportFormatForm"));
    setModal(true);
    CreateControls();
    ConnectControls();
}

TExportFormatForm::~TExportFormatForm() = default;

void TExportFormatForm::CreateControls() {
    btnOK = Named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setDefault(true);
    btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
    btnHelp = Named(new QPushButton(QStringLiteral("Help"), this), "btnHelp");
    btnHelp->setIcon(ToolGlyph(TToolGlyph::Help));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnHelp);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* right = new QVBoxLayout;
    right->addWidget(CreateSettingsGroup());
    right->addWidget(CreateDefaultsGroup());
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(CreateTreesPanel(), 1);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

QWidget* TExportFormatForm::CreateTreesPanel() {
    auto* panel = new QWidget(this);
    treeAvailable = NewTree(panel, "treeAvailable");
    treeSelected = NewTree(panel, "treeSelected");
    btnIncludeAll = ArrowButton(panel, "btnIncludeAll", TToolGlyph::MoveAllRight);
    btnInclude = ArrowButton(panel, "btnInclude", TToolGlyph::MoveRight);
    btnExclude = ArrowButton(panel, "btnExclude", TToolGlyph::MoveLeft);
    btnExcludeAll = ArrowButton(panel, "btnExcludeAll", TToolGlyph::MoveAllLeft);
    btnUp = ArrowButton(panel, "btnUp", TToolGlyph::SortUp);
    btnDown = ArrowButton(panel, "btnDown", TToolGlyph::SortDown);
    btnAdd = Named(new QPushButton(QStringLiteral("Add..."), panel), "btnAdd");
    btnEdit = Named(new QPushButton(QStringLiteral("Edit..."), panel), "btnEdit");
    btnDelete = Named(new QPushButton(QStringLiteral("Delete"), panel), "btnDelete");
    for (QPushButton* button : {btnAdd, btnEdit, btnDelete})
        button->setAutoDefault(false);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QToolButton* button : {btnIncludeAll, btnInclude, btnExclude, btnExcludeAll})
        moves->addWidget(button);
    moves->addStretch();
    auto* order = new QVBoxLayout;
    order->addStretch();
    order->addWidget(btnUp);
    order->addWidget(btnDown);
    order->addStretch();
    auto* columnButtons = new QHBoxLayout;
    columnButtons->addStretch();
    columnButtons->addWidget(btnAdd);
    columnButtons->addWidget(btnEdit);
    columnButtons->addWidget(btnDelete);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* available = new QLabel(QStringLiteral("Available Data"), panel);
    available->setBuddy(treeAvailable);
    auto* selected = new QLabel(QStringLiteral("Export Selections"), panel);
    selected->setBuddy(treeSelected);
    grid->addWidget(available, 0, 0);
    grid->addWidget(selected, 0, 2);
    grid->addWidget(treeAvailable, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(treeSelected, 1, 2);
    grid->addLayout(order, 1, 3);
    grid->addLayout(columnButtons, 2, 2);
    grid->setRowStretch(1, 1);
    return panel;
}

QWidget* TExportFormatForm::CreateSettingsGroup() {
    auto* group = Named(new QGroupBox(QStringLiteral("Export Settings"), this), "gbxExportSettings");
    edtName = Named(new QLineEdit(group), "edtName");
    edtDescription = Named(new QLineEdit(group), "edtDescription");
    rbTab = Named(new QRadioButton(QStringLiteral("Tab"), group), "rbTab");
    rbComma = Named(new QRadioButton(QStringLiteral("Comma"), group), "rbComma");
    rbOther = Named(new QRadioButton(QStringLiteral("Other:"), group), "rbOther");
    edtOther = Named(new QLineEdit(group), "edtOther");
    edtOther->setMaxLength(1);
    edtOther->setMaximumWidth(30);
    edtDelimiterReplace = Named(new QLineEdit(group), "edtDelimiterReplace");
    edtDelimiterReplace->setMaxLength(1);
    edtDelimiterReplace->setMaximumWidth(30);
    chkUseHeadings = Named(new QCheckBox(QStringLiteral("Use headings"), group), "chkUseHeadings");
    chkBlankRows = Named(new QCheckBox(QStringLiteral("Blank rows between groups"), group), "chkBlankRows");
    cmbBlankRows = Named(new QComboBox(group), "cmbBlankRows");
    cmbBlankRows->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                            QStringLiteral("4"), QStringLiteral("5")});

    auto* delimiter = new QHBoxLayout;
    delimiter->addWidget(rbTab);
    delimiter->addWidget(rbComma);
    delimiter->addWidget(rbOther);
    delimiter->addWidget(edtOther);
    delimiter->addStretch();
    auto* blank = new QHBoxLayout;
    blank->addWidget(chkBlankRows);
    blank->addWidget(cmbBlankRows);
    blank->addStretch();
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), group), 0, 0);
    grid->addWidget(edtName, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Description:"), group), 1, 0);
    grid->addWidget(edtDescription, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Delimiter:"), group), 2, 0);
    grid->addLayout(delimiter, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Replacement:"), group), 3, 0);
    grid->addWidget(edtDelimiterReplace, 3, 1, Qt::AlignLeft);
    grid->addWidget(chkUseHeadings, 4, 1);
    grid->addLayout(blank, 5, 1);
    return group;
}

QWidget* TExportFormatForm::CreateDefaultsGroup() {
    auto* group = Named(new QGroupBox(QStringLiteral("Defaults"), this), "gbxDefaults");
    cmbPeriod = Named(new QComboBox(group), "cmbPeriod");
    cmbPeriod->addItems({QStringLiteral("This week"), QStringLiteral("Last week"),
                         QStringLiteral("This month"), QStringLiteral("Last month"),
                         QStringLiteral("This year")});
    cmbUser = Named(new QComboBox(group), "cmbUser");
    btnUsers = Named(new QPushButton(QStringLiteral("..."), group), "btnUsers");
    btnUsers->setAutoDefault(false);
    btnUsers->setMaximumWidth(32);
    cmbClient = Named(new QComboBox(group), "cmbClient");
    cmbProject = Named(new QComboBox(group), "cmbProject");
    chkActiveClients = Named(new QCheckBox(QStringLiteral("Show Active"), group), "chkActiveClients");
    cmbCharging = Named(new QComboBox(group), "cmbCharging");
    cmbCharging->addItems({QStringLiteral("Include all"), QStringLiteral("Chargeable only"),
                           QStringLiteral("Not chargeble only")});
    chkOvertime = Named(new QCheckBox(QStringLiteral("Include overtime"), group), "chkOvertime");
    edtFileName = Named(new QLineEdit(group), "edtFileName");
    edtFileName->setMinimumWidth(200);
    btnBrowse = Named(new QPushButton(QStringLiteral("..."), group), "btnBrowse");
    btnBrowse->setAutoDefault(false);
    btnBrowse->setMaximumWidth(32);

    auto* grid = new QGridLayout(group);
    const auto row = [&](int at, const QString& caption, QWidget* field, QWidget* extra) {
        grid->addWidget(new QLabel(caption, group), at, 0);
        grid->addWidget(field, at, 1);
        if (extra)
            grid->addWidget(extra, at, 2);
    };
    row(0, QStringLiteral("Period:"), cmbPeriod, nullptr);
    row(1, QStringLiteral("User:"), cmbUser, btnUsers);
    row(2, QStringLiteral("Client:"), cmbClient, chkActiveClients);
    row(3, QStringLiteral("Project:"), cmbProject, nullptr);
    row(4, QStringLiteral("Charging:"), cmbCharging, nullptr);
    grid->addWidget(chkOvertime, 5, 1);
    row(6, QStringLiteral("File:"), edtFileName, btnBrowse);
    return group;
}

void TExportFormatForm::ConnectControls() {
    connect(btnInclude, &QToolButton::clicked, this, [this] { IncludeClicked(); });
    connect(btnIncludeAll, &QToolButton::clicked, this, [this] { IncludeAllClicked(); });
    connect(btnExclude, &QToolButton::clicked, this, [this] { ExcludeClicked(); });
    connect(btnExcludeAll, &QToolButton::clicked, this, [this] { ExcludeAllClicked(); });
    connect(btnUp, &QToolButton::clicked, this, [this] { MoveClicked(-1); });
    connect(btnDown, &QToolButton::clicked, this, [this] { MoveClicked(1); });
    connect(btnAdd, &QPushButton::clicked, this, [this] { AddClicked(); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { EditClicked(); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { DeleteClicked(); });
    connect(treeSelected, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) {
        if (node && node->parent())
            EditClicked();
    });
    connect(treeAvailable, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) {
        if (node && node->parent() && btnInclude->isEnabled())
            IncludeClicked();
    });
    for (QTreeWidget* tree : {treeAvailable, treeSelected})
        connect(tree, &QTreeWidget::currentItemChanged, this, [this] { UpdateEnabling(); });
    connect(edtName, &QLineEdit::textChanged, this, [this] { UpdateCaption(); });
    for (QRadioButton* button : {rbTab, rbComma, rbOther})
        connect(button, &QRadioButton::toggled, this, [this] { UpdateEnabling(); });
    connect(chkBlankRows, &QCheckBox::toggled, this, [this](bool on) { BlankRowsToggled(on); });
    connect(cmbUser, &QComboBox::currentIndexChanged, this, [this] {
        FillClientLists();
        UpdateEnabling();
    });
    connect(btnUsers, &QPushButton::clicked, this, [this] { UsersClicked(); });
    connect(chkActiveClients, &QCheckBox::clicked, this, [this] { FillClientLists(); });
    connect(cmbClient, &QComboBox::currentIndexChanged, this, [this] { FillClientLists(); });
    connect(btnBrowse, &QPushButton::clicked, this, [this] { BrowseClicked(); });
    connect(btnOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, [] { ShowHelpTopic(QStringLiteral("Export Formats.htm")); });
    treeAvailable->installEventFilter(this);
    treeSelected->installEventFilter(this);
}

bool TExportFormatForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    QAbstractButton* command = nullptr;
    if (watched == treeAvailable && enter)
        command = btnInclude;
    else if (watched == treeSelected && enter)
        command = btnEdit;
    else if (watched == treeSelected && key == Qt::Key_Delete)
        command = btnExclude;
    if (!command)
        return QDialog::eventFilter(watched, event);
    // The key is the command's, not the dialog's default button's.
    if (command->isEnabled())
        command->click();
    return true;
}

void TExportFormatForm::SetHints() {
    const std::pair<QWidget*, const char*> hints[] = {
        {treeAvailable, "Data available for selection"},
        {treeSelected, "The data selected for the export file"},
        {edtName, "Name of the export format"},
        {edtDescription, "A description of the export format"},
        {rbTab, "Use Tab characters to delimit export columns"},
        {rbComma, "Use Comma characters to delimit export columns"},
        {rbOther, "Use an entered character to delimit export columns"},
        {edtOther, "Enter a character to delimit export columns"},
        {chkUseHeadings, "Export a heading for each data column"},
        {chkBlankRows, "Create blank rows between groups"},
        {cmbBlankRows, "Number of blank rows"},
        {cmbPeriod, "Choose a default period for the export"},
        {cmbUser, "Choose a default user or workgroup for the export"},
        {btnUsers, "Add and remove individual users from the default export"},
        {cmbClient, "Choose a default client (all clients, or a selected client)"},
        {cmbProject, "Choose a default project (all projects, or a selected project)"},
        {chkActiveClients, "Only show active clients in the client list"},
        {cmbCharging, "Choose a default filter for chargeability"},
        {chkOvertime, "Choose the default for including overtime hours (otherwise overtime data is "
                      "not exported)"},
        {edtFileName, "Choose a default file name for the export data"},
        {btnIncludeAll, "Include all data in the export file"},
        {btnInclude, "Include selected data in the export file"},
        {btnExclude, "Remove selected data from selection in the export file"},
        {btnExcludeAll, "Remove all data from selection in the export file"},
        {btnAdd, "Add a custom column"},
        {btnEdit, "Edit the details of the selected column"},
        {btnDelete, "Delete the selected column"},
        {btnHelp, "Help"}};
    for (const auto& [control, hint] : hints) {
        control->setProperty("hint", QString::fromLatin1(hint));
        control->setToolTip(ShowHints ? QString::fromLatin1(hint) : QString());
    }
}

void TExportFormatForm::Configure(const TExportFormat* format, const QStringList& formatNames,
                                  const TExportFormatSources& sources) {
    FFormat = format ? format->Copy() : std::make_unique<TExportFormat>();
    FOriginalName = format ? format->FormatName : QString();
    FFormatNames = formatNames;
    FSources = sources;
    FAccepted = false;
    SetHints();
    FillAvailable();
    FillSelected();
    SelectFirstNodes();
    FillSettings();
    FillUsers();
    {
        const QSignalBlocker blocker(chkActiveClients);
        chkActiveClients->setChecked(FFormat->ActiveClientProjects);
    }
    FillClientLists();
    {
        const QSignalBlocker blocker(cmbClient);
        SelectText(cmbClient, FFormat->Client, AllClients);
    }
    FillClientLists();
    SelectText(cmbProject, FFormat->Project, AllProjects);
    cmbCharging->setCurrentIndex(static_cast<int>(FFormat->Charging));
    chkOvertime->setChecked(FFormat->Overtime);
    edtFileName->setText(FFormat->FileDir + FFormat->FileName);
    UpdateEnabling();
    UpdateCaption();
}

void TExportFormatForm::FillSettings() {
    edtName->setText(FFormat->FormatName);
    edtDescription->setText(FFormat->FormatDescription);
    edtOther->clear();
    if (FFormat->Delimiter == '\t')
        rbTab->setChecked(true);
    else if (FFormat->Delimiter == ',')
        rbComma->setChecked(true);
    else {
        rbOther->setChecked(true);
        edtOther->setText(QString(QChar(FFormat->Delimiter)));
    }
    edtDelimiterReplace->setText(FFormat->DelimiterReplace > 0 ? QString(QChar(FFormat->DelimiterReplace))
                                                               : QString());
    chkUseHeadings->setChecked(FFormat->Headings);
    {
        const QSignalBlocker blocker(chkBlankRows);
        chkBlankRows->setChecked(FFormat->BlankRows != 0);
    }
    // A hand-made file may ask for more rows than the box offers: then none is selected.
    cmbBlankRows->setCurrentIndex(FFormat->BlankRows >= 1 && FFormat->BlankRows <= 5 ? FFormat->BlankRows - 1
                                                                                   : -1);
    cmbPeriod->setCurrentIndex(FFormat->Period >= 0 && FFormat->Period < cmbPeriod->count() ? FFormat->Period : 0);
}

int TExportFormatForm::UserCount() const {
    if (!FSources.Users)
        return 0;
    const TServerUsers& users = *FSources.Users;
    if (users.size() == 1 && users.front().Name() == CurrentUserName())
        return 0;
    return static_cast<int>(users.size());
}

void TExportFormatForm::FillUsers() {
    const QSignalBlocker blocker(cmbUser);
    cmbUser->clear();
    cmbUser->addItem(CurrentUserName());
    const int count = UserCount();
    if (count > 0) {
        cmbUser->addItem(QStringLiteral("All Users (") + QString::number(count) + QLatin1Char(')'));
        if (FFormat->Users.isEmpty()) {
            for (const TServerUser& user : *FSources.Users)
                FFormat->Users.append(user.Name());
            cmbUser->setCurrentIndex(1);
        }
    }
    cmbUser->setEnabled(count > 0);
    UpdateUsersDisplay();
}

void TExportFormatForm::UpdateUsersDisplay() {
    const int count = UserCount();
    if (count == 0)
        return;
    const QSignalBlocker blocker(cmbUser);
    QStringList& users = FFormat->Users;
    if (users.size() == 1 && users.front() == CurrentUserName()) {
        users.clear();
        for (const TServerUser& user : *FSources.Users)
            users.append(user.Name());
        cmbUser->setItemText(1, QStringLiteral("All Users (") + QString::number(count) + QLatin1Char(')'));
        cmbUser->setCurrentIndex(0);
        return;
    }
    if (users.size() < count)
        cmbUser->setItemText(1, QStringLiteral("Selected Users (") + QString::number(users.size()) +
                                    QStringLiteral(" of ") + QString::number(count) + QLatin1Char(')'));
    else
        cmbUser->setItemText(1, QStringLiteral("All Users (") + QString::number(count) + QLatin1Char(')'));
    cmbUser->setCurrentIndex(1);
}

void TExportFormatForm::UsersClicked() {
    const TServerUsers& all = *FSources.Users;
    TServerUsers selection;
    for (const TServerUser& user : all)
        if (FFormat->Users.contains(user.Name()))
            selection.push_back(user);
    const qsizetype missing = FFormat->Users.size() - static_cast<qsizetype>(selection.size());
    if (missing > 0)
        ShowMessageBox(QString::number(missing) + QStringLiteral(" previously selected default user ") +
                           (missing == 1 ? QStringLiteral("name is") : QStringLiteral("names are")) +
                           QStringLiteral(" no longer available"),
                       TMsgKind::Information, mbOK);
    if (TSelectedUsersForm::Execute(this, all, selection, false)) {
        FFormat->Users.clear();
        for (const TServerUser& user : selection)
            FFormat->Users.append(user.Name());
    }
    UpdateUsersDisplay();
    FillClientLists();
    UpdateEnabling();
}

void TExportFormatForm::FillClientLists() {
    if (FFillingClients)
        return;
    FFillingClients = true;
    const QString client = cmbClient->currentText();
    const QString project = cmbProject->currentText();
    const bool active = chkActiveClients->isChecked();
    const TClients* source = FSources.InUseClients;
    if (active)
        source = FSources.AdminClients;
    else if (cmbUser->currentIndex() == 1)
        source = FSources.ScanClients;
    const TClients none;
    if (!source)
        source = &none;
    FillClientBox(*source, cmbClient, active);
    cmbClient->insertItem(0, AllClients);
    SelectText(cmbClient, client, AllClients);
    cmbProject->clear();
    const bool clientChosen = cmbClient->currentIndex() > 0;
    if (clientChosen)
        FillProjectBox(*source, cmbClient->currentText(), cmbProject, active);
    cmbProject->setEnabled(clientChosen);
    cmbProject->insertItem(0, AllProjects);
    SelectText(cmbProject, project, AllProjects);
    FFillingClients = false;
    UpdateEnabling();
}

void TExportFormatForm::BrowseClicked() {
    BrowseExportFile(edtFileName, SaveDialog,
                     rbComma->isChecked() ? QStringLiteral(".csv") : QStringLiteral(".txt"));
}

void TExportFormatForm::BlankRowsToggled(bool checked) {
    cmbBlankRows->setCurrentIndex(checked ? 0 : -1);
    UpdateEnabling();
}

void TExportFormatForm::UpdateCaption() {
    setWindowTitle(QStringLiteral("Export Format - ") + edtName->text());
}

void TExportFormatForm::UpdateEnabling() {
    const bool may = MayEditAdminData();
    QTreeWidgetItem* selected = treeSelected->currentItem();
    const auto hasSibling = [&](int direction) {
        if (!selected)
            return false;
        const QTreeWidgetItem* parent = selected->parent();
        const int index = parent ? parent->indexOfChild(selected) : treeSelected->indexOfTopLevelItem(selected);
        const int count = parent ? parent->childCount() : treeSelected->topLevelItemCount();
        return index + direction >= 0 && index + direction < count;
    };
    const TExportItem* column = SelectedColumn();
    btnIncludeAll->setEnabled(may && treeAvailable->topLevelItemCount() > 0);
    btnInclude->setEnabled(btnIncludeAll->isEnabled() && treeAvailable->currentItem());
    btnExcludeAll->setEnabled(may && treeSelected->topLevelItemCount() > 0);
    btnExclude->setEnabled(may && selected);
    btnUp->setEnabled(may && hasSibling(-1));
    btnDown->setEnabled(may && hasSibling(1));
    btnAdd->setEnabled(may && treeSelected->topLevelItemCount() > 0);
    btnDelete->setEnabled(may && column && column->IsUserDefined());
    btnEdit->setEnabled(column != nullptr);
    // Without the right to change formats every setting is shown, none can be changed.
    for (QWidget* control : std::initializer_list<QWidget*>{
             edtName, edtDescription, chkUseHeadings, rbTab, rbComma, rbOther,
             edtDelimiterReplace, chkBlankRows, cmbPeriod, cmbUser, cmbCharging, chkOvertime,
             edtFileName, btnBrowse})
        control->setEnabled(may);
    edtOther->setEnabled(may && rbOther->isChecked());
    cmbBlankRows->setEnabled(may && chkBlankRows->isChecked());
    cmbClient->setEnabled(may);
    cmbProject->setEnabled(may && cmbClient->currentIndex() > 0);
    chkActiveClients->setEnabled(cmbClient->isEnabled());
    btnUsers->setEnabled(may && cmbUser->currentIndex() == 1);
    btnOK->setEnabled(may && treeSelected->topLevelItemCount() > 0);
    UpdateMoveHints();
}

void TExportFormatForm::UpdateMoveHints() {
    const QTreeWidgetItem* selected = treeSelected->currentItem();
    QString up = QStringLiteral("Change order of the selected group or column in the export file");
    QString down = up;
    if (selected && !selected->parent()) {
        up = QStringLiteral("Move the selected group to an earlier position in the export file");
        down = QStringLiteral("Move the selected group to a later position in the export file");
    } else if (selected) {
        up = QStringLiteral("Move the selected column to an earlier position (left) in the export file");
        down = QStringLiteral("Move the selected column to a later position (right) in the export file");
    }
    btnUp->setProperty("hint", up);
    btnDown->setProperty("hint", down);
    btnUp->setToolTip(ShowHints ? up : QString());
    btnDown->setToolTip(ShowHints ? down : QString());
}

QString TExportFormatForm::CheckFields(QWidget*& field) const {
    const QString replacement = edtDelimiterReplace->text();
    if (rbOther->isChecked() && edtOther->text().isEmpty()) {
        field = edtOther;
        return QStringLiteral("Enter a character to use as a delimiter");
    }
    if (replacement.isEmpty()) {
        field = edtDelimiterReplace;
        return QStringLiteral("Enter a character to use as a delimiter replacement");
    }
    const int delimiter = HeaderFromFields().Delimiter;
    if (replacement.front().unicode() == delimiter) {
        field = edtDelimiterReplace;
        return QStringLiteral("The delimiter replacement character must be different from the delimiter");
    }
    const QString file = edtFileName->text();
    if (!file.isEmpty() && !CanCreateFile(QFileInfo(file).absoluteFilePath())) {
        field = edtFileName;
        return QLatin1Char('"') + file + QStringLiteral("\" is not a valid file name");
    }
    return {};
}

TExportHeader TExportFormatForm::HeaderFromFields() const {
    TExportHeader header;
    header.Name = edtName->text();
    header.Description = edtDescription->text();
    const QString file = edtFileName->text();
    header.OutputPath = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    header.Overtime = chkOvertime->isChecked();
    header.Charging = static_cast<TCharging>(std::max(0, cmbCharging->currentIndex()));
    header.ActiveClientProjects = chkActiveClients->isChecked();
    header.Client = cmbClient->currentIndex() > 0 ? cmbClient->currentText() : QString();
    header.Project = !header.Client.isEmpty() && cmbProject->currentIndex() > 0 ? cmbProject->currentText()
                                                                                : QString();
    header.Period = std::max(0, cmbPeriod->currentIndex());
    const QString replacement = edtDelimiterReplace->text();
    header.DelimiterReplace = replacement.isEmpty() ? 0 : replacement.front().unicode();
    if (rbTab->isChecked())
        header.Delimiter = '\t';
    else if (rbComma->isChecked())
        header.Delimiter = ',';
    else
        header.Delimiter = edtOther->text().isEmpty() ? 0 : edtOther->text().front().unicode();
    header.SkipEmptyGroups = false;
    // Checked without a number (a hand-made file with more rows than the box offers) keeps the
    // stored number.
    header.BlankRows = !chkBlankRows->isChecked() ? 0
                       : cmbBlankRows->currentIndex() >= 0 ? cmbBlankRows->currentIndex() + 1
                                                          : FFormat->BlankRows;
    header.Headings = chkUseHeadings->isChecked();
    return header;
}

void TExportFormatForm::StoreUsers() {
    if (cmbUser->currentIndex() <= 0)
        FFormat->Users = QStringList{CurrentUserName()};
    else if (FFormat->Users.size() >= UserCount())
        FFormat->Users.clear(); // an empty list stands for every user
}

bool TExportFormatForm::ConfirmName() {
    const QString name = FFormat->FormatName;
    if (!FOriginalName.isEmpty() && SameAsciiText(FOriginalName, name))
        return true;
    for (const QString& listed : FFormatNames)
        if (listed.compare(name, Qt::CaseInsensitive) == 0) {
            if (ShowMessageBox(QLatin1Char('"') + name + QStringLiteral("\" already exists - replace it?"),
                               TMsgKind::Warning, mbYesNo) != mrYes)
                return false;
            break;
        }
    // Saved under a new name the format is a new file: no earlier version to compare with.
    FFormat->MarkNew();
    return true;
}

void TExportFormatForm::OkClicked() {
    QWidget* field = nullptr;
    QString error = CheckFields(field);
    if (error.isEmpty()) {
        // A refused name leaves the working copy as it was.
        error = FFormat->SetHeader(HeaderFromFields());
        field = edtName;
    }
    if (!error.isEmpty()) {
        ShowMessageBox(error, TMsgKind::Error, mbOK);
        field->setFocus();
        return;
    }
    const QStringList users = FFormat->Users;
    StoreUsers();
    if (!ConfirmName()) {
        FFormat->Users = users;
        return;
    }
    FAccepted = true;
    accept();
}

std::unique_ptr<TExportFormat> TExportFormatForm::Open(const TExportFormat* format,
                                                       const QStringList& formatNames,
                                                       const TExportFormatSources& sources) {
    Configure(format, formatNames, sources);
    exec();
    return TakeFormat();
}

std::unique_ptr<TExportFormat> TExportFormatForm::TakeFormat() {
    if (!FAccepted)
        return nullptr;
    FAccepted = false;
    return std::move(FFormat);
}
