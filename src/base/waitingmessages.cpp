#include "waitingmessages.h"

#include <QCoreApplication>

void LetWaitingMessagesThrough() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}
