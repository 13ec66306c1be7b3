#include "setupcolumnsliders.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int LabelLeft = 10;
constexpr int TrackLeft = 130;
constexpr int TrackWidth = 280;
constexpr int TrackHeight = 20;
constexpr int ImageWidth = 11;
constexpr int RowHeight = 38;
constexpr int PageWidth = 480;
constexpr int PageHeight = 34;

QString Text(const char* name) {
    return QString::fromLatin1(name);
}

const char* const ColumnNames[] = {"project column", "category : activity column",
                                   "remarks column"};
} // namespace

// The slider's image: a pointer shape that the mouse drags along its track.
class TSetupColumnSliders::TSliderImage : public QWidget {
public:
    TSliderImage(TSetupColumnSliders& owner, TReportColumn column, QWidget* track)
        : QWidget(track), FOwner(owner), FColumn(column) {
        setCursor(Qt::SizeHorCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // Drawn as a shape, so it stays sharp at any pixel density.
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double w = width();
        const double h = height();
        QPainterPath shape;
        shape.moveTo(0.5, 0.5);
        shape.lineTo(w - 0.5, 0.5);
        shape.lineTo(w - 0.5, h * 0.65);
        shape.lineTo(w / 2, h - 0.5);
        shape.lineTo(0.5, h * 0.65);
        shape.closeSubpath();
        const bool live = FOwner.lblSlider[FColumn]->isEnabled();
        painter.setBrush(live ? palette().color(QPalette::Button).darker(115)
                              : palette().color(QPalette::Window));
        painter.setPen(palette().color(live ? QPalette::WindowText : QPalette::Mid));
        painter.drawPath(shape);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || !FOwner.lblSlider[FColumn]->isEnabled())
            return;
        FDragging = true;
        FGrabX = event->position().toPoint().x();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (FDragging)
            FOwner.DragTo(FColumn, mapToParent(event->position().toPoint()).x() - FGrabX);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (FDragging && event->button() == Qt::LeftButton)
            FOwner.DragTo(FColumn, mapToParent(event->position().toPoint()).x() - FGrabX);
        FDragging = false;
    }

private:
    TSetupColumnSliders& FOwner;
    TReportColumn FColumn;
    bool FDragging = false;
    int FGrabX = 0;
};

TSetupColumnSliders::TSetupColumnSliders(QWidget* parent)
    : QGroupBox(QStringLiteral("Report Column Placement"), parent) {
    setObjectName(QStringLiteral("gpbxReportColumns"));
    CreateSlider(rcProject, "Proj", QStringLiteral("Project:"), 22);
    CreateSlider(rcCategoryActivity, "CatAct", QStringLiteral("Category:Activity:"),
                 22 + RowHeight);
    CreateSlider(rcRemarks, "Rem", QStringLiteral("Remarks:"), 22 + 2 * RowHeight);
    chkPrintAtDefault = new QCheckBox(QStringLiteral("Default"), this);
    chkPrintAtDefault->setObjectName(QStringLiteral("chkPrintAtDefault"));
    chkPrintAtDefault->setGeometry(TrackLeft + TrackWidth + 16, 22, 90, 20);
    connect(chkPrintAtDefault, &QCheckBox::clicked, this,
            [this](bool checked) { DefaultClicked(checked); });
    CreatePagePreview(22 + 3 * RowHeight + 4);
    setMinimumSize(TrackLeft + TrackWidth + 116, 22 + 3 * RowHeight + PageHeight + 16);
    PlaceSliders();
}

void TSetupColumnSliders::CreateSlider(TReportColumn column, const char* suffix,
                                       const QString& caption, int top) {
    QLabel*& label = lblSlider[column];
    label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("lblSlider") + Text(suffix));
    label->setGeometry(LabelLeft, top + 2, TrackLeft - LabelLeft - 4, 16);
    QFrame*& track = pnlSliderTrack[column];
    track = new QFrame(this);
    track->setObjectName(QStringLiteral("pnlSlider") + Text(suffix));
    track->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    track->setGeometry(TrackLeft, top, TrackWidth, TrackHeight);
    auto* image = new TSliderImage(*this, column, track);
    image->setObjectName(QStringLiteral("imgSlider") + Text(suffix));
    image->setAccessibleName(QStringLiteral("Report ") + Text(ColumnNames[column]));
    image->resize(ImageWidth, TrackHeight);
    imgSlider[column] = image;
    QLabel*& text = txtSlider[column];
    text = new QLabel(this);
    text->setObjectName(QStringLiteral("txtSlider") + Text(suffix));
    text->setGeometry(TrackLeft, top + TrackHeight, 60, 16);
    label->setBuddy(image);
}

void TSetupColumnSliders::CreatePagePreview(int top) {
    pnlPage = new QFrame(this);
    pnlPage->setObjectName(QStringLiteral("pnlPage"));
    pnlPage->setFrameStyle(QFrame::Box | QFrame::Plain);
    pnlPage->setAutoFillBackground(true);
    QPalette page = pnlPage->palette();
    page.setColor(QPalette::Window, Qt::white);
    page.setColor(QPalette::WindowText, Qt::black);
    pnlPage->setPalette(page);
    pnlPage->setGeometry(LabelLeft, top, PageWidth, PageHeight);
    pnlPage->setAccessibleName(QStringLiteral("Report page preview"));
    FPageClient = NewPageLabel("lblPageClient", QStringLiteral("Client"));
    FPageColumns[rcProject] = NewPageLabel("lblPageProj", QStringLiteral("Proj"));
    FPageColumns[rcCategoryActivity] = NewPageLabel("lblPageCat", QStringLiteral("Cat"));
    FPageColumns[rcRemarks] = NewPageLabel("lblPageRem", QStringLiteral("Rem"));
    FPageCode = NewPageLabel("lblPageCode", QStringLiteral("Y"));
    FPageHours = NewPageLabel("lblPageHours", QStringLiteral("9.9"));
    FPageRate = NewPageLabel("lblPageRate", QStringLiteral("9.9"));
}

QLabel* TSetupColumnSliders::NewPageLabel(const char* name, const QString& caption) {
    auto* label = new QLabel(caption, pnlPage);
    label->setObjectName(Text(name));
    label->adjustSize();
    return label;
}

void TSetupColumnSliders::SetPositions(const TColumnPositions& positions) {
    FPositions = ValidColumnPositions(positions);
    PlaceSliders();
}

void TSetupColumnSliders::MoveTo(TReportColumn column, int position) {
    MoveColumn(FPositions, column, position);
    PlaceSliders();
}

void TSetupColumnSliders::DragTo(TReportColumn column, int left) {
    const int room = pnlSliderTrack[column]->width() - imgSlider[column]->width();
    left = std::clamp(left, 0, room);
    MoveColumn(FPositions, column,
               SliderPosition(pnlSliderTrack[column]->width(), imgSlider[column]->width(),
                              ColumnRange(column), left));
    PlaceSliders(column);
    imgSlider[column]->move(left, 0);
}

void TSetupColumnSliders::PlaceSliders(int dragged) {
    for (int i = rcProject; i <= rcRemarks; ++i) {
        const auto column = static_cast<TReportColumn>(i);
        if (i != dragged)
            imgSlider[i]->move(SliderLeft(pnlSliderTrack[i]->width(), imgSlider[i]->width(),
                                          ColumnRange(column), FPositions[i]),
                               0);
        txtSlider[i]->setText(QString::number(FPositions[i]));
        imgSlider[i]->setAccessibleDescription(QString::number(FPositions[i]));
    }
    PlacePageLabels();
}

void TSetupColumnSliders::PlacePageLabels() {
    const int width = pnlPage->width();
    const int top = (PageHeight - FPageClient->height()) / 2;
    const auto place = [&](QLabel* label, int position) {
        label->move(PagePreviewX(position, width), top);
    };
    place(FPageClient, ClientColumnPosition);
    for (int i = rcProject; i <= rcRemarks; ++i)
        place(FPageColumns[i], FPositions[i]);
    place(FPageCode, CodeColumnPosition);
    place(FPageHours, HoursColumnPosition);
    place(FPageRate, RateColumnPosition + 25);
}

void TSetupColumnSliders::DefaultClicked(bool checked) {
    if (checked)
        SetPositions(DefaultColumnPositions());
    UpdateEnabling(FMayEdit);
}

void TSetupColumnSliders::UpdateEnabling(bool mayEdit) {
    FMayEdit = mayEdit;
    chkPrintAtDefault->setEnabled(mayEdit);
    for (int i = rcProject; i <= rcRemarks; ++i) {
        lblSlider[i]->setEnabled(mayEdit && !chkPrintAtDefault->isChecked());
        imgSlider[i]->update();
    }
}
