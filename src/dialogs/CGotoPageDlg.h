#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks the reader for a page number. The caller runs it with exec() and, on
// Accepted, reads m_nPage; the dialog puts no bounds on the number.
class CGotoPageDlg : public QDialog {
    Q_OBJECT
public:
    explicit CGotoPageDlg(QWidget* pParent = nullptr);

    int m_nPage = 0;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_editPage;
    QPushButton* m_btnOk;
};
