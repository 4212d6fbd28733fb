#include "OkButton.h"

#include "Fonts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

QPushButton* AddOkButton(QDialog* dialog, QBoxLayout* layout) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("OKCmd"));
    ok->setFont(CaptionFont());
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}
