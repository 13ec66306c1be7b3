#include "setupform.h"

TSetupForm::TSetupForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(QStringLiteral("Setup"));
}
