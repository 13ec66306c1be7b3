#include "help.h"

#include "base/datalocations.h"

#include <QStringList>

bool HelpOpened = false;

namespace {
THelpHandlers& Handlers() {
    static THelpHandlers handlers;
    return handlers;
}
} // namespace

void SetHelpHandlers(THelpHandlers handlers) {
    Handlers() = std::move(handlers);
}

void ShowHelpTopic(const QString& topic) {
    if (Handlers().Open)
        Handlers().Open(topic);
    HelpOpened = true;
}

void CloseHelpWindows() {
    if (HelpOpened && Handlers().CloseAll)
        Handlers().CloseAll();
}

QString HelpFolder() {
    return Locations().ProgramFolder + QStringLiteral("help/");
}

QString HelpTopicFile(const QString& topic) {
    return HelpFolder() + topic;
}

const QStringList& HelpTopics() {
    static const QStringList topics{
        QStringLiteral("Getting Started.htm"),
        QStringLiteral("What's New.htm"),
        QStringLiteral("Enter Time.htm"),
        QStringLiteral("Reporting.htm"),
        QStringLiteral("Search.htm"),
        QStringLiteral("Support.htm"),
        QStringLiteral("Exporting Data.htm"),
        QStringLiteral("Export Formats.htm"),
        QStringLiteral("Getting Started - Personal Preferences.htm"),
        QStringLiteral("Getting Started - Admin Settings.htm"),
        QStringLiteral("Getting Started - Client-Project.htm"),
        QStringLiteral("Getting Started - Category-Activity.htm"),
        QStringLiteral("Getting Started - Personal Preferences - Calendar Appearance.htm"),
    };
    return topics;
}
