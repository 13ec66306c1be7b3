#pragma once

#include <functional>

#include <QString>

// Set once a help topic has been opened; at exit the help windows are closed when it is set.
extern bool HelpOpened;

// Opens a help topic (a page name such as "Enter Time.htm") and sets HelpOpened.
void ShowHelpTopic(const QString& topic);

// Closes every help window when one was opened since start.
void CloseHelpWindows();

// The help pages ship in the program folder under "help/"; a topic is one page.
QString HelpFolder();
QString HelpTopicFile(const QString& topic);

// Every topic the program asks for.
const QStringList& HelpTopics();

// The program installs its help window here; without one, topics are only recorded.
struct THelpHandlers {
    std::function<void(const QString& topic)> Open;
    std::function<void()> CloseAll;
};
void SetHelpHandlers(THelpHandlers handlers);
