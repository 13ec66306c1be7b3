#include "base/applocale.h"
#include "base/datalocations.h"
#include "export/exportformat.h"
#include "export/exportitem.h"
#include "localepin.h"
#include "setup/exportcolumnform.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

class ExportColumnForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Form = std::make_unique<TExportColumnForm>();
        Form->show();
    }
    void TearDown() override {
        Form.reset();
        Locations() = TDataLocations{};
        TTempFolderTest::TearDown();
    }
    TExportItem* Add(TExportField field) { return Format.AddField(field); }
    TExportItem* AddUserDefined(const QString& name) {
        auto column = Format.NewUserDefinedColumn(TExportArea::Data);
        column->Name = name;
        return Format.AddItem(std::move(column));
    }
    void ChooseFormat(const QString& format) {
        const int index = Form->cmbFormat->findText(format);
        ASSERT_GE(index, 0) << format.toStdString();
        Form->cmbFormat->setCurrentIndex(index);
    }
    bool Visible(QWidget* row) const { return row->isVisibleTo(Form.get()); }

    TExportFormat Format;
    std::unique_ptr<TExportColumnForm> Form;
};

TEST_F(ExportColumnForm, RowsFollowHeadingMergeAndLastAndTheWindowShrinks) {
    TExportItem* date = Add(TExportField::Date);
    Form->Configure(*date, Format, true, false, false);
    Form->adjustSize();
    const int fullHeight = Form->sizeHint().height();
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Export Column"));
    EXPECT_TRUE(Visible(Form->pnlHeading));
    EXPECT_FALSE(Visible(Form->pnlValue)); // a standard field has no value of its own
    EXPECT_TRUE(Visible(Form->pnlMerge));
    EXPECT_FALSE(Form->edtName->isEnabled()); // a standard field keeps its name
    EXPECT_EQ(Form->edtName->text(), QStringLiteral("Date"));
    EXPECT_EQ(Form->focusWidget(), Form->edtHeading);

    date->FieldMergeFollowing = true;
    Form->Configure(*date, Format, false, true, true);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Export Column (merged)"));
    EXPECT_FALSE(Visible(Form->pnlHeading));
    EXPECT_FALSE(Visible(Form->pnlMerge));
    EXPECT_EQ(Form->focusWidget(), Form->cmbFormat); // neither heading nor name to edit
    EXPECT_LT(Form->sizeHint().height(), fullHeight);
    // A merge set earlier on what is now the last column stays set.
    QTest::mouseClick(Form->btnOK, Qt::LeftButton);
    EXPECT_TRUE(date->FieldMergeFollowing);
}

TEST_F(ExportColumnForm, FormatListsAndSamplesPerType) {
    const TLocalePin pin(QStringLiteral("en_US"));
    TExportItem* duration = Add(TExportField::Duration);
    duration->FieldFormat.clear();
    Form->Configure(*duration, Format, true, false, false);
    EXPECT_EQ(Form->edtType->text(), QStringLiteral("Number"));
    EXPECT_FALSE(Form->edtType->isEnabled());
    EXPECT_EQ(Form->cmbFormat->currentText(), QStringLiteral("n.nn")); // the default of a column without one
    ChooseFormat(QStringLiteral("n.n"));
    EXPECT_EQ(Form->txtSample->text(), QStringLiteral("9.9"));
    ChooseFormat(QStringLiteral("n"));
    EXPECT_EQ(Form->txtSample->text(), QStringLiteral("9"));

    TExportItem* overtime = Add(TExportField::IsOvertime);
    overtime->FieldFormat = QStringLiteral("yes/no"); // found without regard to case
    Form->Configure(*overtime, Format, true, false, false);
    EXPECT_EQ(Form->cmbFormat->currentText(), QStringLiteral("Yes/No"));
    EXPECT_EQ(Form->txtSample->text(), QStringLiteral("Yes"));
    ChooseFormat(QStringLiteral("1/0"));
    EXPECT_EQ(Form->txtSample->text(), QStringLiteral("1"));

    TExportItem* rate = Add(TExportField::ChargeRate);
    rate->FieldType = TExportFieldType::Currency;
    rate->FieldFormat = QStringLiteral("n.nn");
    Form->Configure(*rate, Format, true, false, false);
    const QString symbol = LocaleCurrencySymbol();
    EXPECT_EQ(ExportColumnFormats(TExportFieldType::Currency), QStringList({"n.nn", symbol + "n.nn"}));
    EXPECT_EQ(Form->txtSample->text(), QStringLiteral("9.99"));
    ChooseFormat(symbol + QStringLiteral("n.nn"));
    EXPECT_EQ(Form->txtSample->text(), symbol + QStringLiteral("9.99"));

    TExportItem* client = Add(TExportField::Client);
    Form->Configure(*client, Format, true, false, false);
    ChooseFormat(QStringLiteral("Upper case"));
    EXPECT_EQ(Form->txtSample->text(), QStringLiteral("TEXT DATA"));
    EXPECT_EQ(ExportColumnSample(TExportFieldType::Code, QStringLiteral("Lower case")), QStringLiteral("foc"));
}

TEST_F(ExportColumnForm, TimePicturesAreOfferedWithoutSeconds) {
    const TLocalePin pin(QStringLiteral("de_DE"));
    for (const QString& format : ExportColumnFormats(TExportFieldType::Time))
        EXPECT_FALSE(format.contains(QStringLiteral(":ss"))) << format.toStdString();
    TExportItem* start = Add(TExportField::StartTime);
    start->FieldFormat = QStringLiteral("HH:mm:ss");
    Form->Configure(*start, Format, true, false, false);
    EXPECT_EQ(Form->cmbFormat->currentText(), QStringLiteral("HH:mm")); // lost its seconds too
    EXPECT_EQ(Form->txtSample->text().size(), 5);
    EXPECT_EQ(ExportColumnFormats(TExportFieldType::Date).front(), QStringLiteral("Local Settings"));
}

TEST_F(ExportColumnForm, MergeSeparatorIsKeptOnlyWhileMerging) {
    TExportItem* client = Add(TExportField::Client);
    client->FieldMergeFollowing = true;
    client->FieldSeparator = QStringLiteral(" - ");
    Form->Configure(*client, Format, true, false, false);
    EXPECT_TRUE(Form->edtSeparator->isEnabled());
    QTest::mouseClick(Form->chkMergeFollowing, Qt::LeftButton);
    EXPECT_FALSE(Form->edtSeparator->isEnabled());
    QTest::mouseClick(Form->btnOK, Qt::LeftButton);
    EXPECT_EQ(Form->result(), QDialog::Accepted);
    EXPECT_FALSE(client->FieldMergeFollowing);
    EXPECT_TRUE(client->FieldSeparator.isEmpty());
}

TEST_F(ExportColumnForm, UserDefinedNamesMustBeUniqueInTheGroupAndNotBlank) {
    AddUserDefined(QStringLiteral("Batch"));
    TExportItem* other = AddUserDefined(QStringLiteral("Code"));
    Form->Configure(*other, Format, true, false, false);
    EXPECT_TRUE(Visible(Form->pnlValue));
    EXPECT_TRUE(Form->edtName->isEnabled());
    Form->edtName->setText(QStringLiteral("batch"));
    QTest::mouseClick(Form->btnOK, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("\"batch\" is not a unique name - please enter another field name"));
    EXPECT_EQ(other->Name, QStringLiteral("Code")); // unchanged while the window stays open
    EXPECT_NE(Form->result(), QDialog::Accepted);

    Form->edtName->setText(QStringLiteral("  "));
    QTest::mouseClick(Form->btnOK, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 2u);
    EXPECT_EQ(other->Name, QStringLiteral("Code"));

    Form->edtName->setText(QStringLiteral("Job No"));
    QTest::keyClicks(Form->edtValue, QStringLiteral("J-42"));
    Form->edtHeading->setText(QStringLiteral("JOB"));
    QTest::mouseClick(Form->btnOK, Qt::LeftButton);
    EXPECT_EQ(Form->result(), QDialog::Accepted);
    EXPECT_EQ(other->Name, QStringLiteral("Job No"));
    EXPECT_EQ(other->FieldValue, QStringLiteral("J-42"));
    EXPECT_EQ(other->FieldHeading, QStringLiteral("JOB"));
    // Its own name again is not a clash with itself.
    Form->Configure(*other, Format, true, false, false);
    QTest::mouseClick(Form->btnOK, Qt::LeftButton);
    EXPECT_EQ(Messages->Shown.size(), 2u);
}

TEST_F(ExportColumnForm, CancelLeavesTheColumnAndUsersWithoutRightsChangeNothing) {
    TExportItem* remarks = Add(TExportField::Remarks);
    Form->Configure(*remarks, Format, true, false, false);
    Form->edtHeading->setText(QStringLiteral("NOTES"));
    QTest::mouseClick(Form->btnCancel, Qt::LeftButton);
    EXPECT_EQ(remarks->FieldHeading, ExportFieldDefaultHeading(TExportField::Remarks));

    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    Locations().AdminMode = 0;
    ASSERT_FALSE(MayEditAdminData());
    Form->Configure(*remarks, Format, true, false, false);
    for (QWidget* control : std::initializer_list<QWidget*>{Form->edtHeading, Form->edtName, Form->cmbFormat,
                                                            Form->chkMergeFollowing, Form->edtSeparator,
                                                            Form->btnOK})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(Form->btnCancel->isEnabled());
}
