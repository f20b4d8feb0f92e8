#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

// The centred "OK" / "Cancel" pair of the program's own dialogs, wired to accept
// and reject. OK is the default button, so Enter confirms.
struct OkCancelRow {
    explicit OkCancelRow(QDialog* dialog);

    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* layout;
};
