#include "listtreeeditor.h"

#include "setup/treeviewundomanager.h"

#include <QWidget>

TListTreeEditor::TListTreeEditor(TClients& clients, TCategories& categories, QObject* parent)
    : QObject(parent), FClients(clients), FCategories(categories) {
    FClientPage = new QWidget;
    FClientPage->setObjectName(QStringLiteral("shtClientProject"));
    FCategoryPage = new QWidget;
    FCategoryPage->setObjectName(QStringLiteral("shtCategoryActivity"));
}

TListTreeEditor::~TListTreeEditor() = default;

void TListTreeEditor::BuildTrees() {}

bool TListTreeEditor::SaveTrees() {
    return true;
}

void TListTreeEditor::Release() {}

void TListTreeEditor::SetClientPageActive(bool active) {
    FClientPageActive = active;
}

void TListTreeEditor::SetShowHints(bool show) {
    FShowHints = show;
}

void TListTreeEditor::UpdateEnabling() {}
