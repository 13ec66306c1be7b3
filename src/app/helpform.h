#pragma once

#include <QWidget>

class QTextBrowser;

// A help window showing one page of the program's help; links between pages work inside it.
class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);

    // Shows the page of topic; a missing page shows a short note instead.
    void ShowTopic(const QString& topic);
    QString CurrentTopic() const { return FTopic; }

    QTextBrowser* txtHelp;

private:
    QString FTopic;
};

// Makes ShowHelpTopic open pages in a THelpForm and CloseHelpWindows close it.
void InstallHelpWindow();
// The help window, when one was opened.
THelpForm* HelpWindow();
