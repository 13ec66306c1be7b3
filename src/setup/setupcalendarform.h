#pragma once

#include "storage/settings/calendarsetup.h"

#include <functional>

#include <QColor>
#include <QDate>
#include <QDialog>
#include <QList>

class QAbstractButton;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TColorButton;
class TGraphicCalendar;

// "Calendar Appearance": edits the month calendar's colours, text effects, selection shape,
// day markers and background picture on a preview calendar.
class TSetupCalendarForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetupCalendarForm(QWidget* parent = nullptr);

    // Shows the window modally on a copy of setup; after OK the copy is written back into
    // setup and true is returned. customColours are the colour dialog's shared custom colours.
    bool Execute(TCalendarSetup& setup, QList<QColor>* customColours);
    // Prepares the window on a copy of setup without showing it (Execute starts so); OK writes
    // the copy back into setup.
    void Start(TCalendarSetup& setup, QList<QColor>* customColours);

    // The working copy the controls edit.
    const TCalendarSetup& WorkingCopy() const { return FWorking; }

    // Asks for a picture file, starting in folder; empty when none was chosen. Empty: the
    // platform's file dialog. Tests answer here.
    static std::function<QString(QWidget* parent, const QString& folder)> ChoosePictureFile;

    QFrame* pnlCalendar;
    TGraphicCalendar* Calendar;
    QGroupBox* gbxTitle;
    TColorButton* colorBtnTitle;
    QRadioButton* rbTitleNone;
    QRadioButton* rbTitleShadow;
    QRadioButton* rbTitleCutOut;
    QGroupBox* gbxMonth;
    TColorButton* colorBtnBackground;
    QRadioButton* rbMonthNone;
    QRadioButton* rbMonthShadow;
    QRadioButton* rbMonthCutOut;
    QCheckBox* chkShowPictures;
    QLineEdit* txtPictureSource;
    QPushButton* btnBrowse;
    QRadioButton* rbBestAspect;
    QRadioButton* rbFitAspect;
    QRadioButton* rbStretch;
    QRadioButton* rbChangeDaily;
    QRadioButton* rbChangeMonthly;
    QRadioButton* rbDontChange;
    QCheckBox* chkMarkDays;
    QRadioButton* rbText;
    TColorButton* colorBtnDayMarkerText;
    QRadioButton* rbGraphic;
    TColorButton* colorBtnDayMarkerLine;
    TColorButton* colorBtnDayMarkerFill;
    QGroupBox* gbxSelection;
    QRadioButton* rbCell;
    QRadioButton* rbSquare;
    QRadioButton* rbCircle;
    QCheckBox* chkFill;
    TColorButton* colorBtnSelection;
    QCheckBox* chkSolidline;
    QCheckBox* chkDotLine;
    TColorButton* colorBtnLine;
    QPushButton* btnHelp;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void CreateControls();
    void CreateTitleGroup();
    void CreateMonthGroup();
    void CreatePictureControls();
    void CreateMarkDayControls();
    void CreateSelectionGroup();
    void CreateButtons();
    void ConnectHandlers();
    void ConnectColorButton(TColorButton* button, int TCalendarSetup::*field,
                            const std::function<void(int)>& preview);
    void ConnectChoice(const QList<QRadioButton*>& buttons, const std::function<void(int)>& act);
    void ApplyHints();

    void FormShow();
    void SetControls();
    void UpdateEnabling();
    void UpdateSelectionStyle();
    void ShowPictureSource();
    void ApplyToPreview();
    bool ChoosePicture();
    QString PictureFileName() const;

    void chkShowPicturesClick();
    void btnBrowseClick();
    void chkMarkDaysClick();
    void MarkDaysTypeClick();
    void SelectionClick(QCheckBox* ticked);
    void btnOKClick();

    TCalendarSetup FWorking;
    TCalendarSetup* FTarget = nullptr;
    // The preview's pictures do not move on: each apply shows the named picture again.
    QDate FPreviewChange;
    bool FUpdating = false;
};
