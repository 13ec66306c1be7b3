#pragma once

#include <memory>
#include <vector>

#include <QString>
#include <QVariant>

class QTreeWidget;

// The state of one node of a list tree in a snapshot.
struct TTreeViewNodeObject {
    QVariant Data; // a copy of the node's object (client, project, category or activity); none
    int State = 0; // the state picture index
    int Level = 0;
    int Index = 0; // place in the tree, counting every node from the top
    bool Expanded = false;
    bool Kind = false; // as the snapshot's
};

// A whole list tree as it was: its texts, one line per node with a tab per level, and the
// state of every node.
struct TTreeViewImage {
    bool Kind = false; // the client/project tree; otherwise the category/activity tree
    QString Text;
    std::vector<TTreeViewNodeObject> Nodes;
    QString Caption;
};

// The undo stack of one tree editor of the set-up window: whole snapshots of the tree, newest
// last, without a size limit.
class TTreeViewUndoManager {
public:
    explicit TTreeViewUndoManager(QTreeWidget* tree);

    // Takes a snapshot of the tree with the caption of the change about to be made.
    void PushSnapshot(const QString& caption, QString& captionOut);
    // Puts the tree back as the newest snapshot has it and gives its caption; with nothing to
    // undo the caption is emptied and the tree stays as it is.
    void UndoLast(QString& caption);
    // The newest snapshot's caption, or "Undo" when there is none.
    void UndoCaption(QString& text) const;
    bool CanUndo() const { return !FImages.empty(); }

private:
    TTreeViewImage TakeImage(const QString& caption) const;
    void Restore(const TTreeViewImage& image);

    QTreeWidget* FTree;
    std::vector<TTreeViewImage> FImages;
};
