#include "blockcreateerror.h"

EBlockCreateError::EBlockCreateError(QString message)
    : FMessage(std::move(message)), FWhat(FMessage.toStdString()) {}
