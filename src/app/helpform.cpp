#include "helpform.h"

#include "base/help.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Quillhour Help"));
    resize(640, 520);
    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtHelp);
}

void THelpForm::ShowTopic(const QString& topic) {
    FTopic = topic;
    const QString file = HelpTopicFile(topic);
    if (QFileInfo::exists(file)) {
        txtHelp->setSearchPaths({HelpFolder()});
        txtHelp->setSource(QUrl::fromLocalFile(file));
    } else {
        txtHelp->setHtml(QStringLiteral("<h2>Help not available</h2><p>The help page \"%1\" "
                                        "was not found in %2.</p>")
                             .arg(topic.toHtmlEscaped(), HelpFolder().toHtmlEscaped()));
    }
    setWindowTitle(QStringLiteral("Quillhour Help - ") + QFileInfo(topic).completeBaseName());
}

namespace {
QPointer<THelpForm>& Window() {
    static QPointer<THelpForm> window;
    return window;
}

// A modal dialog blocks every window but its own: asked for from one, the help window becomes
// the dialog's, so that it can be read, scrolled and clicked while the dialog waits.
void KeepUsableBeside(THelpForm& help, QWidget* modal) {
    QWidget* owner = modal ? modal->window() : nullptr;
    if (help.parentWidget() == owner)
        return;
    const QRect place = help.geometry();
    const bool placed = help.isVisible();
    help.setParent(owner, Qt::Window);
    if (placed)
        help.setGeometry(place);
}
} // namespace

THelpForm* HelpWindow() {
    return Window();
}

void InstallHelpWindow() {
    THelpHandlers handlers;
    handlers.Open = [](const QString& topic) {
        if (!Window()) {
            Window() = new THelpForm;
            Window()->setAttribute(Qt::WA_DeleteOnClose);
        }
        KeepUsableBeside(*Window(), QApplication::activeModalWidget());
        Window()->ShowTopic(topic);
        Window()->show();
        Window()->raise();
        Window()->activateWindow();
    };
    handlers.CloseAll = [] {
        if (Window())
            Window()->close();
    };
    SetHelpHandlers(std::move(handlers));
}
