#include "OkCancelRow.h"

OkCancelRow::OkCancelRow(QDialog* dialog)
    : ok(new QPushButton(QStringLiteral("OK"), dialog)),
      cancel(new QPushButton(QStringLiteral("Cancel"), dialog)),
      layout(new QHBoxLayout) {
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    layout->addStretch();
    layout->addWidget(ok);
    layout->addWidget(cancel);
    layout->addStretch();
}
