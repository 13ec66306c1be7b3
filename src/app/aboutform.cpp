#include "aboutform.h"

#include "app/apppictures.h"
#include "app/paintedpicture.h"
#include "base/applocale.h"
#include "base/fileutils.h"
#include "base/messages.h"
#include "base/processenvironment.h"
#include "base/version.h"
#include "storage/settings/windowgeometry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int ClientWidth = 330;
constexpr int ClientHeight = 150;

void Place(QWidget* control, int left, int top, int width, int height) {
    const int ppi = control->logicalDpiX();
    control->setGeometry(ScaleToScreen(left, ppi), ScaleToScreen(top, ppi),
                         ScaleToScreen(width, ppi), ScaleToScreen(height, ppi));
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}
} // namespace

QString ReleaseDateText() {
    const QDateTime stamp = FileDateTime(ProcessEnvironment().ProgramFile());
    if (!stamp.isValid())
        return {};
    return AppLocale().toString(stamp.date(), QStringLiteral("d MMMM yyyy"));
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Quillhour"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const int ppi = logicalDpiX();
    setFixedSize(ScaleToScreen(ClientWidth, ppi), ScaleToScreen(ClientHeight, ppi));

    auto* imgAbout = new TPaintedPicture(PaintEmblem, this);
    imgAbout->setObjectName(QStringLiteral("imgAbout"));
    imgAbout->setAccessibleName(QStringLiteral("Quillhour"));
    Place(imgAbout, 16, 16, 72, 72);
    lblVersion = NewLabel(this, "lblVersion",
                          QStringLiteral("Quillhour ") + QString::fromLatin1(QuillhourVersion));
    QFont big = lblVersion->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblVersion->setFont(big);
    Place(lblVersion, 104, 20, ClientWidth - 104 - 12, 24);
    QLabel* caption = NewLabel(this, "lblReleaseDate", QStringLiteral("Release Date:"));
    Place(caption, 104, 56, 80, 17);
    lblDate = NewLabel(this, "lblDate", ReleaseDateText());
    Place(lblDate, 186, 56, ClientWidth - 186 - 12, 17);
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    Place(btnClose, ClientWidth - 12 - 75, ClientHeight - 12 - 25, 75, 25);
    // The Close button cancels: Escape does the same.
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TAboutForm::Execute() {
    const bool wasShowing = MessageBoxShowing;
    MessageBoxShowing = true;
    lblDate->setText(ReleaseDateText());
    exec();
    MessageBoxShowing = wasShowing;
}
