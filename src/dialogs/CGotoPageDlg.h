#pragma once

#include <QDialog>
#include <optional>

#include "GotoEntry.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the reader for a page number or a percentage of the text. The caller sets the
// current page and the page count, runs it with exec() and, on Accepted, reads the
// entry; the dialog puts no bounds on a page number (going to one holds it).
class CGotoPageDlg : public QDialog {
    Q_OBJECT
public:
    explicit CGotoPageDlg(QWidget* pParent = nullptr);

    // In: the page the reader is on, shown selected so that typing replaces it and
    // Enter keeps it. Out: the page chosen.
    int m_nPage = 1;
    int m_nPageCount = 1;
    // Out: the percentage chosen instead of a page, when the reader typed one.
    std::optional<double> m_percent;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_range;
    QLineEdit* m_editPage;
};
