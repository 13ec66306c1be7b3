#include "exportcolumnform.h"

#include "base/textutils.h"

#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/messages.h"
#include "export/datetimepicture.h"
#include "export/exportformat.h"
#include "export/exportitem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace {
template <typename T> T* Named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

const QString LocalSettings = QStringLiteral("Local Settings");

// A time picture without its first ":ss".
QString WithoutSeconds(QString picture) {
    const qsizetype at = picture.indexOf(QStringLiteral(":ss"));
    if (at >= 0)
        picture.remove(at, 3);
    return picture;
}

QString CaseSample(const QString& text, const QString& format) {
    if (format == QStringLiteral("Upper case"))
        return text.toUpper();
    if (format == QStringLiteral("Lower case"))
        return text.toLower();
    return text;
}

void AppendOnce(QStringList& list, const QString& entry) {
    if (!entry.isEmpty() && !list.contains(entry))
        list.append(entry);
}
} // namespace

QStringList ExportColumnFormats(TExportFieldType type) {
    QStringList formats;
    switch (type) {
    case TExportFieldType::Date:
        formats.append(LocalSettings);
        for (const QString& picture : DatePictures())
            AppendOnce(formats, picture);
        break;
    case TExportFieldType::Time:
        formats.append(LocalSettings);
        for (const QString& picture : TimePictures())
            AppendOnce(formats, WithoutSeconds(picture));
        break;
    case TExportFieldType::Text:
        formats = {QStringLiteral("As entered"), QStringLiteral("Upper case"), QStringLiteral("Lower case")};
        break;
    case TExportFieldType::Code:
        formats = {QStringLiteral("As selected"), QStringLiteral("Upper case"), QStringLiteral("Lower case")};
        break;
    case TExportFieldType::Number:
        formats = {QStringLiteral("n"), QStringLiteral("n.n"), QStringLiteral("n.nn")};
        break;
    case TExportFieldType::TrueFalse:
        formats = {QStringLiteral("True/False"), QStringLiteral("Yes/No"), QStringLiteral("Y/N"),
                   QStringLiteral("1/0")};
        break;
    case TExportFieldType::Currency:
        formats = {QStringLiteral("n.nn"), LocaleCurrencySymbol() + QStringLiteral("n.nn")};
        break;
    }
    return formats;
}

QString ExportColumnDefaultFormat(TExportFieldType type) {
    switch (type) {
    case TExportFieldType::Number:
    case TExportFieldType::Currency:
        return QStringLiteral("n.nn");
    case TExportFieldType::TrueFalse:
        return QStringLiteral("Y/N");
    default:
        return ExportColumnFormats(type).front();
    }
}

QString ExportColumnSample(TExportFieldType type, const QString& format) {
    switch (type) {
    case TExportFieldType::Date:
        return FormatDatePicture(QDate::currentDate(),
                                 format == LocalSettings ? LocalShortDatePicture() : format);
    case TExportFieldType::Time:
        return FormatTimePicture(QTime::currentTime(),
                                 format == LocalSettings ? LocalTimePicture() : format);
    case TExportFieldType::Text:
        return CaseSample(QStringLiteral("Text data"), format);
    case TExportFieldType::Code:
        return CaseSample(QStringLiteral("FOC"), format);
    case TExportFieldType::Number:
        if (format == QStringLiteral("n"))
            return QStringLiteral("9");
        return format == QStringLiteral("n.n") ? QStringLiteral("9.9") : QStringLiteral("9.99");
    case TExportFieldType::TrueFalse:
        if (format == QStringLiteral("True/False"))
            return QStringLiteral("True");
        if (format == QStringLiteral("Yes/No"))
            return QStringLiteral("Yes");
        return format == QStringLiteral("1/0") ? QStringLiteral("1") : QStringLiteral("Y");
    case TExportFieldType::Currency:
        return format.size() >= 5 ? LocaleCurrencySymbol() + QStringLiteral("9.99")
                                  : QStringLiteral("9.99");
    }
    return {};
}

TExportColumnForm::TExportColumnForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportColumnForm"));
    setModal(true);
    CreateControls();
}

void TExportColumnForm::CreateControls() {
    edtHeading = Named(new QLineEdit(this), "edtHeading");
    edtName = Named(new QLineEdit(this), "edtName");
    edtValue = Named(new QLineEdit(this), "edtValue");
    edtType = Named(new QLineEdit(this), "edtType");
    edtType->setReadOnly(true);
    edtType->setEnabled(false);
    cmbFormat = Named(new QComboBox(this), "cmbFormat");
    cmbFormat->setMinimumWidth(160);
    txtSample = Named(new QLabel(this), "txtSample");
    txtSample->setFrameShape(QFrame::StyledPanel);
    txtSample->setMinimumWidth(120);
    chkMergeFollowing = Named(new QCheckBox(QStringLiteral("Merge the following column"), this),
                              "chkMergeFollowing");
    edtSeparator = Named(new QLineEdit(this), "edtSeparator");
    edtSeparator->setMaximumWidth(80);
    btnOK = Named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setDefault(true);
    btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");

    auto* layout = new QVBoxLayout(this);
    pnlHeading = AddRow("pnlHeading", QStringLiteral("Heading:"), edtHeading);
    pnlName = AddRow("pnlName", QStringLiteral("Name:"), edtName);
    lblName = pnlName->findChild<QLabel*>();
    lblName->setObjectName(QStringLiteral("lblName"));
    pnlValue = AddRow("pnlValue", QStringLiteral("Value:"), edtValue);
    pnlData = AddRow("pnlData", QStringLiteral("Type:"), edtType);
    auto* dataRow = static_cast<QHBoxLayout*>(pnlData->layout());
    dataRow->addWidget(new QLabel(QStringLiteral("Format:"), pnlData));
    dataRow->addWidget(cmbFormat);
    dataRow->addWidget(txtSample);
    pnlMerge = Named(new QWidget(this), "pnlMerge");
    auto* merge = new QHBoxLayout(pnlMerge);
    merge->setContentsMargins(0, 0, 0, 0);
    merge->addWidget(chkMergeFollowing);
    merge->addStretch();
    merge->addWidget(new QLabel(QStringLiteral("Separator:"), pnlMerge));
    merge->addWidget(edtSeparator);
    for (QWidget* row : {pnlHeading, pnlName, pnlValue, pnlData, pnlMerge})
        layout->addWidget(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // A hidden row takes no room and the window shrinks by its height.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmbFormat, &QComboBox::currentTextChanged, this, [this] { UpdateSample(); });
    connect(chkMergeFollowing, &QCheckBox::toggled, edtSeparator, &QWidget::setEnabled);
    connect(btnOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TExportColumnForm::AddRow(const char* name, const QString& caption, QWidget* field) {
    auto* row = Named(new QWidget(this), name);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, row);
    label->setMinimumWidth(60);
    label->setBuddy(field);
    layout->addWidget(label);
    field->setParent(row);
    layout->addWidget(field, 1);
    return row;
}

void TExportColumnForm::SetHints() {
    const std::pair<QWidget*, const char*> hints[] = {
        {edtHeading, "Enter the heading for this export field"},
        {edtName, "Enter the name for this export field"},
        {edtValue, "Enter a value for this export field"},
        {cmbFormat, "Select the format for this export field"},
        {txtSample, "Format sample"},
        {chkMergeFollowing,
         "Check this option to merge the following column data with this column's"},
        {edtSeparator, "Enter optional separator text to place between the merged column data"}};
    for (const auto& [control, hint] : hints)
        control->setToolTip(ShowHints ? QString::fromLatin1(hint) : QString());
}

void TExportColumnForm::Configure(TExportItem& column, const TExportFormat& format,
                                  bool showHeading, bool merged, bool last) {
    FColumn = &column;
    FFormat = &format;
    setWindowTitle(merged ? QStringLiteral("Export Column (merged)") : QStringLiteral("Export Column"));
    SetHints();
    const bool userDefined = column.IsUserDefined();
    pnlHeading->setVisible(showHeading);
    pnlValue->setVisible(userDefined);
    pnlMerge->setVisible(!last);
    edtName->setText(column.DisplayName());
    edtHeading->setText(column.FieldHeading);
    edtType->setText(ExportTypeWord(column.FieldType));
    edtValue->setText(column.FieldValue);
    FillFormats();
    UpdateSample();
    chkMergeFollowing->setChecked(column.FieldMergeFollowing);
    edtSeparator->setText(column.FieldSeparator);

    const bool may = MayEditAdminData();
    edtName->setEnabled(may && userDefined);
    for (QWidget* control : std::initializer_list<QWidget*>{edtHeading, edtValue, cmbFormat,
                                                            chkMergeFollowing, btnOK})
        control->setEnabled(may);
    edtSeparator->setEnabled(may && column.FieldMergeFollowing);
    SetFirstFocus();
}

void TExportColumnForm::FillFormats() {
    const TExportFieldType type = FColumn->FieldType;
    QString format = FColumn->FieldFormat;
    if (format.isEmpty())
        format = ExportColumnDefaultFormat(type);
    if (type == TExportFieldType::Time)
        format = WithoutSeconds(format);
    const QSignalBlocker blocker(cmbFormat);
    cmbFormat->clear();
    const QStringList formats = ExportColumnFormats(type);
    cmbFormat->addItems(formats);
    for (int index = 0; index < formats.size(); ++index)
        if (formats[index].compare(format, Qt::CaseInsensitive) == 0) {
            cmbFormat->setCurrentIndex(index);
            return;
        }
    cmbFormat->setCurrentIndex(-1);
}

void TExportColumnForm::UpdateSample() {
    txtSample->setText(FColumn ? ExportColumnSample(FColumn->FieldType, cmbFormat->currentText())
                               : QString());
}

void TExportColumnForm::SetFirstFocus() {
    if (pnlHeading->isVisibleTo(this) && edtHeading->isEnabled())
        edtHeading->setFocus();
    else if (edtName->isEnabled())
        edtName->setFocus();
    else
        cmbFormat->setFocus();
}

bool TExportColumnForm::Open(TExportItem& column, const TExportFormat& format, bool showHeading,
                             bool merged, bool last) {
    Configure(column, format, showHeading, merged, last);
    return exec() == QDialog::Accepted;
}

QString TExportColumnForm::NameError() const {
    const QString name = edtName->text();
    // The format files cannot hold a user-defined column without a name.
    if (name.trimmed().isEmpty())
        return QStringLiteral("Enter a name for this export field");
    if (HasControlCharacter(name))
        return ControlCharacterInNameText;
    const TExportItem* same = FFormat->FindItem(name, FColumn->FieldArea);
    if (same && same != FColumn)
        return QLatin1Char('"') + name + QStringLiteral("\" is not a unique name - please enter another field name");
    return {};
}

void TExportColumnForm::OkClicked() {
    if (FColumn->IsUserDefined()) {
        const QString error = NameError();
        if (!error.isEmpty()) {
            ShowMessageBox(error, TMsgKind::Error, mbOK);
            edtName->setFocus();
            return;
        }
        FColumn->Name = edtName->text();
        FColumn->FieldValue = edtValue->text();
    }
    FColumn->FieldHeading = edtHeading->text();
    FColumn->FieldFormat = cmbFormat->currentText();
    FColumn->FieldMergeFollowing = chkMergeFollowing->isChecked();
    FColumn->FieldSeparator = chkMergeFollowing->isChecked() ? edtSeparator->text() : QString();
    accept();
}
