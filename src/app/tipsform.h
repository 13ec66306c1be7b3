#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

// "Quillhour Tips": one tip of the tips file at a time, continuing after the last tip shown
// (the personal settings' LastTip) and wrapping round. Whether tips show at start is ticked
// here and stored into the personal settings' ShowTips when the window goes.
class TTipsForm : public QDialog {
    Q_OBJECT
public:
    explicit TTipsForm(QWidget* parent = nullptr);
    ~TTipsForm() override;

    // Reads the tips file and shows the next tip, as showing the window does.
    void FormShow();
    // Shows the tip after the last one shown.
    void btnNextClick();
    const QStringList& Tips() const { return FTips; }

    QLabel* lblTipNum;
    QScrollArea* scrTips;
    QLabel* txtTips;
    QCheckBox* chkShowTips;
    QPushButton* btnNext;
    QPushButton* btnClose;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ReadTips();
    void ShowNoTips();

    QStringList FTips;
    bool FShown = false;
};

// The tips file beside the program.
QString TipsFileName();
// Reads the tips of a tips file: every line that is not empty, its line breaks and tabs
// decoded (line breaks as "\n"). Raises EInOutError when the file cannot be read.
QStringList ReadTipsFile(const QString& fileName);
// Shows the tips window modally and destroys it afterwards.
void ShowTipsWindow(QWidget* parent);
