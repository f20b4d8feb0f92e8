#include "ReadingDialogs.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "CGotoPageDlg.h"

ReadingDialogs ReadingDialogs::Standard() {
    ReadingDialogs dialogs;
    dialogs.gotoPage = [](QWidget* parent, int currentPage,
                          int pageCount) -> std::optional<GotoEntry> {
        CGotoPageDlg dlg(parent);
        dlg.m_nPage = currentPage;
        dlg.m_nPageCount = pageCount;
        if (dlg.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return GotoEntry{dlg.m_nPage, dlg.m_percent};
    };
    dialogs.color = [](QWidget* parent, const QColor& current) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, parent);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    dialogs.font = [](QWidget* parent, const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current, parent);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    dialogs.print = [](QWidget* parent, QPrinter& printer, int pageCount) {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, pageCount);
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.ownSense = &AskOwnSense;
    return dialogs;
}
