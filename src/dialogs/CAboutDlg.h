#pragma once

#include <QDialog>

class CLinkLabel;

// The program's icon, name, version and legal notice, with a link to the
// product's web page. Run it with exec(); the result means nothing.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static const QString kProductLine;
    static const QString kLegalLine;

    explicit CAboutDlg(QWidget* pParent = nullptr);

    CLinkLabel* m_linkHome;
};
