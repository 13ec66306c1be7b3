#include "treeviewundomanager.h"

#include "setup/listtreeitem.h"
#include "setup/treehelpers.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {
int LevelOf(const QTreeWidgetItem* node) {
    int level = 0;
    for (const QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent())
        ++level;
    return level;
}

// Rebuilds the nodes from the snapshot's lines; each line's leading tabs give its level.
void LoadTreeText(QTreeWidget* tree, const QString& text) {
    std::vector<QTreeWidgetItem*> lastAtLevel;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // after the last line's end; an empty name in between stays a node
    for (const QString& line : lines) {
        qsizetype level = 0;
        while (level < line.size() && line.at(level) == QLatin1Char('\t'))
            ++level;
        level = std::min<qsizetype>(level, qsizetype(lastAtLevel.size()));
        const QString name = line.mid(level);
        QTreeWidgetItem* node = level == 0
                                    ? new TListTreeItem(tree, name)
                                    : new TListTreeItem(lastAtLevel[std::size_t(level - 1)], name);
        lastAtLevel.resize(std::size_t(level));
        lastAtLevel.push_back(node);
    }
}

// Repainting is held back while the tree is rebuilt.
class TTreeUpdate {
public:
    explicit TTreeUpdate(QTreeWidget* tree) : FTree(tree), FWereEnabled(tree->updatesEnabled()) {
        FTree->setUpdatesEnabled(false);
    }
    ~TTreeUpdate() { FTree->setUpdatesEnabled(FWereEnabled); }
    TTreeUpdate(const TTreeUpdate&) = delete;
    TTreeUpdate& operator=(const TTreeUpdate&) = delete;

private:
    QTreeWidget* FTree;
    bool FWereEnabled;
};
} // namespace

TTreeViewUndoManager::TTreeViewUndoManager(QTreeWidget* tree) : FTree(tree) {}

TTreeViewImage TTreeViewUndoManager::TakeImage(const QString& caption) const {
    TTreeViewImage image;
    image.Kind = IsClientTree(FTree);
    image.Caption = caption;
    int index = 0;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it, ++index) {
        const QTreeWidgetItem* node = *it;
        const int level = LevelOf(node);
        image.Text += QString(level, QLatin1Char('\t')) + node->text(0) + QLatin1Char('\n');
        image.Nodes.push_back({node->data(0, NodeObjectRole), NodeStateIndex(node), level, index,
                               node->isExpanded(), image.Kind});
    }
    return image;
}

void TTreeViewUndoManager::PushSnapshot(const QString& caption, QString& captionOut) {
    FImages.push_back(TakeImage(caption));
    captionOut = caption;
}

void TTreeViewUndoManager::Restore(const TTreeViewImage& image) {
    TTreeUpdate update(FTree);
    FreeNodeObjects(FTree);
    FTree->clear();
    LoadTreeText(FTree, image.Text);
    std::vector<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it)
        nodes.push_back(*it);
    for (const TTreeViewNodeObject& object : image.Nodes) {
        if (object.Index < 0 || std::size_t(object.Index) >= nodes.size())
            continue;
        QTreeWidgetItem* node = nodes[std::size_t(object.Index)];
        if (object.Data.isValid()) {
            node->setData(0, NodeObjectRole, object.Data);
            node->setData(0, NodeStateRole, object.State);
            node->setIcon(0, StatePicture(object.State));
        }
        if (object.Expanded)
            node->setExpanded(true);
    }
}

void TTreeViewUndoManager::UndoLast(QString& caption) {
    if (FImages.empty()) {
        caption.clear();
        return;
    }
    Restore(FImages.back());
    caption = FImages.back().Caption;
    FImages.pop_back();
}

void TTreeViewUndoManager::UndoCaption(QString& text) const {
    text = FImages.empty() ? QStringLiteral("Undo") : FImages.back().Caption;
}
