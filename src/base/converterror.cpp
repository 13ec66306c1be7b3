#include "converterror.h"

EConvertError::EConvertError(QString message, QString text)
    : FMessage(std::move(message)), FText(std::move(text)), FWhat(FMessage.toStdString()) {}
