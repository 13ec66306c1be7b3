#pragma once

#include "storage/server/serverdatascan.h"

#include <QDialog>
#include <QPoint>

class QLabel;
class QListWidget;
class QPushButton;
enum class TToolGlyph;

// The "Select Users" window: chooses some of a work group's users, for a consolidated report
// or as an export format's users. The left list holds the users not chosen, the right list
// the chosen ones (the working list); users move between them with the four arrow buttons or
// by dragging selected rows onto the other list. Each list is ordered by user name or by the
// latest entry, either way round, through the two buttons heading its columns.
//
// The window is made for one use: Setup, then show it (Execute does both, modally). On OK the
// caller's selection becomes the working list; on Cancel it stays as it was.
class TSelectedUsersForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectedUsersForm(QWidget* parent = nullptr);
    ~TSelectedUsersForm() override;

    // Lets the user choose from all, starting with selection; true on OK, when selection has
    // been replaced by the choice. showsLatestEntry adds the column of latest entries.
    static bool Execute(QWidget* parent, const TServerUsers& all, TServerUsers& selection,
                        bool showsLatestEntry);

    // What the window works on when it is shown next. Both lists must stay until it is hidden;
    // OK replaces selection.
    void Setup(const TServerUsers& all, TServerUsers& selection, bool showsLatestEntry);

    QLabel* lblAvailUsers;
    QLabel* lblIncludeUsers;
    QListWidget* listAvailUsers;
    QListWidget* listIncludeUsers;
    QPushButton* btnAvailUser;
    QPushButton* btnAvailDate;
    QPushButton* btnIncludeUser;
    QPushButton* btnIncludeDate;
    QPushButton* btnInclude;
    QPushButton* btnIncludeAll;
    QPushButton* btnExclude;
    QPushButton* btnExcludeAll;
    QPushButton* btnOK;
    QPushButton* btnCancel;

public Q_SLOTS:
    void btnOKClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TUserOrder { Name, LatestEntry };
    // How one list is ordered. A list opens by name, ascending, before either of its heads
    // has been clicked (Picked false): the first click on a head orders by it, ascending, and
    // only further clicks on the same head turn the order round.
    struct TListOrder {
        TUserOrder By = TUserOrder::Name;
        bool Descending = false;
        bool Picked = false;
    };
    enum class TGesture { Idle, Pressed, Dragging };

    void FormCreate();
    QPushButton* AddHeaderButton(const char* name, const char* caption, const char* hint);
    QPushButton* AddMoveButton(const char* name, int top, TToolGlyph glyph, const char* hint);
    int Scaled(int pixels) const;
    void FormShow();
    void FormHide();
    void ApplyHints();
    void ArrangeHeaders();

    void btnAvailUserClick();
    void btnAvailDateClick();
    void btnIncludeUserClick();
    void btnIncludeDateClick();
    void btnIncludeClick();
    void btnIncludeAllClick();
    void btnExcludeClick();
    void btnExcludeAllClick();
    void listAvailUsersClick();
    void listIncludeUsersClick();
    bool listAvailUsersDragOver() const;
    void listAvailUsersDragDrop();
    bool listIncludeUsersDragOver() const;
    void listIncludeUsersDragDrop();

    void OrderBy(TListOrder& order, TUserOrder by, QPushButton* nameHeader,
                 QPushButton* dateHeader);
    void FillLists();
    void FillList(QListWidget* list, TServerUsers& users, const TListOrder& order);
    QString RowText(const TServerUser& user) const;
    void UpdateButtons();
    bool InWorkingList(const TServerUser& user) const;

    // Dragging rows, followed through the mouse events of the lists' viewports.
    bool ListMouseEvent(QListWidget* list, QEvent* event);
    QListWidget* ListAt(QPoint globalPosition) const;
    bool DropAccepted(QListWidget* target) const;
    void ShowDragCursor(QPoint globalPosition);
    void EndGesture();

    const TServerUsers* FAll = nullptr;
    TServerUsers* FSelection = nullptr;
    bool FShowsLatestEntry = true;
    TServerUsers FWorking;   // the right list, in its order
    TServerUsers FAvailable; // the left list, in its order
    TListOrder FAvailOrder;
    TListOrder FIncludeOrder;

    TGesture FGesture = TGesture::Idle;
    QListWidget* FDragSource = nullptr;
    QPoint FPressGlobal;
    int FPressRow = -1;
    bool FPressKept = false; // a press on a selected row, kept from the list so its selection stays
};
