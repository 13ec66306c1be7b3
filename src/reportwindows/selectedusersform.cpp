#include "selectedusersform.h"

#include "base/applocale.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"
#include "widgets/toolglyphs.h"

#include <algorithm>

#include <QApplication>
#include <QCollator>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {
// Places and sizes at 96 pixels per inch.
constexpr int ClientWidth = 552;
constexpr int ClientHeight = 366;
constexpr int Margin = 8;
constexpr int ListWidth = 249;
constexpr int AvailLeft = Margin;
constexpr int IncludeLeft = ClientWidth - Margin - ListWidth;
constexpr int LabelTop = 8;
constexpr int LabelHeight = 15;
constexpr int HeaderTop = 25;
constexpr int HeaderHeight = 21;
constexpr int NameHeaderWidth = 135;
constexpr int DateHeaderWidth = 115;
constexpr int ListTop = HeaderTop + HeaderHeight;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonTop = ClientHeight - Margin - ButtonHeight;
constexpr int ListMostBottom = ButtonTop - 10;
constexpr int MoveButtonSide = 26;
constexpr int MoveButtonLeft = (AvailLeft + ListWidth + IncludeLeft - MoveButtonSide) / 2;
constexpr int GlyphSide = 16;
// A head's caption starts as far in as a row's text does in its list.
constexpr int HeaderTextMargin = 4;

int RowHeight(const QFontMetrics& metrics) {
    return metrics.height() + 2;
}

// A column head: the caption at the left, the order's arrow (or nothing) at the right end.
class THeaderButton : public QPushButton {
public:
    THeaderButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        painter.drawControl(QStyle::CE_PushButton, option);
        const int margin = HeaderTextMargin;
        const int side = qMin(GlyphSide, height() - 4);
        const QRect glyph(width() - margin - side, (height() - side) / 2, side, side);
        const QRect caption(margin, 0, glyph.left() - 2 * margin, height());
        painter.drawItemText(caption, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                             fontMetrics().elidedText(text(), Qt::ElideRight, caption.width()),
                             QPalette::ButtonText);
        if (!icon().isNull())
            icon().paint(&painter, glyph, Qt::AlignCenter,
                         isEnabled() ? QIcon::Normal : QIcon::Disabled);
    }
};

// Rows of the form name "\t" latest entry: the name in the name column, cut short when it is
// too long, and the latest entry under the date column's head. Rows without a tab are plain.
class TUserRowDelegate : public QStyledItemDelegate {
public:
    TUserRowDelegate(int tabStop, QObject* parent)
        : QStyledItemDelegate(parent), FTabStop(tabStop) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(RowHeight(option.fontMetrics));
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem row(option);
        initStyleOption(&row, index);
        const QString text = row.text;
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab < 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QWidget* widget = row.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &row, widget);
        row.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);

        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QPalette::ColorGroup group = !(row.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (row.state & QStyle::State_Active)
                                               ? QPalette::Active
                                               : QPalette::Inactive;
        painter->save();
        painter->setFont(row.font);
        painter->setPen(row.palette.color(group, (row.state & QStyle::State_Selected)
                                                     ? QPalette::HighlightedText
                                                     : QPalette::Text));
        const int left = textRect.left() + margin;
        const QRect name(left, textRect.top(), FTabStop - 2 * margin, textRect.height());
        const QRect rest(left + FTabStop, textRect.top(), textRect.right() - left - FTabStop,
                         textRect.height());
        const QFontMetrics& metrics = row.fontMetrics;
        painter->drawText(name, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(text.left(tab), Qt::ElideRight, name.width()));
        painter->drawText(rest, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(text.mid(tab + 1), Qt::ElideRight, rest.width()));
        painter->restore();
    }

private:
    int FTabStop;
};

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
} // namespace

TSelectedUsersForm::TSelectedUsersForm(QWidget* parent) : QDialog(parent) {
    FormCreate();
}

TSelectedUsersForm::~TSelectedUsersForm() = default;

bool TSelectedUsersForm::Execute(QWidget* parent, const TServerUsers& all, TServerUsers& selection,
                                 bool showsLatestEntry) {
    TSelectedUsersForm form(parent);
    form.Setup(all, selection, showsLatestEntry);
    return form.exec() == QDialog::Accepted;
}

void TSelectedUsersForm::Setup(const TServerUsers& all, TServerUsers& selection,
                               bool showsLatestEntry) {
    FAll = &all;
    FSelection = &selection;
    FShowsLatestEntry = showsLatestEntry;
}

int TSelectedUsersForm::Scaled(int pixels) const {
    return ScaleToScreen(pixels, logicalDpiX());
}

void TSelectedUsersForm::FormCreate() {
    setObjectName(QStringLiteral("SelectedUsersForm"));
    setWindowTitle(QStringLiteral("Select Users"));
    // The program's font (Tahoma 8 points) comes from the application.
    setFixedSize(Scaled(ClientWidth), Scaled(ClientHeight));

    lblAvailUsers = new QLabel(QStringLiteral("Available users"), this);
    lblAvailUsers->setObjectName(QStringLiteral("lblAvailUsers"));
    lblAvailUsers->setGeometry(Scaled(AvailLeft), Scaled(LabelTop), Scaled(ListWidth),
                               Scaled(LabelHeight));
    lblIncludeUsers = new QLabel(QStringLiteral("Include in report"), this);
    lblIncludeUsers->setObjectName(QStringLiteral("lblIncludeUsers"));
    lblIncludeUsers->setGeometry(Scaled(IncludeLeft), Scaled(LabelTop), Scaled(ListWidth),
                                 Scaled(LabelHeight));

    btnAvailUser = AddHeaderButton("btnAvailUser", "User Name", "Click to order by user name");
    btnAvailDate = AddHeaderButton("btnAvailDate", "Lastest Entry",
                                   "Click to order by date and time of latest time entry");
    btnIncludeUser = AddHeaderButton("btnIncludeUser", "User Name", "Click to order by user name");
    btnIncludeDate = AddHeaderButton("btnIncludeDate", "Lastest Entry",
                                     "Click to order by date and time of latest time entry");
    connect(btnAvailUser, &QPushButton::clicked, this, [this] { btnAvailUserClick(); });
    connect(btnAvailDate, &QPushButton::clicked, this, [this] { btnAvailDateClick(); });
    connect(btnIncludeUser, &QPushButton::clicked, this, [this] { btnIncludeUserClick(); });
    connect(btnIncludeDate, &QPushButton::clicked, this, [this] { btnIncludeDateClick(); });

    const auto addList = [this](const char* name, int left, QLabel* label) {
        auto* list = new QListWidget(this);
        list->setObjectName(QString::fromLatin1(name));
        list->setAccessibleName(label->text());
        label->setBuddy(list);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setUniformItemSizes(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The latest entries start under the date head's caption.
        list->setItemDelegate(new TUserRowDelegate(Scaled(ListWidth - DateHeaderWidth), list));
        list->setGeometry(Scaled(left), Scaled(ListTop), Scaled(ListWidth),
                          Scaled(ListMostBottom - ListTop));
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        return list;
    };
    listAvailUsers = addList("listAvailUsers", AvailLeft, lblAvailUsers);
    listIncludeUsers = addList("listIncludeUsers", IncludeLeft, lblIncludeUsers);
    connect(listAvailUsers, &QListWidget::itemSelectionChanged, this,
            [this] { listAvailUsersClick(); });
    connect(listIncludeUsers, &QListWidget::itemSelectionChanged, this,
            [this] { listIncludeUsersClick(); });

    btnInclude =
        AddMoveButton("btnInclude", 108, TToolGlyph::MoveRight, "Include selected users in report");
    btnIncludeAll = AddMoveButton("btnIncludeAll", 138, TToolGlyph::MoveAllRight,
                                  "Include all users in report");
    btnExclude = AddMoveButton("btnExclude", 202, TToolGlyph::MoveLeft,
                               "Exclude selected users from report");
    btnExcludeAll = AddMoveButton("btnExcludeAll", 232, TToolGlyph::MoveAllLeft,
                                  "Exclude all users from report");
    connect(btnInclude, &QPushButton::clicked, this, [this] { btnIncludeClick(); });
    connect(btnIncludeAll, &QPushButton::clicked, this, [this] { btnIncludeAllClick(); });
    connect(btnExclude, &QPushButton::clicked, this, [this] { btnExcludeClick(); });
    connect(btnExcludeAll, &QPushButton::clicked, this, [this] { btnExcludeAllClick(); });

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnOK->setGeometry(Scaled(ClientWidth - Margin - 2 * ButtonWidth - Margin), Scaled(ButtonTop),
                       Scaled(ButtonWidth), Scaled(ButtonHeight));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    btnCancel->setGeometry(Scaled(ClientWidth - Margin - ButtonWidth), Scaled(ButtonTop),
                           Scaled(ButtonWidth), Scaled(ButtonHeight));
    connect(btnOK, &QPushButton::clicked, this, &TSelectedUsersForm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TSelectedUsersForm::btnCancelClick);

    // Tab order: each list with its heads, the move buttons between them, then OK and Cancel.
    setTabOrder(btnAvailUser, btnAvailDate);
    setTabOrder(btnAvailDate, listAvailUsers);
    setTabOrder(listAvailUsers, btnInclude);
    setTabOrder(btnInclude, btnIncludeAll);
    setTabOrder(btnIncludeAll, btnExclude);
    setTabOrder(btnExclude, btnExcludeAll);
    setTabOrder(btnExcludeAll, btnIncludeUser);
    setTabOrder(btnIncludeUser, btnIncludeDate);
    setTabOrder(btnIncludeDate, listIncludeUsers);
    setTabOrder(listIncludeUsers, btnOK);
    setTabOrder(btnOK, btnCancel);
}

QPushButton* TSelectedUsersForm::AddHeaderButton(const char* name, const char* caption,
                                                 const char* hint) {
    auto* button = new THeaderButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setIconSize(QSize(GlyphSide, GlyphSide));
    button->setProperty("hint", QString::fromLatin1(hint));
    return button;
}

QPushButton* TSelectedUsersForm::AddMoveButton(const char* name, int top, TToolGlyph glyph,
                                               const char* hint) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setIcon(ToolGlyph(glyph));
    button->setIconSize(QSize(GlyphSide, GlyphSide));
    button->setAccessibleName(QString::fromLatin1(hint));
    button->setProperty("hint", QString::fromLatin1(hint));
    button->setGeometry(Scaled(MoveButtonLeft), Scaled(top), Scaled(MoveButtonSide),
                        Scaled(MoveButtonSide));
    return button;
}

void TSelectedUsersForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TSelectedUsersForm::hideEvent(QHideEvent* event) {
    FormHide();
    QDialog::hideEvent(event);
}

void TSelectedUsersForm::FormShow() {
    setWindowTitle(FShowsLatestEntry ? QStringLiteral("Select Users for Report")
                                     : QStringLiteral("Select Users"));
    FWorking = FSelection ? *FSelection : TServerUsers();
    FAvailOrder = TListOrder();
    FIncludeOrder = TListOrder();
    ArrangeHeaders();
    // Whole rows only: each list as high as the most rows that fit.
    for (QListWidget* list : {listAvailUsers, listIncludeUsers}) {
        const int frame = 2 * list->frameWidth();
        const int row = RowHeight(list->fontMetrics());
        const int rows = (Scaled(ListMostBottom - ListTop) - frame) / row;
        list->resize(list->width(), rows * row + frame);
    }
    FillLists();
    UpdateButtons();
    ApplyHints();
    const QWidget* owner = parentWidget();
    if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TSelectedUsersForm::FormHide() {
    EndGesture();
    FWorking.clear();
    FAvailable.clear();
    listAvailUsers->clear();
    listIncludeUsers->clear();
}

void TSelectedUsersForm::ApplyHints() {
    const bool hints = PersonalSettings().Setup.ShowHints;
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setToolTip(hints ? button->property("hint").toString() : QString());
}

// With the latest entries each list has a name and a date head; without them the name head
// spans the list.
void TSelectedUsersForm::ArrangeHeaders() {
    const auto arrange = [this](QPushButton* name, QPushButton* date, int left) {
        name->setGeometry(Scaled(left), Scaled(HeaderTop),
                          Scaled(FShowsLatestEntry ? NameHeaderWidth : ListWidth),
                          Scaled(HeaderHeight));
        // The date head ends with the list; it overlaps the name head's edge by a pixel.
        date->setGeometry(Scaled(left + ListWidth - DateHeaderWidth), Scaled(HeaderTop),
                          Scaled(DateHeaderWidth), Scaled(HeaderHeight));
        date->setVisible(FShowsLatestEntry);
        name->setIcon(QIcon());
        date->setIcon(QIcon());
    };
    arrange(btnAvailUser, btnAvailDate, AvailLeft);
    arrange(btnIncludeUser, btnIncludeDate, IncludeLeft);
}

void TSelectedUsersForm::btnAvailUserClick() {
    OrderBy(FAvailOrder, TUserOrder::Name, btnAvailUser, btnAvailDate);
    FillList(listAvailUsers, FAvailable, FAvailOrder);
    UpdateButtons();
}

void TSelectedUsersForm::btnAvailDateClick() {
    OrderBy(FAvailOrder, TUserOrder::LatestEntry, btnAvailUser, btnAvailDate);
    FillList(listAvailUsers, FAvailable, FAvailOrder);
    UpdateButtons();
}

void TSelectedUsersForm::btnIncludeUserClick() {
    OrderBy(FIncludeOrder, TUserOrder::Name, btnIncludeUser, btnIncludeDate);
    FillList(listIncludeUsers, FWorking, FIncludeOrder);
    UpdateButtons();
}

void TSelectedUsersForm::btnIncludeDateClick() {
    OrderBy(FIncludeOrder, TUserOrder::LatestEntry, btnIncludeUser, btnIncludeDate);
    FillList(listIncludeUsers, FWorking, FIncludeOrder);
    UpdateButtons();
}

// Another click on the head of the order picked turns it round; a click on the other head (or
// the first click after opening) orders by that head, ascending.
void TSelectedUsersForm::OrderBy(TListOrder& order, TUserOrder by, QPushButton* nameHeader,
                                 QPushButton* dateHeader) {
    if (order.Picked && order.By == by) {
        order.Descending = !order.Descending;
    } else {
        order.By = by;
        order.Descending = false;
        order.Picked = true;
    }
    QPushButton* clicked = by == TUserOrder::Name ? nameHeader : dateHeader;
    QPushButton* other = by == TUserOrder::Name ? dateHeader : nameHeader;
    clicked->setIcon(ToolGlyph(order.Descending ? TToolGlyph::SortDown : TToolGlyph::SortUp));
    other->setIcon(QIcon());
}

void TSelectedUsersForm::btnIncludeClick() {
    for (int row = 0; row < listAvailUsers->count(); ++row)
        if (listAvailUsers->item(row)->isSelected())
            FWorking.push_back(FAvailable[size_t(row)]);
    FillLists();
    UpdateButtons();
}

void TSelectedUsersForm::btnIncludeAllClick() {
    if (FAll)
        for (const TServerUser& user : *FAll)
            if (!InWorkingList(user))
                FWorking.push_back(user);
    FillLists();
    UpdateButtons();
}

void TSelectedUsersForm::btnExcludeClick() {
    TServerUsers kept;
    for (int row = 0; row < listIncludeUsers->count(); ++row)
        if (!listIncludeUsers->item(row)->isSelected())
            kept.push_back(FWorking[size_t(row)]);
    FWorking = std::move(kept);
    FillLists();
    UpdateButtons();
}

void TSelectedUsersForm::btnExcludeAllClick() {
    FWorking.clear();
    FillLists();
    UpdateButtons();
}

void TSelectedUsersForm::listAvailUsersClick() {
    UpdateButtons();
}

void TSelectedUsersForm::listIncludeUsersClick() {
    UpdateButtons();
}

bool TSelectedUsersForm::listAvailUsersDragOver() const {
    return !listIncludeUsers->selectedItems().isEmpty();
}

void TSelectedUsersForm::listAvailUsersDragDrop() {
    if (listAvailUsersDragOver())
        btnExcludeClick();
}

bool TSelectedUsersForm::listIncludeUsersDragOver() const {
    return !listAvailUsers->selectedItems().isEmpty();
}

void TSelectedUsersForm::listIncludeUsersDragDrop() {
    if (listIncludeUsersDragOver())
        btnIncludeClick();
}

void TSelectedUsersForm::btnOKClick() {
    if (FSelection)
        *FSelection = FWorking;
    accept();
}

void TSelectedUsersForm::btnCancelClick() {
    reject();
}

bool TSelectedUsersForm::InWorkingList(const TServerUser& user) const {
    return std::any_of(FWorking.begin(), FWorking.end(),
                       [&user](const TServerUser& chosen) { return chosen.Folder == user.Folder; });
}

// The right list shows the working list, the left one the other users of the full list.
void TSelectedUsersForm::FillLists() {
    FAvailable.clear();
    if (FAll)
        for (const TServerUser& user : *FAll)
            if (!InWorkingList(user))
                FAvailable.push_back(user);
    FillList(listAvailUsers, FAvailable, FAvailOrder);
    FillList(listIncludeUsers, FWorking, FIncludeOrder);
}

// Sorts users in the list's order, then shows them. Every entry has the same folder before the
// user name, so the entries' texts order by name.
void TSelectedUsersForm::FillList(QListWidget* list, TServerUsers& users, const TListOrder& order) {
    QCollator collator(AppLocale());
    collator.setCaseSensitivity(Qt::CaseSensitive);
    const auto before = [&](const TServerUser& a, const TServerUser& b) {
        if (order.By == TUserOrder::Name)
            return collator.compare(a.Folder, b.Folder) < 0;
        return a.LastEntry < b.LastEntry; // the packed form runs with time
    };
    std::stable_sort(users.begin(), users.end(), [&](const TServerUser& a, const TServerUser& b) {
        return order.Descending ? before(b, a) : before(a, b);
    });
    list->clear();
    for (const TServerUser& user : users)
        list->addItem(RowText(user));
}

QString TSelectedUsersForm::RowText(const TServerUser& user) const {
    if (!FShowsLatestEntry)
        return user.Name();
    const TMoment latest = user.LastEntryMoment();
    const QTime time = latest.Time();
    return user.Name() + QLatin1Char('\t') + LocaleShortDateText(latest.Date()) +
           QStringLiteral("  ") + TwoDigits(time.hour()) + QLatin1Char(':') +
           TwoDigits(time.minute());
}

void TSelectedUsersForm::UpdateButtons() {
    btnIncludeAll->setEnabled(listAvailUsers->count() > 0);
    btnInclude->setEnabled(!listAvailUsers->selectedItems().isEmpty());
    btnExcludeAll->setEnabled(listIncludeUsers->count() > 0);
    btnExclude->setEnabled(!listIncludeUsers->selectedItems().isEmpty());
    btnOK->setEnabled(listIncludeUsers->count() > 0);
}

bool TSelectedUsersForm::eventFilter(QObject* watched, QEvent* event) {
    for (QListWidget* list : {listAvailUsers, listIncludeUsers}) {
        if (watched == list->viewport() && ListMouseEvent(list, event))
            return true;
        // Esc ends a drag without dropping (instead of closing the window).
        if (watched == list && event->type() == QEvent::KeyPress &&
            FGesture == TGesture::Dragging &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            EndGesture();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// A left press on a row may start a drag; past the drag distance, with rows selected in the
// list, it is one, and the release drops them where the pointer is. A press on a row that is
// already selected keeps the list's selection, so several rows can be dragged; released
// without a drag it selects that row alone, as a click does. True when the list must not see
// the event.
bool TSelectedUsersForm::ListMouseEvent(QListWidget* list, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton)
            return false;
        EndGesture();
        QListWidgetItem* item = list->itemAt(mouse->position().toPoint());
        if (!item)
            return false;
        FGesture = TGesture::Pressed;
        FDragSource = list;
        FPressGlobal = global;
        FPressRow = list->row(item);
        FPressKept =
            item->isSelected() && !(mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
        if (FPressKept) {
            list->setCurrentItem(item, QItemSelectionModel::NoUpdate);
            list->setFocus(Qt::MouseFocusReason);
        }
        return FPressKept;
    }
    if (FGesture == TGesture::Idle || list != FDragSource)
        return false;
    if (type == QEvent::MouseMove) {
        if (!(mouse->buttons() & Qt::LeftButton)) { // the release went elsewhere
            EndGesture();
            return false;
        }
        if (FGesture == TGesture::Pressed) {
            if ((global - FPressGlobal).manhattanLength() < QApplication::startDragDistance())
                return true;
            if (list->selectedItems().isEmpty()) { // a Ctrl press took the row out
                EndGesture();
                return false;
            }
            FGesture = TGesture::Dragging;
        }
        ShowDragCursor(global);
        return true;
    }
    if (mouse->button() != Qt::LeftButton)
        return false;
    const bool dragging = FGesture == TGesture::Dragging;
    const bool kept = FPressKept;
    const int row = FPressRow;
    EndGesture();
    if (dragging) {
        QListWidget* target = ListAt(global);
        if (target == listIncludeUsers)
            listIncludeUsersDragDrop();
        else if (target == listAvailUsers)
            listAvailUsersDragDrop();
        return true;
    }
    if (kept) {
        if (QListWidgetItem* item = list->item(row))
            list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
        return true;
    }
    return false;
}

// The list whose visible rows are under the pointer, or none.
QListWidget* TSelectedUsersForm::ListAt(QPoint globalPosition) const {
    for (QListWidget* list : {listAvailUsers, listIncludeUsers}) {
        const QWidget* viewport = list->viewport();
        if (list->isVisible() && viewport->rect().contains(viewport->mapFromGlobal(globalPosition)))
            return list;
    }
    return nullptr;
}

bool TSelectedUsersForm::DropAccepted(QListWidget* target) const {
    if (target == listIncludeUsers)
        return listIncludeUsersDragOver();
    if (target == listAvailUsers)
        return listAvailUsersDragOver();
    return false;
}

// The pointer belongs to the list the drag started in until the release, so that list shows
// whether a drop would be taken where the pointer is.
void TSelectedUsersForm::ShowDragCursor(QPoint globalPosition) {
    FDragSource->viewport()->setCursor(DropAccepted(ListAt(globalPosition)) ? Qt::DragMoveCursor
                                                                            : Qt::ForbiddenCursor);
}

void TSelectedUsersForm::EndGesture() {
    if (FDragSource && FGesture == TGesture::Dragging)
        FDragSource->viewport()->unsetCursor();
    FGesture = TGesture::Idle;
    FDragSource = nullptr;
    FPressRow = -1;
    FPressKept = false;
}
